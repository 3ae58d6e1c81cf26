#include "regex/TRESearchTable.h"

#include <algorithm>
#include <map>

#include "common/Sjis.h"
#include "regex/TRE_DFA.h"

namespace tagsling::regex {

namespace {

// Member steps allowed while building, so that compiling a pattern stays
// quick even when its table is refused.
constexpr std::size_t kMaxBuildSteps = 8u << 20;

}  // namespace

std::unique_ptr<TRESearchTable> TRESearchTable::Build(const TRE_DFA& dfa) {
  auto table = std::make_unique<TRESearchTable>();
  const std::size_t class_count = dfa.ClassCount();
  table->shift_ = dfa.Tables().shift;

  // Code classes: every double-byte range of every state starts one and ends
  // before the next, so codes of one class have the same successors.
  std::vector<std::uint16_t>& starts = table->code_starts_;
  starts.push_back(0x100);
  for (std::size_t s = 0; s < dfa.StateCount(); ++s)
    for (const TRE_DFA::Transition& t : dfa.StateAt(static_cast<int>(s)).transitions) {
      if (t.hi < 0x100) continue;
      starts.push_back(std::max<std::uint16_t>(t.lo, 0x100));
      if (t.hi < 0xFFFF) starts.push_back(static_cast<std::uint16_t>(t.hi + 1));
    }
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  const std::size_t code_class_count = starts.size();

  std::vector<bool> lead_class(class_count, false);
  for (int byte = 0; byte < 256; ++byte)
    if (IsSjisLeadByte(static_cast<unsigned char>(byte)))
      lead_class[dfa.ByteClass(static_cast<unsigned char>(byte))] = true;
  const int head = dfa.HeadAnchored() ? dfa.LineHeadTarget(TRE_DFA::kInitial) : TRE_DFA::kNone;
  const int line_feed_class = dfa.ByteClass('\n');

  std::map<std::vector<int>, int> ids;
  std::vector<std::vector<int>> sets;
  auto id_of = [&](std::vector<int> set) {
    std::sort(set.begin(), set.end());
    set.erase(std::unique(set.begin(), set.end()), set.end());
    auto [it, inserted] = ids.try_emplace(set, static_cast<int>(sets.size()));
    if (inserted) sets.push_back(std::move(set));
    return it->second;
  };
  id_of({});  // kEmptyRow
  if (head != TRE_DFA::kNone) table->head_row_ = static_cast<std::int32_t>(id_of({head}) << table->shift_);

  // Successor set numbers, filled in set order.
  std::vector<int> byte_targets;
  std::vector<int> code_targets;
  std::size_t work = 0;
  std::vector<int> next;
  for (std::size_t id = 0; id < sets.size(); ++id) {
    if (sets.size() > kMaxStates) return nullptr;
    for (std::size_t c = 0; c < class_count; ++c) {
      next.clear();
      for (int member : sets[id]) {
        int target = dfa.NextInClass(member, static_cast<int>(c));
        if (target != TRE_DFA::kNone) next.push_back(target);
      }
      int seed = dfa.NextInClass(TRE_DFA::kInitial, static_cast<int>(c));
      if (seed != TRE_DFA::kNone) next.push_back(seed);
      if (static_cast<int>(c) == line_feed_class && head != TRE_DFA::kNone) next.push_back(head);
      byte_targets.push_back(id_of(next));
    }
    for (std::uint16_t code : starts) {
      next.clear();
      for (int member : sets[id]) {
        int target = dfa.Next(member, code);
        if (target != TRE_DFA::kNone) next.push_back(target);
      }
      int seed = dfa.Next(TRE_DFA::kInitial, code);
      if (seed != TRE_DFA::kNone) next.push_back(seed);
      code_targets.push_back(id_of(next));
    }
    work += (sets[id].size() + 1) * (class_count + code_class_count);
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
  table->code_rows_.resize(sets.size() * code_class_count);
  for (std::size_t id = 0; id < sets.size(); ++id) {
    for (std::size_t c = 0; c < class_count; ++c)
      table->rows_[(id << table->shift_) + c] = entry(byte_targets[id * class_count + c], lead_class[c]);
    for (std::size_t k = 0; k < code_class_count; ++k)
      table->code_rows_[id * code_class_count + k] = entry(code_targets[id * code_class_count + k], false);
  }
  return table;
}

std::int32_t TRESearchTable::CodeEntry(std::int32_t row, std::uint16_t code) const {
  auto it = std::upper_bound(code_starts_.begin(), code_starts_.end(), code);
  std::size_t code_class = it == code_starts_.begin() ? 0 : static_cast<std::size_t>(it - code_starts_.begin()) - 1;
  return code_rows_[Index(row) * code_starts_.size() + code_class];
}

}  // namespace tagsling::regex
