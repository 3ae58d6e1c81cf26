#pragma once
// The encodings of the text files Tagsling reads for the user ("Html.dat",
// the settings file, snippets) and the conversion between a file's bytes and
// the program's lossless code page 932 text (common/LosslessText.h).
//
// Detection: the UTF-8 byte-order mark gives UTF-8; the UTF-16 marks give
// UTF-16 (little or big endian) when the length is even; bytes that are valid
// UTF-8 with at least one multi-byte sequence give UTF-8 without a mark;
// anything else (ASCII, code page 932, stray bytes) is code page 932, as it
// always was.
//
// Round trip: DecodeText followed by EncodeText in the same encoding gives
// the file's bytes back exactly, whatever they were: code page 932 bytes are
// kept as they are (only DEL becomes a token), characters code page 932
// cannot hold become tokens, and the bytes of a marked UTF-8 file that are no
// UTF-8 become tokens of U+DC80 to U+DCFF, which the UTF-8 writer turns back
// into those bytes. Cost: linear, a binary search per character outside
// ASCII.

#include <optional>
#include <string>
#include <string_view>

namespace tagsling {

enum class TextEncoding { kCp932, kUtf8, kUtf8Bom, kUtf16Le, kUtf16Be };

TextEncoding DetectTextEncoding(std::string_view bytes);

// The lossless code page 932 text of a file's bytes (its mark removed).
std::string DecodeText(std::string_view bytes, TextEncoding encoding);

// The bytes of lossless text in `encoding` (with its mark, if it has one);
// nullopt when the encoding cannot hold one of its characters (code page 932
// and a token of a character outside it, UTF-8 and a lone surrogate other
// than an escaped byte, which only the marked form writes back) or, for the
// Unicode encodings, when the text holds bytes that are no code page 932
// character.
std::optional<std::string> EncodeText(std::string_view text, TextEncoding encoding);

// The same for text that must go out whatever it holds (tagsling-cli's
// --utf8 output): escaped bytes go back as they were; bytes that are no
// character, and other lone surrogates, become '?'.
std::string LosslessToUtf8(std::string_view text);

}  // namespace tagsling
