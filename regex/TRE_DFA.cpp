#include "regex/TRE_DFA.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "common/Sjis.h"
#include "regex/ERegExpParser.h"

namespace tagsling {

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
      if (t.kind != TRELabelKind::Epsilon || set.Contains(t.target)) continue;
      set.Include(t.target);
      stack.push_back(t.target);
    }
  }
  return set;
}

TRE_DFA::TRE_DFA(const TRE_NFA& nfa) : headAnchored_(nfa.HeadAnchored()), tailAnchored_(nfa.TailAnchored()) {
  const std::size_t nfaStates = nfa.StateCount();
  std::unordered_map<std::string, int> index;
  auto findOrAdd = [&](TRE_NFAStateSet set) {
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
  };

  TRE_NFAStateSet start(nfaStates);
  start.Include(TRE_NFA::kInitial);
  findOrAdd(Closure(nfa, std::move(start), {TRE_NFA::kInitial}));

  struct Group {
    TRE_NFATransition label;
    TRE_NFAStateSet targets;
    std::vector<int> members;
  };
  for (std::size_t current = 0; current < states_.size(); ++current) {
    states_[current].visited = true;
    std::vector<Group> groups;
    std::unordered_map<std::uint64_t, std::size_t> groupOf;
    std::vector<int> members;
    const std::vector<std::uint8_t>& bytes = states_[current].set.Bytes();
    for (std::size_t b = 0; b < bytes.size(); ++b)
      for (int bit = 0; bytes[b] >> bit; ++bit)
        if (bytes[b] >> bit & 1) members.push_back(static_cast<int>(b * 8) + bit);
    for (int q : members) {
      for (const TRE_NFATransition& t : nfa.Transitions(q)) {
        if (t.kind == TRELabelKind::Epsilon) continue;
        auto [it, inserted] = groupOf.try_emplace(LabelKey(t), groups.size());
        if (inserted) groups.push_back({t, TRE_NFAStateSet(nfaStates), {}});
        Group& group = groups[it->second];
        if (!group.targets.Contains(t.target)) {
          group.targets.Include(t.target);
          group.members.push_back(t.target);
        }
      }
    }
    for (Group& group : groups) {
      int target = findOrAdd(Closure(nfa, std::move(group.targets), group.members));
      State& state = states_[current];  // findOrAdd may have grown states_
      switch (group.label.kind) {
        case TRELabelKind::Range:
          state.transitions.push_back({group.label.lo, group.label.hi, target});
          break;
        case TRELabelKind::LineHead:
          state.lineHead = target;
          break;
        case TRELabelKind::LineTail:
          state.lineTail = target;
          break;
        case TRELabelKind::Epsilon:
          break;
      }
    }
  }
  for (State& state : states_) {
    state.set = TRE_NFAStateSet();  // only needed while building; cached automata stay small
    std::stable_sort(state.transitions.begin(), state.transitions.end(),
                     [](const Transition& a, const Transition& b) { return a.lo < b.lo; });
  }
  BuildByteTable();
  for (int byte = 1; byte < 256; ++byte) {
    bool start = NextByte(kInitial, static_cast<unsigned char>(byte)) != kNone;
    if (IsSjisLeadByte(static_cast<unsigned char>(byte)))
      for (const Transition& t : states_[kInitial].transitions)
        start = start || (t.lo >> 8 <= byte && byte <= t.hi >> 8);
    startBytes_[byte] = start;
    searchBytes_[byte] = start || (byte == '\n' && states_[kInitial].lineHead != kNone);
    if (searchBytes_[byte]) {
      ++searchByteCount_;
      singleSearchByte_ = byte;
    }
  }
  if (searchByteCount_ != 1) singleSearchByte_ = -1;
  for (const State& state : states_)
    flags_.push_back(
        static_cast<std::uint8_t>((state.final ? kFinalFlag : 0) | (state.lineTail != kNone ? kTailFlag : 0)));
  rowTable_.resize(byteTable_.size());
  endTable_.resize(byteTable_.size());
  for (std::size_t i = 0; i < byteTable_.size(); ++i) {
    int target = byteTable_[i];
    rowTable_[i] = target == kNone ? -1 : static_cast<std::int32_t>(target << classShift_);
    endTable_[i] = target != kNone && MayEnd(target);
  }
  searchTable_ = TRESearchTable::Build(*this);
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
    byteClass_[byte] = static_cast<std::uint8_t>(representative.size() - 1);
  }
  classCount_ = representative.size();
  while ((std::size_t{1} << classShift_) < classCount_) ++classShift_;  // a shift instead of a multiply per step
  byteTable_.assign(states_.size() << classShift_, kNone);
  for (std::size_t s = 0; s < states_.size(); ++s)
    for (std::size_t k = 1; k < classCount_; ++k)
      byteTable_[(s << classShift_) + k] = Next(static_cast<int>(s), static_cast<std::uint16_t>(representative[k]));
}

}  // namespace tagsling
