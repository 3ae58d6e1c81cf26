#pragma once
// TRegularExpression plus the line separator and the search routines.
// Searches run on the automaton of the current pattern; see TREMatcher for
// the algorithm and its cost.

#include <optional>
#include <string_view>

#include "regex/TREMatcher.h"
#include "regex/TRegularExpression.h"

namespace tagsling::regex {

// Which character ends a line for "$" and for empty matches in GSub.
enum TMatchCORE_LineSeparator { kCRLF, kLF };

class TMatchCORE : public TRegularExpression {
 public:
  TMatchCORE() = default;

  TMatchCORE_LineSeparator LineSeparator() const { return line_separator_; }
  void SetLineSeparator(TMatchCORE_LineSeparator value) { line_separator_ = value; }
  // The separator byte: carriage return for kCRLF, line feed for kLF.
  unsigned char SeparatorByte() const { return line_separator_ == kCRLF ? '\r' : '\n'; }

  // A matcher for one text with the current automaton. It refers to the text
  // and to this object's cache: use it before the text or the pattern changes.
  TREMatcher MatcherFor(std::string_view text) const { return TREMatcher(CurrentDFA(), text, SeparatorByte()); }

  // The two whole-text searches from the start of a text.
  std::optional<TREMatchSpan> PlainSearch(std::string_view text) const { return MatcherFor(text).PlainSearch(0); }
  std::optional<TREMatchSpan> AnchoredSearch(std::string_view text) const { return MatcherFor(text).AnchoredSearch(0); }

 private:
  TMatchCORE_LineSeparator line_separator_ = kCRLF;
};

}  // namespace tagsling::regex
