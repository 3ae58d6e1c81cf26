#pragma once
// Leftmost-longest search of one text with one compiled automaton.
//
// A matcher is made for one text and one automaton and may run many searches
// (Sub, GSub's loop). Positions are 0-based byte offsets into the text; the
// searched part ends at the first NUL byte (Length()). A double-byte
// character is read as one code; a lead byte with nothing after it inside
// the searched part is read as a single-byte code. Nothing is ever read at
// or past Length().
//
// Longest match from a position: run the automaton, remembering the last
// position where the state was final, or where the state has a line-tail
// transition and the text is at a line separator or at its end ("$" is
// honoured wherever the run passes, not only where it stops). Searches try
// start positions from the left; the first start with any match wins, with
// its longest end. "^" is tried at the start of a text searched from a line
// start and after every line feed.
//
// Cost: one table step per character of every run. Runs from successive
// start positions can overlap, which makes naive searching quadratic on
// texts such as many "<!--" without "-->". Once the steps spent exceed a few
// times the text length, the matcher remembers (position, state) pairs from
// which no match can end; a later run that reaches such a pair stops at
// once. A failing stretch of text is then walked at most once per state, so
// texts like the above cost time linear in their length (measured in the
// benchmarks); memory for this is capped at 64 MB. The matcher does not
// report sub-matches.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "regex/TRE_DFA.h"

namespace tagsling {

struct TREMatchSpan {
  std::size_t start;
  std::size_t end;  // exclusive
  bool operator==(const TREMatchSpan&) const = default;
};

class TREMatcher {
 public:
  // lineSeparator: the byte that ends a line for "$" (13 or 10). The text
  // and the automaton must outlive the matcher.
  TREMatcher(const TRE_DFA& dfa, std::string_view text, unsigned char lineSeparator);

  std::size_t Length() const { return length_; }

  // End of the longest match starting at pos in the given state.
  std::optional<std::size_t> Longest(std::size_t pos, int state);
  // Longest match at a line start, "^" alternatives included.
  std::optional<std::size_t> AnchoredAt(std::size_t pos);
  // First match at or after pos; "^" only after a line feed.
  std::optional<TREMatchSpan> Scan(std::size_t pos);
  // Search for patterns without anchors.
  std::optional<TREMatchSpan> PlainSearch(std::size_t pos);
  // Search for anchored patterns; pos is a line start.
  std::optional<TREMatchSpan> AnchoredSearch(std::size_t pos);

  // Byte length of the character at pos (1 or 2, never past Length()).
  std::size_t CharLength(std::size_t pos) const;

  // Steps after which dead pairs are remembered (default: a few times the
  // text length). Results never depend on it; tests use 0 and "never".
  void SetRememberAfter(std::size_t steps) { rememberAfter_ = steps; }

 private:
  std::optional<std::size_t> LongestFast(std::size_t pos, int state);
  std::optional<std::size_t> LongestRemembering(std::size_t pos, int state);
  bool AtLineEnd(std::size_t pos) const { return pos == length_ || text_[pos] == separator_; }
  // Reads the code at pos and returns the successor (kNone if none); pos
  // moves past the character.
  int Step(int state, std::size_t& pos) const;
  bool IsDead(std::size_t pos, int state) const;
  void MarkDead(std::size_t pos, int state);

  const TRE_DFA& dfa_;
  const unsigned char* text_;
  std::size_t length_;
  unsigned char separator_;

  std::size_t steps_ = 0;
  std::size_t rememberAfter_;  // step count that switches remembering on
  bool remembering_ = false;
  std::vector<std::vector<std::uint64_t>> dead_;  // per state: bit per position
  std::size_t deadBytes_ = 0;
  std::vector<std::pair<std::size_t, int>> trail_;  // pairs since the last match end
};

}  // namespace tagsling
