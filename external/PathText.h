#pragma once
// Searching and quoting for command lines and window titles, aware of
// Shift-JIS: a search never matches from the middle of a double-byte
// character, and a byte 5C that is the second byte of one is no backslash.
// (Splitting paths into folder and file name: texttools/PathText.h.)

#include <cstddef>
#include <string>
#include <string_view>

namespace tagsling::external {

// Offset of the first occurrence of `needle` that starts on a character
// boundary at or after `from`; npos when there is none or `needle` is empty.
std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from = 0);
inline bool ContainsText(std::string_view text, std::string_view needle) {
  return FindText(text, needle) != std::string_view::npos;
}

// `text` with `needle` removed until none is left.
std::string RemoveEvery(std::string_view text, std::string_view needle);

// One command-line argument that CommandLineToArgvW (and the C runtime)
// reads back as exactly `argument`: always in double quotes, quotes inside
// escaped as \", and backslashes doubled where they precede a quote or the
// closing quote ("C:\" -> "C:\\"). Other backslashes stay single.
std::string QuoteArgument(std::string_view argument);

}  // namespace tagsling::external
