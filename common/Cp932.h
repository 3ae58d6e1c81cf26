#pragma once
// Single characters of code page 932 and their Unicode code points, the way
// Windows converts them, without Windows: the two-byte codes come from
// common/Cp932Table.inc (the code Windows writes for each character) and
// common/Cp932Duplicates.inc (NEC and IBM codes of the same characters, read
// only); the one-byte codes and the user-defined area (F040-F9FC, U+E000 to
// U+E757) follow their fixed rules. A lookup is a binary search.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tagsling {

// The code page 932 bytes of a code point; nullopt when code page 932 cannot
// hold it.
std::optional<std::string> Cp932Bytes(char32_t code_point);

// The code point of the character that starts at `pos` (SjisCharLength bytes);
// nullopt when those bytes are no code page 932 character (a lead byte at the
// end or before a byte that is no trail byte, an unassigned code).
std::optional<char32_t> Cp932CodePoint(std::string_view text, std::size_t pos);

}  // namespace tagsling
