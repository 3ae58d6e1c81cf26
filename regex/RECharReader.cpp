#include "regex/RECharReader.h"

#include "regex/ERegExpParser.h"

namespace tagsling::regex {

namespace {

int HexDigit(std::uint16_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsOctalDigit(std::uint16_t c) { return c >= '0' && c <= '7'; }

}  // namespace

std::uint16_t RECharReader::Read() {
  if (next_ >= text_.size()) return 0;
  auto byte = static_cast<unsigned char>(text_[next_]);
  if (byte == 0) return 0;
  if (IsSjisLeadByte(byte)) {
    bool has_trail = next_ + 1 < text_.size() && text_[next_ + 1] != '\0';
    if (has_trail) {
      auto trail = static_cast<unsigned char>(text_[next_ + 1]);
      next_ += 2;
      return static_cast<std::uint16_t>(byte << 8 | trail);
    }
    if (strict_) throw ERegExpParser(kMsgInvalidDoubleByte, Cursor());
  }
  ++next_;
  return byte;
}

std::uint16_t RECharReader::ReadEscape() {
  std::uint16_t c = Read();
  switch (c) {
    case 0:
      throw ERegExpParser(kMsgCharacterAfterBackslash, Cursor());
    case 'b':
      return 8;
    case 'n':
      return 10;
    case 'r':
      return 13;
    case 't':
      return 9;
    case 'x': {
      unsigned value = 0;
      int digits = 0;
      while (digits < 4) {
        std::size_t mark = Mark();
        int digit = HexDigit(Read());
        if (digit < 0) {
          Restore(mark);  // the character that stopped the number is read again
          break;
        }
        value = value * 16 + static_cast<unsigned>(digit);
        ++digits;
      }
      if (digits == 0) throw ERegExpParser(kMsgInvalidHex, Cursor());
      return static_cast<std::uint16_t>(value);
    }
    default:
      break;
  }
  if (!IsOctalDigit(c)) return c;
  unsigned value = c - '0';
  for (int digits = 1; digits < 6; ++digits) {
    std::size_t mark = Mark();
    std::uint16_t d = Read();
    if (!IsOctalDigit(d)) {
      Restore(mark);
      break;
    }
    value = value * 8 + (d - '0');
  }
  if (value > 0xFFFF) throw ERegExpParser(kMsgInvalidOctal, Cursor());
  return static_cast<std::uint16_t>(value);
}

}  // namespace tagsling::regex
