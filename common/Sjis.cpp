#include "common/Sjis.h"

#include "common/LosslessText.h"

namespace tagsling {

std::size_t SjisCharLength(std::string_view text, std::size_t pos) {
  if (pos + 1 < text.size() && IsSjisLeadByte(static_cast<unsigned char>(text[pos]))) return 2;
  return 1;
}

std::size_t SjisCharCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos)) ++count;
  return count;
}

namespace {

// Maps one double-byte code to its small form, or returns it unchanged.
unsigned LowerDoubleByte(unsigned code) {
  if (code >= 0x8260 && code <= 0x8279) return code + 0x21;  // full-width A-Z
  if (code >= 0x839F && code <= 0x83B6) return code + 0x20;  // Greek capitals
  if (code >= 0x8440 && code <= 0x8460) {                    // Cyrillic capitals
    // The small forms skip 0x847F, which is never a trail byte.
    unsigned index = code - 0x8440;
    return index < 15 ? 0x8470 + index : 0x8471 + index;
  }
  return code;
}

}  // namespace

std::string SjisToLower(std::string_view text) {
  std::string out(text);
  for (std::size_t pos = 0; pos < out.size();) {
    // A token's digits stay upper case: lowered, it would be no token.
    if (const std::optional<LosslessTokenAt> token = ReadLosslessToken(out, pos)) {
      pos = token->end;
      continue;
    }
    std::size_t len = SjisCharLength(out, pos);
    if (len == 2) {
      unsigned code = (static_cast<unsigned char>(out[pos]) << 8) | static_cast<unsigned char>(out[pos + 1]);
      unsigned lower = LowerDoubleByte(code);
      out[pos] = static_cast<char>(lower >> 8);
      out[pos + 1] = static_cast<char>(lower & 0xFF);
    } else if (out[pos] >= 'A' && out[pos] <= 'Z') {
      out[pos] = static_cast<char>(out[pos] - 'A' + 'a');
    }
    pos += len;
  }
  return out;
}

}  // namespace tagsling
