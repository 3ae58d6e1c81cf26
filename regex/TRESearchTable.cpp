#include "regex/TRESearchTable.h"

#include <algorithm>
#include <map>

#include "common/Sjis.h"
#include "regex/TRE_DFA.h"

namespace tagsling {

namespace {

// Member steps allowed while building, so that compiling a pattern stays
// quick even when its table is refused.
constexpr std::size_t kMaxBuildSteps = 8u << 20;

}  // namespace

std::unique_ptr<TRESearchTable> TRESearchTable::Build(const TRE_DFA& dfa) {
  auto table = std::make_unique<TRESearchTable>();
  const std::size_t classCount = dfa.ClassCount();
  table->shift_ = dfa.Tables().shift;

  // Code classes: every double-byte range of every state starts one and ends
  // before the next, so codes of one class have the same successors.
  std::vector<std::uint16_t>& starts = table->codeStarts_;
  starts.push_back(0x100);
  for (std::size_t s = 0; s < dfa.StateCount(); ++s)
    for (const TRE_DFA::Transition& t : dfa.StateAt(static_cast<int>(s)).transitions) {
      if (t.hi < 0x100) continue;
      starts.push_back(std::max<std::uint16_t>(t.lo, 0x100));
      if (t.hi < 0xFFFF) starts.push_back(static_cast<std::uint16_t>(t.hi + 1));
    }
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  const std::size_t codeClassCount = starts.size();

  std::vector<bool> leadClass(classCount, false);
  for (int byte = 0; byte < 256; ++byte)
    if (IsSjisLeadByte(static_cast<unsigned char>(byte)))
      leadClass[dfa.ByteClass(static_cast<unsigned char>(byte))] = true;
  const int head = dfa.HeadAnchored() ? dfa.LineHeadTarget(TRE_DFA::kInitial) : TRE_DFA::kNone;
  const int lineFeedClass = dfa.ByteClass('\n');

  std::map<std::vector<int>, int> ids;
  std::vector<std::vector<int>> sets;
  auto idOf = [&](std::vector<int> set) {
    std::sort(set.begin(), set.end());
    set.erase(std::unique(set.begin(), set.end()), set.end());
    auto [it, inserted] = ids.try_emplace(set, static_cast<int>(sets.size()));
    if (inserted) sets.push_back(std::move(set));
    return it->second;
  };
  idOf({});  // kEmptyRow
  if (head != TRE_DFA::kNone) table->headRow_ = static_cast<std::int32_t>(idOf({head}) << table->shift_);

  // Successor set numbers, filled in set order.
  std::vector<int> byteTargets;
  std::vector<int> codeTargets;
  std::size_t work = 0;
  std::vector<int> next;
  for (std::size_t id = 0; id < sets.size(); ++id) {
    if (sets.size() > kMaxStates) return nullptr;
    for (std::size_t c = 0; c < classCount; ++c) {
      next.clear();
      for (int member : sets[id]) {
        int target = dfa.NextInClass(member, static_cast<int>(c));
        if (target != TRE_DFA::kNone) next.push_back(target);
      }
      int seed = dfa.NextInClass(TRE_DFA::kInitial, static_cast<int>(c));
      if (seed != TRE_DFA::kNone) next.push_back(seed);
      if (static_cast<int>(c) == lineFeedClass && head != TRE_DFA::kNone) next.push_back(head);
      byteTargets.push_back(idOf(next));
    }
    for (std::uint16_t code : starts) {
      next.clear();
      for (int member : sets[id]) {
        int target = dfa.Next(member, code);
        if (target != TRE_DFA::kNone) next.push_back(target);
      }
      int seed = dfa.Next(TRE_DFA::kInitial, code);
      if (seed != TRE_DFA::kNone) next.push_back(seed);
      codeTargets.push_back(idOf(next));
    }
    work += (sets[id].size() + 1) * (classCount + codeClassCount);
    if (work > kMaxBuildSteps) return nullptr;
  }
  if (sets.size() > kMaxStates) return nullptr;

  table->info_.resize(sets.size());
  for (std::size_t id = 0; id < sets.size(); ++id) {
    std::uint8_t info = sets[id].empty() ? kEmpty : 0;
    for (int member : sets[id]) {
      if (dfa.IsFinal(member)) info |= kFinal;
      if (dfa.HasLineTail(member)) info |= kTail;
    }
    table->info_[id] = info;
  }
  auto entry = [&](int target, bool stop) {
    stop = stop || table->info_[static_cast<std::size_t>(target)] != 0;
    return static_cast<std::int32_t>(target << table->shift_) | (stop ? kStop : 0);
  };
  table->rows_.assign(sets.size() << table->shift_, kStop);
  table->codeRows_.resize(sets.size() * codeClassCount);
  for (std::size_t id = 0; id < sets.size(); ++id) {
    for (std::size_t c = 0; c < classCount; ++c)
      table->rows_[(id << table->shift_) + c] = entry(byteTargets[id * classCount + c], leadClass[c]);
    for (std::size_t k = 0; k < codeClassCount; ++k)
      table->codeRows_[id * codeClassCount + k] = entry(codeTargets[id * codeClassCount + k], false);
  }
  return table;
}

std::int32_t TRESearchTable::CodeEntry(std::int32_t row, std::uint16_t code) const {
  auto it = std::upper_bound(codeStarts_.begin(), codeStarts_.end(), code);
  std::size_t codeClass = it == codeStarts_.begin() ? 0 : static_cast<std::size_t>(it - codeStarts_.begin()) - 1;
  return codeRows_[Index(row) * codeStarts_.size() + codeClass];
}

}  // namespace tagsling
