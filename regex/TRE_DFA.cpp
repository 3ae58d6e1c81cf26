#include "regex/TRE_DFA.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "common/Sjis.h"
#include "regex/ERegExpParser.h"

namespace tagsling::regex {

namespace {

std::uint64_t LabelKey(const TRE_NFATransition& t) {
  return static_cast<std::uint64_t>(t.kind) << 32 | static_cast<std::uint64_t>(t.hi) << 16 | t.lo;
}

std::string SetKey(const TRE_NFAStateSet& set) { return std::string(set.Bytes().begin(), set.Bytes().end()); }

}  // namespace

TRE_NFAStateSet TRE_DFA::Closure(const TRE_NFA& nfa, TRE_NFAStateSet set, const std::vector<int>& members) const {
  std::vector<int> stack(members.rbegin(), members.rend());
  while (!stack.empty()) {
    int state = stack.back();
    stack.pop_back();
    for (const TRE_NFATransition& t : nfa.Transitions(state)) {
      if (t.kind != TRELabelKind::kEpsilon || set.Contains(t.target)) continue;
      set.Include(t.target);
      stack.push_back(t.target);
    }
  }
  return set;
}

TRE_DFA::TRE_DFA(const TRE_NFA& nfa) : head_anchored_(nfa.HeadAnchored()), tail_anchored_(nfa.TailAnchored()) {
  BuildStates(nfa);
  BuildByteTable();
  FindStartBytes();
  BuildStepTables();
  search_table_ = TRESearchTable::Build(*this);
}

// Subset construction: state 0 is the closure of the NFA's initial state;
// every state not yet visited gets one transition per distinct label of its
// members, to the closure of that label's targets (a new state the first
// time that set is seen). The sets are dropped once all states exist.
void TRE_DFA::BuildStates(const TRE_NFA& nfa) {
  StateIndex index;
  TRE_NFAStateSet start(nfa.StateCount());
  start.Include(TRE_NFA::kInitial);
  FindOrAddState(Closure(nfa, std::move(start), {TRE_NFA::kInitial}), index);
  for (std::size_t current = 0; current < states_.size(); ++current) AddTransitions(nfa, current, index);
  for (State& state : states_) {
    state.set = TRE_NFAStateSet();  // only needed while building; cached automata stay small
    std::stable_sort(state.transitions.begin(), state.transitions.end(),
                     [](const Transition& a, const Transition& b) { return a.lo < b.lo; });
  }
}

int TRE_DFA::FindOrAddState(TRE_NFAStateSet set, StateIndex& index) {
  auto [it, inserted] = index.try_emplace(SetKey(set), 0);
  if (!inserted) return it->second;
  if (states_.size() >= kMaxStates || (states_.size() + 1) * set.ByteSize() > kMaxSetBytes)
    throw ERegExpParser(kMsgTooComplex, 0);
  State state;
  state.final = set.Contains(TRE_NFA::kFinal);
  state.set = std::move(set);
  states_.push_back(std::move(state));
  it->second = static_cast<int>(states_.size() - 1);
  return it->second;
}

void TRE_DFA::AddTransitions(const TRE_NFA& nfa, std::size_t current, StateIndex& index) {
  struct Group {
    TRE_NFATransition label;
    TRE_NFAStateSet targets;
    std::vector<int> members;
  };
  states_[current].visited = true;
  std::vector<Group> groups;
  std::unordered_map<std::uint64_t, std::size_t> group_of;
  std::vector<int> members;
  const std::vector<std::uint8_t>& bytes = states_[current].set.Bytes();
  for (std::size_t b = 0; b < bytes.size(); ++b)
    for (int bit = 0; bytes[b] >> bit; ++bit)
      if (bytes[b] >> bit & 1) members.push_back(static_cast<int>(b * 8) + bit);
  for (int q : members) {
    for (const TRE_NFATransition& t : nfa.Transitions(q)) {
      if (t.kind == TRELabelKind::kEpsilon) continue;
      auto [it, inserted] = group_of.try_emplace(LabelKey(t), groups.size());
      if (inserted) groups.push_back({t, TRE_NFAStateSet(nfa.StateCount()), {}});
      Group& group = groups[it->second];
      if (!group.targets.Contains(t.target)) {
        group.targets.Include(t.target);
        group.members.push_back(t.target);
      }
    }
  }
  for (Group& group : groups) {
    const int target = FindOrAddState(Closure(nfa, std::move(group.targets), group.members), index);
    State& state = states_[current];  // FindOrAddState may have grown states_
    switch (group.label.kind) {
      case TRELabelKind::kRange:
        state.transitions.push_back({group.label.lo, group.label.hi, target});
        break;
      case TRELabelKind::kLineHead:
        state.line_head = target;
        break;
      case TRELabelKind::kLineTail:
        state.line_tail = target;
        break;
      case TRELabelKind::kEpsilon:
        break;
    }
  }
}

// A byte can start a match when it leaves the initial state, or when it
// leads a double-byte character some transition of the initial state takes.
void TRE_DFA::FindStartBytes() {
  for (int byte = 1; byte < 256; ++byte) {
    bool start = NextByte(kInitial, static_cast<unsigned char>(byte)) != kNone;
    if (IsSjisLeadByte(static_cast<unsigned char>(byte)))
      for (const Transition& t : states_[kInitial].transitions)
        start = start || (t.lo >> 8 <= byte && byte <= t.hi >> 8);
    start_bytes_[byte] = start;
    search_bytes_[byte] = start || (byte == '\n' && states_[kInitial].line_head != kNone);
    if (search_bytes_[byte]) {
      ++search_byte_count_;
      single_search_byte_ = byte;
    }
  }
  if (search_byte_count_ != 1) single_search_byte_ = -1;
}

// The matcher's inner-loop tables: per-state flags, and the byte table with
// successor rows and their MayEnd.
void TRE_DFA::BuildStepTables() {
  for (const State& state : states_)
    flags_.push_back(
        static_cast<std::uint8_t>((state.final ? kFinalFlag : 0) | (state.line_tail != kNone ? kTailFlag : 0)));
  row_table_.resize(byte_table_.size());
  end_table_.resize(byte_table_.size());
  for (std::size_t i = 0; i < byte_table_.size(); ++i) {
    int target = byte_table_[i];
    row_table_[i] = target == kNone ? -1 : static_cast<std::int32_t>(target << class_shift_);
    end_table_[i] = target != kNone && MayEnd(target);
  }
}

int TRE_DFA::Next(int state, std::uint16_t code) const {
  if (code == 0) return kNone;  // the end of the text never takes a transition
  const std::vector<Transition>& list = states_[static_cast<std::size_t>(state)].transitions;
  auto it =
      std::upper_bound(list.begin(), list.end(), code, [](std::uint16_t c, const Transition& t) { return c < t.lo; });
  if (it == list.begin()) return kNone;
  --it;
  return code <= it->hi ? it->target : kNone;
}

void TRE_DFA::BuildByteTable() {
  // Bytes with the same successor in every state share a class; byte 0 is
  // always a class of its own with no successor.
  bool boundary[257] = {};
  boundary[0] = boundary[1] = true;
  // The line feed and each lead-byte range are classes of their own: the
  // search table treats them specially.
  for (int byte : {0x0A, 0x0B, 0x81, 0xA0, 0xE0, 0xFD}) boundary[byte] = true;
  for (const State& state : states_)
    for (const Transition& t : state.transitions) {
      if (t.lo > 0xFF) continue;
      boundary[t.lo] = true;
      if (t.hi < 0xFF) boundary[t.hi + 1] = true;
    }
  std::vector<int> representative;
  for (int byte = 0; byte < 256; ++byte) {
    if (boundary[byte]) representative.push_back(byte);
    byte_class_[byte] = static_cast<std::uint8_t>(representative.size() - 1);
  }
  class_count_ = representative.size();
  while ((std::size_t{1} << class_shift_) < class_count_) ++class_shift_;  // a shift instead of a multiply per step
  byte_table_.assign(states_.size() << class_shift_, kNone);
  for (std::size_t s = 0; s < states_.size(); ++s)
    for (std::size_t k = 1; k < class_count_; ++k)
      byte_table_[(s << class_shift_) + k] = Next(static_cast<int>(s), static_cast<std::uint16_t>(representative[k]));
}

}  // namespace tagsling::regex
