#pragma once
// Pattern scanner: turns a pattern into tokens, one character (escapes
// resolved) at a time.
//
// Outside a class every metacharacter is its own token. After a class-opening
// token the scanner reads class items instead ("a", "a-z", escapes) until the
// closing "]", so ".", "*", "(", "|", "$" and friends are ordinary members
// there. A "-" right before "]" is a member ("[a-]"). Work is linear in the
// pattern length. The scanner knows nothing about nesting or anchors.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "regex/RECharReader.h"

namespace tagsling::regex {

enum class TRETokenKind {
  kEnd,
  kUnion,         // |
  kGroupOpen,     // (
  kGroupClose,    // )
  kStar,          // *
  kPlus,          // +
  kQuestion,      // ?
  kClassOpen,     // [
  kNegClassOpen,  // [^
  kClassClose,    // ]
  kAnyChar,       // .
  kLineHead,      // ^
  kLineTail,      // $
  kLiteral,       // Code()
  kRange,         // Code() to UpperCode(), only inside a class
};

class TREScanner {
 public:
  explicit TREScanner(std::string_view pattern = {}) : reader_(pattern) {}

  // Starts over on a new pattern: cursor back to 1, outside any class.
  void Reset(std::string_view pattern) {
    reader_.Reset(pattern);
    in_class_ = false;
  }

  // Reads the next token. Raises ERegExpParser on malformed escapes, a lead
  // byte without trail byte, an unterminated class or a reversed range.
  TRETokenKind GetToken();

  std::uint16_t Code() const { return code_; }
  std::uint16_t UpperCode() const { return upper_; }
  // 1-based index of the next unread pattern byte.
  std::size_t Cursor() const { return reader_.Cursor(); }

 private:
  TRETokenKind ClassItem();

  RECharReader reader_;
  bool in_class_ = false;
  std::uint16_t code_ = 0;
  std::uint16_t upper_ = 0;
};

}  // namespace tagsling::regex
