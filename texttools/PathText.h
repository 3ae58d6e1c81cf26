#pragma once
// Text helpers for Shift-JIS paths in Windows form, command lines and window
// titles. Every scan steps character by character, so a byte 0x5C ("\") or
// 0x3A (":") that is the second byte of a double-byte character is never
// taken for a separator, and a search never matches from the middle of a
// double-byte character.

#include <cstddef>
#include <string>
#include <string_view>

namespace tagsling::texttools {

// Position of the last character of `path` that is one of the single-byte
// `delimiters`; npos when there is none.
std::size_t LastDelimiter(std::string_view path, std::string_view delimiters);

// After the last "\" or ":" (the whole path when there is none).
std::string FileNamePart(std::string_view path);
// Up to and including the last "\" or ":" (empty when there is none).
std::string FolderPart(std::string_view path);
// From the last "." of the file-name part, "" when it has none.
std::string FileExtension(std::string_view path);
// The path with its extension replaced by `extension` (added when none).
std::string ChangeFileExtension(std::string_view path, std::string_view extension);
// The folder of a path without its trailing "\", except for a root ("C:\",
// "\") which keeps it.
std::string FolderWithoutTrailingSeparator(std::string_view path);

// Whether the last character is a "\" (a double-byte character ending in
// byte 0x5C is not).
bool EndsWithBackslash(std::string_view path);
// Every single-byte `from` character replaced by `to`.
std::string ReplaceSingleByteChar(std::string_view text, char from, char to);
// Every occurrence of the single-byte characters in `characters` removed.
std::string RemoveSingleByteChars(std::string_view text, std::string_view characters);

// The drive part: "X:" when the second character is ":", "\\server\share"
// for a path starting with two backslashes (up to the fourth backslash),
// else empty.
std::string DrivePart(std::string_view path);

// `file` relative to the folder `base` (which ends in ""), with ""
// separators: ".." for each folder of `base` below the part both share,
// then the rest of the file's folders and its name. Folder names and drive
// parts are compared ignoring case. A file on another drive or share comes
// back unchanged.
std::string RelativePath(std::string_view base, std::string_view file);

// Removes spaces and control characters (bytes up to 0x20) from both ends.
std::string TrimBlanks(std::string_view text);
// ASCII letters upper-cased; double-byte characters untouched.
std::string AsciiUpper(std::string_view text);
// Equal after lower-casing as code page 932 does (SjisToLower).
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

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

}  // namespace tagsling::texttools
