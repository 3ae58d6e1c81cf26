#pragma once
// The plainest search there is, kept as the yardstick for TREMatcher: try
// every character start from the left, run the automaton from each one to
// its end, and take the first start that reaches a match with its longest
// end. Quadratic, but obviously what leftmost-longest means. Used by the unit
// tests and by the fuzz target; never by the program.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/Sjis.h"
#include "regex/TREMatcher.h"
#include "regex/TRE_DFA.h"

namespace tagsling::test {

class RestartingSearch {
 public:
  RestartingSearch(const TRE_DFA& dfa, std::string_view text, unsigned char separator)
      : dfa_(dfa), text_(text.substr(0, text.find('\0'))), separator_(separator) {}

  std::size_t CharLength(std::size_t pos) const { return pos + 1 < text_.size() && IsSjisLeadByte(Byte(pos)) ? 2 : 1; }

  // End of the longest match from pos in the given state: the last position
  // where the state is final, or has "$" at a line end.
  std::optional<std::size_t> Longest(std::size_t pos, int state) const {
    std::optional<std::size_t> end;
    for (;;) {
      if (dfa_.IsFinal(state) || (dfa_.HasLineTail(state) && AtLineEnd(pos))) end = pos;
      if (pos >= text_.size()) return end;
      unsigned char byte = Byte(pos);
      if (CharLength(pos) == 2) {
        state = dfa_.Next(state, static_cast<std::uint16_t>(byte << 8 | Byte(pos + 1)));
        pos += 2;
      } else {
        state = dfa_.NextByte(state, byte);
        pos += 1;
      }
      if (state == TRE_DFA::kNone) return end;
    }
  }

  // Longest match at a line start: "^" alternatives and plain ones, the
  // longer wins; nothing when the "^" alternatives find nothing.
  std::optional<std::size_t> AnchoredAt(std::size_t pos) const {
    if (!dfa_.HeadAnchored()) return Longest(pos, TRE_DFA::kInitial);
    int head = dfa_.LineHeadTarget(TRE_DFA::kInitial);
    std::optional<std::size_t> h = head == TRE_DFA::kNone ? std::nullopt : Longest(pos, head);
    if (!h) return std::nullopt;
    std::optional<std::size_t> u = Longest(pos, TRE_DFA::kInitial);
    return u && *u >= *h ? u : h;
  }

  // First match at or after pos; "^" after line feeds; the end last.
  std::optional<TREMatchSpan> Scan(std::size_t pos) const {
    const bool skip = !dfa_.MayEnd(TRE_DFA::kInitial);
    for (; pos < text_.size(); pos += CharLength(pos)) {
      if (skip && !dfa_.CanStart(Byte(pos)) && Byte(pos) != '\n') continue;
      if (auto end = Longest(pos, TRE_DFA::kInitial)) return TREMatchSpan{pos, *end};
      if (Byte(pos) == '\n' && dfa_.HeadAnchored())
        if (auto end = AnchoredAt(pos + 1)) return TREMatchSpan{pos + 1, *end};
    }
    if (dfa_.IsFinal(TRE_DFA::kInitial) || dfa_.HasLineTail(TRE_DFA::kInitial))
      return TREMatchSpan{text_.size(), text_.size()};
    return std::nullopt;
  }

  std::optional<TREMatchSpan> PlainSearch(std::size_t pos) const {
    if (pos >= text_.size()) {
      if (dfa_.IsFinal(TRE_DFA::kInitial)) return TREMatchSpan{pos, pos};
      return std::nullopt;
    }
    for (; pos < text_.size(); pos += CharLength(pos))
      if (auto end = Longest(pos, TRE_DFA::kInitial)) return TREMatchSpan{pos, *end};
    return std::nullopt;
  }

  std::optional<TREMatchSpan> AnchoredSearch(std::size_t pos) const {
    if (auto end = AnchoredAt(pos)) return TREMatchSpan{pos, *end};
    return Scan(pos);
  }

 private:
  unsigned char Byte(std::size_t pos) const { return static_cast<unsigned char>(text_[pos]); }
  bool AtLineEnd(std::size_t pos) const { return pos == text_.size() || Byte(pos) == separator_; }

  const TRE_DFA& dfa_;
  std::string_view text_;
  unsigned char separator_;
};

}  // namespace tagsling::test
