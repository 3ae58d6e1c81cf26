#include "texttools/LosslessSjis.h"

#include <cstdint>
#include <map>
#include <optional>

#include "common/Sjis.h"

namespace tagsling::texttools {

namespace {

constexpr char kTokenMark = '\x7F';
constexpr char16_t kTokenMarkWide = u'\x7F';
constexpr std::size_t kMaxHexDigits = 6;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::string Token(std::uint32_t code_point) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kHex[code_point & 0xF]);
    code_point >>= 4;
  } while (code_point != 0);
  return kTokenMark + digits + kTokenMark;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The token that starts at `pos` (a DEL there): its code point and the
// position after its closing DEL; nullopt when the bytes there are no token
// of ours (a transformation may have cut one, or the user typed a DEL).
struct ParsedToken {
  std::uint32_t code_point;
  std::size_t end;
};
std::optional<ParsedToken> ReadToken(std::string_view sjis, std::size_t pos) {
  std::size_t close = sjis.find(kTokenMark, pos + 1);
  std::size_t digits = close == std::string_view::npos ? 0 : close - pos - 1;
  if (digits == 0 || digits > kMaxHexDigits) return std::nullopt;
  std::uint32_t code_point = 0;
  for (std::size_t i = pos + 1; i < close; ++i) {
    int value = HexValue(sjis[i]);
    if (value < 0) return std::nullopt;
    code_point = code_point << 4 | static_cast<std::uint32_t>(value);
  }
  if (code_point > 0x10FFFF) return std::nullopt;
  return ParsedToken{code_point, close + 1};
}

void AppendCodePoint(platform::WideText& text, std::uint32_t code_point) {
  if (code_point <= 0xFFFF) {
    text.push_back(static_cast<char16_t>(code_point));
  } else {
    code_point -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (code_point >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (code_point & 0x3FF)));
  }
}

// The character (one unit, or a surrogate pair) that starts at `pos`.
std::size_t CharacterLength(std::u16string_view text, std::size_t pos) {
  return IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1]) ? 2 : 1;
}

}  // namespace

std::optional<std::string> ExactSjis(std::u16string_view text, platform::TextCodec& codec) {
  std::string sjis = codec.WideToSjis(text);
  if (codec.SjisToWide(sjis) != text) return std::nullopt;
  return sjis;
}

platform::WideText CharactersOutsideCp932(std::u16string_view text, platform::TextCodec& codec) {
  platform::WideText outside;
  if (ExactSjis(text, codec)) return outside;
  for (std::size_t pos = 0; pos < text.size();) {
    std::u16string_view character = text.substr(pos, CharacterLength(text, pos));
    pos += character.size();
    if (!ExactSjis(character, codec) && outside.find(character) == platform::WideText::npos) outside += character;
  }
  return outside;
}

std::string ToLosslessSjis(const platform::WideText& text, platform::TextCodec& codec) {
  std::string whole = codec.WideToSjis(text);
  if (text.find(kTokenMarkWide) == platform::WideText::npos && codec.SjisToWide(whole) == text) return whole;

  // Character by character, remembering what each distinct one needs.
  std::map<std::u16string, std::string> known;
  std::string result;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t length = CharacterLength(text, pos);
    std::u16string character = text.substr(pos, length);
    pos += length;
    auto found = known.find(character);
    if (found == known.end()) {
      std::string bytes = codec.WideToSjis(character);
      if (character[0] == kTokenMarkWide || codec.SjisToWide(bytes) != character) {
        std::uint32_t code_point = character[0];
        if (length == 2) code_point = 0x10000 + ((character[0] - 0xD800u) << 10) + (character[1] - 0xDC00u);
        bytes = Token(code_point);
      }
      found = known.emplace(character, bytes).first;
    }
    result += found->second;
  }
  return result;
}

platform::WideText FromLosslessSjis(std::string_view sjis, platform::TextCodec& codec) {
  platform::WideText result;
  std::size_t plain_start = 0;
  std::size_t pos = 0;
  while (pos < sjis.size()) {
    std::optional<ParsedToken> token;
    if (sjis[pos] == kTokenMark) token = ReadToken(sjis, pos);
    if (!token) {
      // Plain text, or a DEL that is not a token of ours: the ordinary
      // conversion takes it.
      ++pos;
      continue;
    }
    result += codec.SjisToWide(sjis.substr(plain_start, pos - plain_start));
    AppendCodePoint(result, token->code_point);
    pos = token->end;
    plain_start = pos;
  }
  result += codec.SjisToWide(sjis.substr(plain_start));
  return result;
}

std::size_t LosslessCharLength(std::string_view sjis, std::size_t pos) {
  if (sjis[pos] == kTokenMark) {
    if (std::optional<ParsedToken> token = ReadToken(sjis, pos)) return token->end - pos;
  }
  return SjisCharLength(sjis, pos);
}

std::size_t CaretStopCount(std::string_view sjis) {
  std::size_t stops = 0;
  for (std::size_t pos = 0; pos < sjis.size(); ++stops) {
    if (sjis[pos] == '\r' && pos + 1 < sjis.size() && sjis[pos + 1] == '\n') {
      pos += 2;
      continue;
    }
    std::optional<ParsedToken> token;
    if (sjis[pos] == kTokenMark) token = ReadToken(sjis, pos);
    if (token) {
      if (token->code_point > 0xFFFF) ++stops;  // a surrogate pair: two stops
      pos = token->end;
      continue;
    }
    pos += SjisCharLength(sjis, pos);
  }
  return stops;
}

}  // namespace tagsling::texttools
