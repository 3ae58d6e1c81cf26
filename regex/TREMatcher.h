#pragma once
// Leftmost-longest search of one text with one compiled automaton.
//
// What: the first start position (from the left) at which the pattern
// matches, and the longest match from there. "$" is honoured wherever a run
// passes, not only where it stops: a run may end at any position where its
// state is final, or has a line-tail transition while the text is at a line
// separator or at its end. "^" is tried at the start of a text searched from
// a line start and after every line feed that is a character of its own.
//
// How: a run of the automaton starts at every character; all runs step
// together, left to right, in one pass. Two runs in the same state at the
// same position have the same future, so only the earlier start is kept.
// The pass has two gears:
// - While no run can end a match, it walks the automaton's search table
//   (TRESearchTable): one lookup per byte for all runs at once. Where no run
//   is alive it jumps to the next byte that can leave the start state
//   (memchr when only one byte can, else a 256-entry byte table) and checks
//   that the byte begins a character: trail bytes of double-byte characters
//   overlap ASCII ("[", "\", letters), so the run of possible lead bytes
//   before it, back to the last known character start, must have even
//   length. A text without a match is this walk and nothing else.
// - Once some run can end a match, the table cannot tell where it started,
//   so the pass goes back to the last position where no run was alive and
//   follows the runs one by one with their starts (up to two in registers,
//   more in a list). When a run can end, later starts are dropped and no new
//   ones begin; the pass goes on while earlier starts live and stops when
//   none is left.
//
// Cost: linear in the text for one search, whatever the text ("<" x n or
// "<!--" x n is walked once); matched stretches are walked twice. Automata
// without a search table (too many sets of runs) are followed run by run:
// one table step per live run per character, at most the number of states.
// GSub runs one search after each match, and a search may walk past its
// match end until its runs die, so repeated searches can walk the same
// stretch again. Once the steps spent exceed a few times the text length,
// the matcher remembers (position, state) pairs from which no match can end
// and drops a run that reaches one, which keeps such GSub loops linear too;
// memory for this is capped at 64 MB.
//
// Not done: sub-matches, and looking for a shorter "$" match where a longer
// alternative runs on through the separator and then fails (the run that
// passes "$" ends it there). Not thread-safe (one matcher, one thread).
//
// Positions are 0-based byte offsets into the text; the searched part ends
// at the first NUL byte (Length()). A double-byte character is read as one
// code; a lead byte with nothing after it inside the searched part is read as
// a single-byte code. Nothing is ever read at or past Length().

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

  // First match at or after pos; "^" only after a line feed; the end of the
  // text is tried last.
  std::optional<TREMatchSpan> Scan(std::size_t pos);
  // Search for patterns without anchors: starts before the end of the text
  // only (an empty match at pos when pos is at the end and the pattern
  // matches the empty string).
  std::optional<TREMatchSpan> PlainSearch(std::size_t pos);
  // Search for anchored patterns; pos is a line start.
  std::optional<TREMatchSpan> AnchoredSearch(std::size_t pos);

  // Byte length of the character at pos (1 or 2, never past Length()).
  std::size_t CharLength(std::size_t pos) const;

  // Steps after which dead pairs are remembered (default: a few times the
  // text length); from then on searches follow runs one by one instead of
  // walking the search table. Results never depend on it; tests use 0 (no
  // table walk at all) and "never".
  void SetRememberAfter(std::size_t steps) { rememberAfter_ = steps; }

 private:
  // Where threads start: "^" at the first position, "^" after line feeds,
  // and the start state at the end of the text.
  struct Mode {
    bool headAtStart;
    bool headAfterLineFeed;
    bool tryEnd;
  };
  struct Thread {
    int state;
    std::size_t start;
  };

  // The search table walk, then Follow from the last position where no run
  // was alive; Follow alone when the table cannot be used.
  std::optional<TREMatchSpan> Search(std::size_t from, Mode mode);
  // The search thread by thread from a position where no thread is alive;
  // lineStart: whether "^" starts there.
  std::optional<TREMatchSpan> Follow(std::size_t from, bool lineStart, Mode mode);
  // Steps every live thread over the character at pos into next, in start
  // order, then a new thread from the initial state when seed is set; moves
  // pos past the character and returns the new thread count, after the
  // match-end check at the new position.
  template <bool kRemember>
  std::size_t Step(const Thread* live, std::size_t count, Thread* next, std::size_t& pos, bool seed,
                   std::optional<TREMatchSpan>& best);
  // Step for at most two live threads and no new thread that may end a
  // match where it starts, kept in registers; stops at the end of the
  // text, when no thread or three are left, or at a line start for "^".
  std::size_t Walk(Thread* live, std::size_t count, std::size_t& pos, std::optional<TREMatchSpan>& best,
                   bool& lineStart);
  // Adds a thread unless its state is taken at this position or known dead.
  template <bool kRemember>
  void Add(Thread* threads, std::size_t& count, int state, std::size_t pos, std::size_t start);
  // The match-end check at pos for threads from index first on: the
  // earliest start that can end here becomes (or stays) the best, its end
  // moves to pos, and threads that started later are dropped.
  void EndCheck(Thread* threads, std::size_t& count, std::size_t first, std::size_t pos,
                std::optional<TREMatchSpan>& best);
  // The first character start at or after pos (a character start) where a
  // thread can start: pos itself when it is a line start for "^", else the
  // first candidate byte that begins a character; Length() when none is left.
  std::size_t NextStart(std::size_t pos, bool lineStart) const;
  std::size_t FindCandidate(std::size_t pos) const;
  // Whether pos begins a character, given that from (<= pos) does.
  bool OnBoundary(std::size_t from, std::size_t pos) const;
  bool AtLineEnd(std::size_t pos) const { return pos == length_ || text_[pos] == separator_; }
  bool IsDead(std::size_t pos, int state) const;
  void MarkDead(std::size_t pos, int state);
  void BuryTrail();

  const TRE_DFA& dfa_;
  const unsigned char* text_;
  std::size_t length_;
  unsigned char separator_;
  int head_;                     // the start state of "^" alternatives, or kNone
  bool initialMayEnd_;           // the initial state is final or has "$"
  bool lineFeedStarts_ = false;  // the current search tries "^" after line feeds

  // Bytes at which a thread from the initial state can do anything: leave
  // the state, or end a match there. Usually the automaton's own table.
  const bool* candidate_;
  int candidateCount_;
  int singleCandidate_;      // the only candidate byte, or -1
  bool ownCandidates_[256];  // when the separator or every byte is added

  std::vector<Thread> threads_;     // two halves: live and next
  std::vector<std::size_t> taken_;  // per state: stamp of the position that holds it
  std::size_t stamp_ = 0;

  std::size_t steps_ = 0;
  std::size_t rememberAfter_;  // step count that switches remembering on
  bool remembering_ = false;
  std::vector<std::vector<std::uint64_t>> dead_;  // per state: bit per position
  std::size_t deadBytes_ = 0;
  std::vector<std::pair<std::size_t, int>> trail_;  // pairs since the last match end
};

}  // namespace tagsling
