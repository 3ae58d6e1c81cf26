#pragma once
// Search automaton of a TRE_DFA: answers "can any start seen so far end a
// match here?" with one table lookup per byte.
//
// What: a deterministic automaton whose states are sets of TRE_DFA states,
// the states of all runs started so far and still alive. A step moves every
// member on the character and adds the successor of the initial state, so a
// new run starts at every character; after a line feed the "^" start state
// joins too (the searches that try "^" after line feeds use the table). Two
// runs in the same state have the same future, so a set is all that matters
// until a match may end.
//
// How: built once with the TRE_DFA by subset construction over its byte
// classes (line feed and the lead-byte ranges are classes of their own) and
// over classes of double-byte codes (intervals between the bounds of the
// automaton's double-byte ranges). A table entry is the successor's row
// (set number << Shift()) with kStop set when a walk must leave its tight
// loop: the successor is empty or may end a match, or the byte is a lead
// byte (a double-byte character, looked up by code class).
//
// Cost: at most kMaxStates sets, and a bounded amount of building work;
// automata beyond that get no table (Build returns null) and are searched
// thread by thread. Memory: sets x byte classes x 4 bytes, plus the code
// classes. It does not tell where the runs started: the matcher finds that
// by searching again, start by start, from the last point where no run was
// alive.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace tagsling {

class TRE_DFA;

class TRESearchTable {
 public:
  static constexpr std::size_t kMaxStates = 1024;
  static constexpr std::int32_t kStop = 1;
  static constexpr std::int32_t kEmptyRow = 0;  // the set with no run alive

  // The table of dfa, or null when it would be too large.
  static std::unique_ptr<TRESearchTable> Build(const TRE_DFA& dfa);

  // The entry for the set at row on a single-byte character: rows are
  // 1 << Shift() entries apart, indexed by the automaton's byte class.
  const std::int32_t* Rows() const { return rows_.data(); }
  unsigned Shift() const { return shift_; }
  // The entry for the set at row on a double-byte character code.
  std::int32_t CodeEntry(std::int32_t row, std::uint16_t code) const;
  // The row of the set holding only the "^" start state (-1 without "^").
  std::int32_t HeadRow() const { return headRow_; }

  bool Empty(std::int32_t row) const { return info_[Index(row)] & kEmpty; }
  // Some member is final; some member has a line-tail transition.
  bool HasFinal(std::int32_t row) const { return info_[Index(row)] & kFinal; }
  bool HasTail(std::int32_t row) const { return info_[Index(row)] & kTail; }

 private:
  static constexpr std::uint8_t kEmpty = 1;
  static constexpr std::uint8_t kFinal = 2;
  static constexpr std::uint8_t kTail = 4;
  std::size_t Index(std::int32_t row) const { return static_cast<std::size_t>(row) >> shift_; }

  unsigned shift_ = 0;
  std::vector<std::int32_t> rows_;         // sets x byte classes
  std::vector<std::uint16_t> codeStarts_;  // first code of each double-byte code class
  std::vector<std::int32_t> codeRows_;     // sets x code classes
  std::vector<std::uint8_t> info_;         // per set
  std::int32_t headRow_ = -1;
};

}  // namespace tagsling
