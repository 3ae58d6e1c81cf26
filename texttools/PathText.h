#pragma once
// Text helpers for paths in Windows form, command lines and window titles.
//
// Paths chosen in dialogs and read from window titles are UTF-16
// (platform::WideText), exactly as Windows names them, so that a name code
// page 932 cannot hold ("café☕.png") survives; settings and templates are
// code page 932. The path helpers exist in both forms and share one
// implementation: in code page 932 every scan steps character by character,
// so a byte 0x5C ("\") or 0x3A (":") that is the second byte of a
// double-byte character is never taken for a separator, and a search never
// matches from the middle of a double-byte character; in UTF-16 every
// separator is one code unit that no other character contains (surrogate
// halves lie outside ASCII), so the scan steps unit by unit.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace tagsling::texttools {

using platform::WideText;

// Position of the last character of `path` that is one of the single-byte
// `delimiters`; npos when there is none.
std::size_t LastDelimiter(std::string_view path, std::string_view delimiters);

// After the last "\" or ":" (the whole path when there is none).
std::string FileNamePart(std::string_view path);
WideText FileNamePart(std::u16string_view path);
// Up to and including the last "\" or ":" (empty when there is none).
std::string FolderPart(std::string_view path);
WideText FolderPart(std::u16string_view path);
// From the last "." of the file-name part, "" when it has none.
std::string FileExtension(std::string_view path);
WideText FileExtension(std::u16string_view path);
// The path with its extension replaced by `extension` (added when none).
std::string ChangeFileExtension(std::string_view path, std::string_view extension);
WideText ChangeFileExtension(std::u16string_view path, std::u16string_view extension);
// The folder of a path without its trailing "\", except for a root ("C:\",
// "\") which keeps it.
std::string FolderWithoutTrailingSeparator(std::string_view path);
WideText FolderWithoutTrailingSeparator(std::u16string_view path);

// Whether the last character is a "\" (a double-byte character ending in
// byte 0x5C is not).
bool EndsWithBackslash(std::string_view path);
bool EndsWithBackslash(std::u16string_view path);
// Every single-byte `from` character replaced by `to`.
std::string ReplaceSingleByteChar(std::string_view text, char from, char to);
// Every occurrence of the single-byte characters in `characters` removed.
std::string RemoveSingleByteChars(std::string_view text, std::string_view characters);

// The drive part: "X:" when the second character is ":", "\\server\share"
// for a path starting with two backslashes (up to the fourth backslash),
// else empty.
std::string DrivePart(std::string_view path);
WideText DrivePart(std::u16string_view path);

// `file` relative to the folder `base` (which ends in "\"), with "\"
// separators: ".." for each folder of `base` below the part both share,
// then the rest of the file's folders and its name. Folder names and drive
// parts are compared ignoring case. A file on another drive or share comes
// back unchanged.
std::string RelativePath(std::string_view base, std::string_view file);
WideText RelativePath(std::u16string_view base, std::u16string_view file);

// Removes spaces and control characters (up to 0x20) from both ends.
std::string TrimBlanks(std::string_view text);
WideText TrimBlanks(std::u16string_view text);
// ASCII letters upper-cased; every other character untouched.
std::string AsciiUpper(std::string_view text);
WideText AsciiUpper(std::u16string_view text);
// Equal after lower-casing as code page 932 does (SjisToLower).
bool SameTextIgnoringCase(std::string_view a, std::string_view b);
// Equal after lower-casing with WideToLower.
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b);

// Small forms of the capitals Windows folds in file names that are most
// often met: ASCII, Latin-1 and Latin Extended-A (accented letters), Greek,
// Cyrillic and the full-width Latin letters. For text code page 932 holds it
// folds exactly what SjisToLower folds. Other characters are unchanged.
char16_t WideToLower(char16_t unit);
WideText WideToLower(std::u16string_view text);

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
WideText QuoteArgument(std::u16string_view argument);

}  // namespace tagsling::texttools
