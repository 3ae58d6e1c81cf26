#pragma once
// Shift-JIS (code page 932) byte-string helpers shared by every portable part.
// Strings inside the program are code page 932 bytes held in std::string.

#include <cstddef>
#include <string>
#include <string_view>

namespace tagsling {

// Code page 932 lead bytes: 0x81-0x9F and 0xE0-0xFC. A lead byte at the very
// end of a string has no trail byte; callers treat it as a single character.
constexpr bool IsSjisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Number of characters: a single byte and a double-byte pair each count one.
std::size_t SjisCharCount(std::string_view text);

// Byte length of the character that starts at `pos` (1 or 2, never past the end).
std::size_t SjisCharLength(std::string_view text, std::size_t pos);

// Lower-cases the text the way the ANSI lower-casing of code page 932 does:
// ASCII A-Z, and the double-byte full-width Latin, Greek and Cyrillic capitals
// become their small forms. Trail bytes and lossless tokens
// (common/LosslessText.h) are never touched.
std::string SjisToLower(std::string_view text);

}  // namespace tagsling
