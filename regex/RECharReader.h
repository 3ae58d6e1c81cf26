#pragma once
// The character reading layer shared by the scanner and by the replacement
// decoder: reads a Shift-JIS byte string one character code at a time and
// resolves backslash escapes.
//
// A character code is one unsigned 16-bit value: a single byte is its own
// value, a double-byte character is lead byte * 256 + trail byte. Code 0 means
// "end": the cursor is past the last byte or stands on a NUL byte (which it
// never passes). Reading never touches a byte outside the string.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Sjis.h"

namespace tagsling::regex {

class RECharReader {
 public:
  // Strict readers (patterns) reject a lead byte without a trail byte with
  // ERegExpParser(kMsgInvalidDoubleByte); lenient readers (replacement texts)
  // read such a byte as a single-byte code.
  explicit RECharReader(std::string_view text = {}, bool strict = true) : text_(text), strict_(strict) {}

  void Reset(std::string_view text) {
    text_ = text;
    next_ = 0;
  }

  // 1-based index of the next unread byte (the pattern cursor).
  std::size_t Cursor() const { return next_ + 1; }
  // Saving and restoring the cursor is how the scanner steps back over
  // characters it has looked at.
  std::size_t Mark() const { return next_; }
  void Restore(std::size_t mark) { next_ = mark; }

  // The next character code, or 0 at the end.
  std::uint16_t Read();
  // Resolves the escape whose backslash has just been read: \b \n \r \t,
  // \x with 1-4 hex digits, 1-6 octal digits (at most 0xFFFF), or any other
  // character standing for itself. Raises ERegExpParser for a backslash at
  // the end, "\x" without digits and octal values above 0xFFFF.
  std::uint16_t ReadEscape();

 private:
  std::string_view text_;
  std::size_t next_ = 0;  // 0-based index of the next unread byte
  bool strict_;
};

// Appends a character code to a byte string: one byte below 0x100, else the
// lead byte then the trail byte.
inline void AppendCode(std::string& out, std::uint16_t code) {
  if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

}  // namespace tagsling::regex
