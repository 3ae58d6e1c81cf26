#pragma once
// The lossless form of the program's code page 932 strings. A character that
// code page 932 cannot hold (an emoji, an accented letter, a rare kanji) and
// every DEL (0x7F) travel as a token: DEL, the code point in upper-case
// hexadecimal (one to six digits), DEL. 0x7F is never a trail byte, so tokens
// are found byte by byte, and ordinary code page 932 text is its own lossless
// form. Templates, settings values and paths read from UTF-8 or UTF-16 files
// or taken from the wide API are held this way; the Win32 boundary and the
// file writer turn tokens back into their characters.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tagsling {

inline constexpr char kLosslessMark = '\x7F';

// The token of one code point.
std::string LosslessToken(char32_t code_point);

// The token that starts at `pos`: its code point and the position after its
// closing DEL; nullopt when the bytes there are no token (a cut one, or a
// DEL of other origin).
struct LosslessTokenAt {
  char32_t code_point;
  std::size_t end;
};
std::optional<LosslessTokenAt> ReadLosslessToken(std::string_view text, std::size_t pos);

// Bytes of the character that starts at `pos`: a whole token, or one code
// page 932 character (SjisCharLength). A cut at such boundaries never leaves
// half a token.
std::size_t LosslessCharLength(std::string_view text, std::size_t pos);

// Characters the way an edit control's caret steps over them: one per code
// page 932 character, one per UTF-16 unit of a token's character (two for a
// code point above U+FFFF).
std::size_t LosslessCaretCount(std::string_view text);

// Appends a code point as UTF-16 (a surrogate pair above U+FFFF).
void AppendUtf16(std::u16string& text, char32_t code_point);

// UTF-16 text from its lossless form: the runs between tokens go through
// `plain` (the code page 932 conversion at hand), tokens become their
// characters.
std::u16string DecodeLossless(std::string_view text, const std::function<std::u16string(std::string_view)>& plain);

// The lossless form of UTF-16 text, given the code page 932 conversions both
// ways: the plain conversion when every character comes back unchanged from
// it, else character by character, a token for each one that does not (and
// for every DEL).
std::string EncodeLossless(std::u16string_view text, const std::function<std::string(std::u16string_view)>& to_sjis,
                           const std::function<std::u16string(std::string_view)>& to_wide);

}  // namespace tagsling
