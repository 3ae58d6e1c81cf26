#pragma once
// Nondeterministic automaton built from a normalised parse tree.
//
// State 0 is the initial state and state 1 the final state. Each node is
// generated between a from-state and a to-state (Thompson construction):
// a leaf is one labelled transition, a concatenation gets a middle state, a
// union generates both sides between the same pair, a closure gets two inner
// states joined by epsilon transitions. "^" is an anchor exactly when it is
// generated from the initial state, "$" exactly when it is generated into the
// final state; anywhere else they are the literal characters "^" and "$".
// Generation walks the tree with an explicit stack (left-leaning chains of
// any length are fine). "a+" generates its operand twice, so nested "+" can
// blow up: more than kMaxStates states or kMaxTransitions transitions raise
// kMsgTooComplex.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "regex/TREParseTree.h"

namespace tagsling::regex {

enum class TRELabelKind : std::uint8_t { kEpsilon, kRange, kLineHead, kLineTail };

struct TRE_NFATransition {
  TRELabelKind kind;
  std::uint16_t lo;  // Range only
  std::uint16_t hi;
  int target;
};

// A set of NFA states: one bit per state, (states / 8) + 1 bytes, all clear
// at creation. Sets of the same automaton compare byte by byte.
class TRE_NFAStateSet {
 public:
  explicit TRE_NFAStateSet(std::size_t states = 0) : bits_(states / 8 + 1, 0) {}
  void Include(int state) {
    bits_[static_cast<std::size_t>(state) >> 3] |= static_cast<std::uint8_t>(1u << (state & 7));
  }
  bool Contains(int state) const { return bits_[static_cast<std::size_t>(state) >> 3] & (1u << (state & 7)); }
  bool operator==(const TRE_NFAStateSet& other) const { return bits_ == other.bits_; }
  const std::vector<std::uint8_t>& Bytes() const { return bits_; }
  std::size_t ByteSize() const { return bits_.size(); }

 private:
  std::vector<std::uint8_t> bits_;
};

class TRE_NFA {
 public:
  static constexpr int kInitial = 0;
  static constexpr int kFinal = 1;
  static constexpr std::size_t kMaxStates = 100000;
  static constexpr std::size_t kMaxTransitions = 1000000;

  // GenerateStateList: builds the automaton for tree.Root().
  explicit TRE_NFA(const TREParseTree& tree);

  std::size_t StateCount() const { return states_.size(); }
  const std::vector<TRE_NFATransition>& Transitions(int state) const {
    return states_[static_cast<std::size_t>(state)];
  }
  bool HeadAnchored() const { return head_anchored_; }
  bool TailAnchored() const { return tail_anchored_; }

 private:
  int NewState();
  void Add(int from, TRELabelKind kind, std::uint16_t lo, std::uint16_t hi, int to);

  std::vector<std::vector<TRE_NFATransition>> states_;
  bool head_anchored_ = false;
  bool tail_anchored_ = false;
  std::size_t transition_count_ = 0;
};

}  // namespace tagsling::regex
