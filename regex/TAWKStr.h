#pragma once
// TAWKStr: the pattern object the program uses, after AWK's match, sub and
// gsub. Set RegExp, then search or replace in Shift-JIS byte strings.
//
//   TAWKStr awk;                       // line separator kCRLF
//   awk.SetRegExp("[<]([^<>]*)[>]");   // ERegExpParser on a bad pattern
//   std::size_t count = awk.GSub("", text);
//
// Matches are leftmost-longest; a double-byte character is one character.
// A NUL byte ends the searched part of a text; bytes after it are kept as
// they are. Errors: SetRegExp raises ERegExpParser for a bad pattern and
// leaves the object on the empty pattern; Sub and GSub raise ERegExpParser
// for a replacement ending in a single backslash and then leave the text
// unchanged. Finding no match is not an error.

#include <cstddef>
#include <string>
#include <string_view>

#include "regex/ERegExpParser.h"
#include "regex/TMatchCORE.h"

namespace tagsling::regex {

class TAWKStr : public TMatchCORE {
 public:
  TAWKStr() = default;

  // First match: position is its 1-based byte index and length its byte
  // length; the result equals position. No match: all three are 0.
  std::size_t Match(std::string_view text, std::size_t& position, std::size_t& length) const;

  // Replaces the first match by the expansion of replacement ("&" is the
  // matched text, "\&" a literal "&", escapes as in patterns). False, and the
  // text untouched, when nothing matches.
  bool Sub(std::string_view replacement, std::string& text) const;

  // Replaces every match, left to right without overlap; returns the count.
  // After an empty match the character there is kept and the search goes on
  // after it (a CR with the character after it when the separator is CRLF).
  std::size_t GSub(std::string_view replacement, std::string& text) const;

 protected:
  void PatternChanged() override { anchored_ = HeadAnchored() || TailAnchored(); }

 private:
  // The search routine chosen for the current pattern, from a line start.
  std::optional<TREMatchSpan> Search(TREMatcher& matcher, std::size_t pos) const {
    return anchored_ ? matcher.AnchoredSearch(pos) : matcher.PlainSearch(pos);
  }

  bool anchored_ = false;
};

}  // namespace tagsling::regex
