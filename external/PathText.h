#pragma once
// Text helpers for paths and command lines, all aware of Shift-JIS: a byte
// 5C ("\") or 3A (":") that is the second byte of a double-byte character is
// never a separator, and a search never matches from the middle of one.

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

// The folder part of a path: everything up to and including the last "\" or
// ":" ("C:\tools\tidy.exe" -> "C:\tools\"); empty when there is none.
std::string FolderPart(std::string_view path);
// What follows the folder part.
std::string FileNamePart(std::string_view path);
// The folder holding `path` without its trailing "\"; a root keeps it
// ("C:\a.htm" -> "C:\", "C:\web\a.htm" -> "C:\web").
std::string ContainingFolder(std::string_view path);

// One command-line argument that CommandLineToArgvW (and the C runtime)
// reads back as exactly `argument`: always in double quotes, quotes inside
// escaped as \", and backslashes doubled where they precede a quote or the
// closing quote ("C:\" -> "C:\\"). Other backslashes stay single.
std::string QuoteArgument(std::string_view argument);

}  // namespace tagsling::external
