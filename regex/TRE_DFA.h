#pragma once
// Deterministic automaton built from a TRE_NFA by subset construction.
//
// Each DFA state stands for the epsilon closure of a set of NFA states; it is
// final when the set holds the NFA final state. States are processed in
// creation order; the targets of all non-epsilon transitions with the same
// label are merged into one successor (labels are equal ranges or disjoint,
// thanks to leaf normalisation). Line-head and line-tail transitions are kept
// apart from character transitions, so no character code can ever be taken
// for an anchor. Character transitions are sorted by their lower code.
//
// Cost: one closure per (state, label); a state set holds one bit per NFA
// state. Patterns whose automaton would exceed kMaxStates states, or whose
// state sets would take more than kMaxSetBytes, raise kMsgTooComplex instead
// of exhausting memory. Code 0 (the end of the text) never has a successor.
//
// Tables for matching, built once with the automaton: bytes with the same
// successor in every state share a byte class (the line feed and each
// lead-byte range are classes of their own); every state has a row of
// successors per class, rows a power of two apart so that a step is a shift
// and a load, and the same rows as row offsets with a flag for successors
// that may end a match. Double-byte codes use a binary search of the sorted
// transitions. The start bytes (those that can leave the initial state)
// let searches skip text, and the search table (TRESearchTable) lets them
// step all runs at once.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "regex/TRESearchTable.h"
#include "regex/TRE_NFA.h"

namespace tagsling {

class TRE_DFA {
 public:
  static constexpr std::size_t kMaxStates = 4096;
  static constexpr std::size_t kMaxSetBytes = 64u << 20;
  static constexpr int kNone = -1;

  struct Transition {
    std::uint16_t lo;
    std::uint16_t hi;
    int target;
  };
  struct State {
    TRE_NFAStateSet set;  // emptied once the automaton is complete
    bool visited = false;
    bool final = false;
    std::vector<Transition> transitions;  // sorted by lo, disjoint
    int lineHead = kNone;                 // successor on the line-head anchor
    int lineTail = kNone;                 // successor on the line-tail anchor
  };

  explicit TRE_DFA(const TRE_NFA& nfa);

  static constexpr int kInitial = 0;
  std::size_t StateCount() const { return states_.size(); }
  const State& StateAt(int state) const { return states_[static_cast<std::size_t>(state)]; }
  bool HeadAnchored() const { return headAnchored_; }
  bool TailAnchored() const { return tailAnchored_; }

  // Successor of a state on a character code, or kNone.
  int Next(int state, std::uint16_t code) const;
  // The same for a single-byte code, through the byte-class table.
  int NextByte(int state, unsigned char byte) const {
    return byteTable_[(static_cast<std::size_t>(state) << classShift_) + byteClass_[byte]];
  }
  bool IsFinal(int state) const { return flags_[static_cast<std::size_t>(state)] & kFinalFlag; }
  bool HasLineTail(int state) const { return flags_[static_cast<std::size_t>(state)] & kTailFlag; }
  // The search automaton built from this one, or null when it would be too
  // large (searches then run thread by thread).
  const TRESearchTable* SearchTable() const { return searchTable_.get(); }
  std::size_t ClassCount() const { return classCount_; }
  // The byte-class step split in two, so that several states can step on
  // one byte with a single class lookup.
  int ByteClass(unsigned char byte) const { return byteClass_[byte]; }
  int NextInClass(int state, int byteClass) const {
    return byteTable_[(static_cast<std::size_t>(state) << classShift_) + static_cast<std::size_t>(byteClass)];
  }
  // Raw views for tight loops that carry row offsets (state << shift)
  // instead of states: the successor of the state at row r on byte b is at
  // row rows[r + byteClass[b]] (-1 for none), and ends[r + byteClass[b]] is
  // set when that successor may end a match (MayEnd). flags[s] is MayEnd(s).
  struct StepTables {
    const std::int32_t* rows;
    const std::uint8_t* ends;
    const std::uint8_t* byteClass;
    unsigned shift;
    const std::uint8_t* flags;
  };
  StepTables Tables() const { return {rowTable_.data(), endTable_.data(), byteClass_, classShift_, flags_.data()}; }
  // Whether a character starting with this byte can leave the initial
  // state: lets searches skip start positions that cannot begin a match.
  bool CanStart(unsigned char byte) const { return startBytes_[byte]; }
  // The bytes where a search may start a run: those that can leave the
  // initial state, and the line feed when "^" can start a match after it.
  // (A search adds the separator itself when the initial state has "$".)
  // Their number, and the byte when there is exactly one (else -1).
  const bool* SearchBytes() const { return searchBytes_; }
  int SearchByteCount() const { return searchByteCount_; }
  int SingleSearchByte() const { return singleSearchByte_; }
  // Final, or final at a line end: one test per step for the matcher.
  bool MayEnd(int state) const { return flags_[static_cast<std::size_t>(state)] != 0; }
  int LineHeadTarget(int state) const { return states_[static_cast<std::size_t>(state)].lineHead; }

 private:
  TRE_NFAStateSet Closure(const TRE_NFA& nfa, TRE_NFAStateSet set, const std::vector<int>& members) const;
  void BuildByteTable();

  std::vector<State> states_;
  bool headAnchored_ = false;
  bool tailAnchored_ = false;
  std::uint8_t byteClass_[256] = {};
  std::size_t classCount_ = 0;
  unsigned classShift_ = 0;             // rows of the byte table are 1 << classShift_ entries apart
  std::vector<int> byteTable_;          // states x classes (rows padded to a power of two)
  std::vector<std::int32_t> rowTable_;  // the same with successor rows instead of states
  std::vector<std::uint8_t> endTable_;  // the successor's MayEnd
  static constexpr std::uint8_t kFinalFlag = 1;
  static constexpr std::uint8_t kTailFlag = 2;
  std::vector<std::uint8_t> flags_;  // per state, for the matcher's inner loop
  bool startBytes_[256] = {};
  bool searchBytes_[256] = {};
  int searchByteCount_ = 0;
  int singleSearchByte_ = -1;
  std::unique_ptr<TRESearchTable> searchTable_;
};

}  // namespace tagsling
