#include "common/LosslessText.h"

#include <map>

#include "common/Sjis.h"

namespace tagsling {

namespace {

constexpr char16_t kLosslessMarkWide = u'\x7F';
constexpr std::size_t kMaxHexDigits = 6;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The character (one unit, or a surrogate pair) that starts at `pos`.
std::size_t CharacterLength(std::u16string_view text, std::size_t pos) {
  return IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1]) ? 2 : 1;
}

}  // namespace

std::string LosslessToken(char32_t code_point) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kHex[code_point & 0xF]);
    code_point >>= 4;
  } while (code_point != 0);
  return kLosslessMark + digits + kLosslessMark;
}

std::optional<LosslessTokenAt> ReadLosslessToken(std::string_view text, std::size_t pos) {
  if (pos >= text.size() || text[pos] != kLosslessMark) return std::nullopt;
  const std::size_t close = text.find(kLosslessMark, pos + 1);
  const std::size_t digits = close == std::string_view::npos ? 0 : close - pos - 1;
  if (digits == 0 || digits > kMaxHexDigits) return std::nullopt;
  char32_t code_point = 0;
  for (std::size_t i = pos + 1; i < close; ++i) {
    const int value = HexValue(text[i]);
    if (value < 0) return std::nullopt;
    code_point = code_point << 4 | static_cast<char32_t>(value);
  }
  if (code_point > 0x10FFFF) return std::nullopt;
  return LosslessTokenAt{code_point, close + 1};
}

std::size_t LosslessCharLength(std::string_view text, std::size_t pos) {
  if (const std::optional<LosslessTokenAt> token = ReadLosslessToken(text, pos)) return token->end - pos;
  return SjisCharLength(text, pos);
}

std::size_t LosslessCaretCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) {
    if (const std::optional<LosslessTokenAt> token = ReadLosslessToken(text, pos)) {
      if (token->code_point > 0xFFFF) ++count;  // a surrogate pair: two stops
      pos = token->end;
    } else {
      pos += SjisCharLength(text, pos);
    }
  }
  return count;
}

void AppendUtf16(std::u16string& text, char32_t code_point) {
  if (code_point <= 0xFFFF) {
    text.push_back(static_cast<char16_t>(code_point));
  } else {
    code_point -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (code_point >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (code_point & 0x3FF)));
  }
}

std::u16string DecodeLossless(std::string_view text, const std::function<std::u16string(std::string_view)>& plain) {
  std::u16string result;
  std::size_t plain_start = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::optional<LosslessTokenAt> token = ReadLosslessToken(text, pos);
    if (!token) {
      // Plain text, or a DEL that is not a token: the plain conversion takes it.
      ++pos;
      continue;
    }
    result += plain(text.substr(plain_start, pos - plain_start));
    AppendUtf16(result, token->code_point);
    pos = token->end;
    plain_start = pos;
  }
  result += plain(text.substr(plain_start));
  return result;
}

std::string EncodeLossless(std::u16string_view text, const std::function<std::string(std::u16string_view)>& to_sjis,
                           const std::function<std::u16string(std::string_view)>& to_wide) {
  std::string whole = to_sjis(text);
  if (text.find(kLosslessMarkWide) == std::u16string_view::npos && to_wide(whole) == text) return whole;

  // Character by character, remembering what each distinct one needs.
  std::map<std::u16string, std::string, std::less<>> known;
  std::string result;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharacterLength(text, pos);
    const std::u16string_view character = text.substr(pos, length);
    pos += length;
    auto found = known.find(character);
    if (found == known.end()) {
      std::string bytes = to_sjis(character);
      if (character[0] == kLosslessMarkWide || to_wide(bytes) != character) {
        char32_t code_point = character[0];
        if (length == 2) code_point = 0x10000 + ((character[0] - 0xD800u) << 10) + (character[1] - 0xDC00u);
        bytes = LosslessToken(code_point);
      }
      found = known.emplace(std::u16string(character), std::move(bytes)).first;
    }
    result += found->second;
  }
  return result;
}

}  // namespace tagsling
