#include "texttools/LosslessSjis.h"

namespace tagsling::texttools {

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

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
  return EncodeLossless(
      text, [&codec](std::u16string_view wide) { return codec.WideToSjis(wide); },
      [&codec](std::string_view sjis) { return codec.SjisToWide(sjis); });
}

platform::WideText FromLosslessSjis(std::string_view sjis, platform::TextCodec& codec) {
  return DecodeLossless(sjis, [&codec](std::string_view plain) { return codec.SjisToWide(plain); });
}

std::size_t CaretStopCount(std::string_view sjis) {
  // CR LF is one stop; neither byte is ever part of a double-byte character
  // or a token.
  std::size_t line_breaks = 0;
  for (std::size_t pos = 0; (pos = sjis.find("\r\n", pos)) != std::string_view::npos; pos += 2) ++line_breaks;
  return LosslessCaretCount(sjis) - line_breaks;
}

}  // namespace tagsling::texttools
