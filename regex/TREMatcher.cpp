#include "regex/TREMatcher.h"

#include <algorithm>
#include <cstring>

#include "common/Sjis.h"

namespace tagsling::regex {

namespace {

// Memory allowed for the remembered dead pairs of one matcher.
constexpr std::size_t kMaxDeadBytes = 64u << 20;
constexpr std::size_t kNoThread = static_cast<std::size_t>(-1);

}  // namespace

TREMatcher::TREMatcher(const TRE_DFA& dfa, std::string_view text, unsigned char line_separator)
    : dfa_(dfa),
      text_(reinterpret_cast<const unsigned char*>(text.data())),
      length_(text.size()),
      separator_(line_separator),
      head_(dfa.HeadAnchored() ? dfa.LineHeadTarget(TRE_DFA::kInitial) : TRE_DFA::kNone),
      initial_may_end_(dfa.MayEnd(TRE_DFA::kInitial)),
      candidate_(dfa.SearchBytes()),
      candidate_count_(dfa.SearchByteCount()),
      single_candidate_(dfa.SingleSearchByte()) {
  if (const void* nul = std::memchr(text.data(), 0, text.size()))
    length_ = static_cast<std::size_t>(static_cast<const char*>(nul) - text.data());
  remember_after_ = 4 * length_ + 4096;
  if (initial_may_end_) {
    // A match may start anywhere (final) or at every separator ("$").
    const bool anywhere = dfa.IsFinal(TRE_DFA::kInitial);
    for (int byte = 0; byte < 256; ++byte) own_candidates_[byte] = anywhere || candidate_[byte];
    own_candidates_[separator_] = true;
    candidate_ = own_candidates_;
    candidate_count_ = 0;
    for (bool on : own_candidates_) candidate_count_ += on;
    single_candidate_ = candidate_count_ == 1 ? separator_ : -1;
  }
}

std::size_t TREMatcher::CharLength(std::size_t pos) const {
  return pos + 1 < length_ && IsSjisLeadByte(text_[pos]) ? 2 : 1;
}

std::size_t TREMatcher::FindCandidate(std::size_t pos) const {
  if (single_candidate_ >= 0) {
    const void* hit = std::memchr(text_ + pos, single_candidate_, length_ - pos);
    return hit ? static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - text_) : length_;
  }
  if (candidate_count_ == 0) return length_;
  const std::size_t end = length_;
  while (pos + 4 <= end) {
    if (candidate_[text_[pos]]) return pos;
    if (candidate_[text_[pos + 1]]) return pos + 1;
    if (candidate_[text_[pos + 2]]) return pos + 2;
    if (candidate_[text_[pos + 3]]) return pos + 3;
    pos += 4;
  }
  while (pos < end && !candidate_[text_[pos]]) ++pos;
  return pos;
}

bool TREMatcher::OnBoundary(std::size_t from, std::size_t pos) const {
  // The byte before a run of lead bytes ends a character (a non-lead byte is
  // a single-byte character or a trail byte), so the run starts on a
  // character start and its lead bytes pair off from there. Every lead byte
  // before pos has a byte after it inside the text.
  std::size_t run = pos;
  while (run > from && IsSjisLeadByte(text_[run - 1])) --run;
  return (pos - run) % 2 == 0;
}

std::size_t TREMatcher::NextStart(std::size_t pos, bool line_start) const {
  for (;;) {
    if (pos >= length_ || line_start) return std::min(pos, length_);
    std::size_t hit = FindCandidate(pos);
    if (hit >= length_) return length_;
    if (OnBoundary(pos, hit)) return hit;
    pos = hit + 1;  // hit is a trail byte: the character ends after it
  }
}

bool TREMatcher::IsDead(std::size_t pos, int state) const {
  const std::vector<std::uint64_t>& bits = dead_[static_cast<std::size_t>(state)];
  return !bits.empty() && (bits[pos >> 6] >> (pos & 63) & 1);
}

void TREMatcher::MarkDead(std::size_t pos, int state) {
  std::vector<std::uint64_t>& bits = dead_[static_cast<std::size_t>(state)];
  if (bits.empty()) {
    std::size_t words = (length_ >> 6) + 1;
    if (dead_bytes_ + words * 8 > kMaxDeadBytes) return;  // forget rather than grow without bound
    bits.assign(words, 0);
    dead_bytes_ += words * 8;
  }
  bits[pos >> 6] |= std::uint64_t{1} << (pos & 63);
}

void TREMatcher::BuryTrail() {
  for (const auto& [pos, state] : trail_) MarkDead(pos, state);
  trail_.clear();
}

template <bool kRemember>
void TREMatcher::Add(Thread* threads, std::size_t& count, int state, std::size_t pos, std::size_t start) {
  std::size_t& taken = taken_[static_cast<std::size_t>(state)];
  if (taken == stamp_) return;  // an earlier start holds the state: same future
  taken = stamp_;
  if constexpr (kRemember) {
    if (IsDead(pos, state)) return;
    trail_.emplace_back(pos, state);
  }
  threads[count++] = Thread{state, start};
}

void TREMatcher::EndCheck(Thread* threads, std::size_t& count, std::size_t first, std::size_t pos,
                          std::optional<TREMatchSpan>& best) {
  for (std::size_t i = first; i < count; ++i) {
    int state = threads[i].state;
    if (!dfa_.MayEnd(state) || !(dfa_.IsFinal(state) || AtLineEnd(pos))) continue;
    std::size_t start = threads[i].start;
    if (!best || start < best->start) best = TREMatchSpan{start, pos};
    best->end = pos;
    std::size_t keep = i + 1;
    while (keep < count && threads[keep].start == start) ++keep;
    count = keep;
    trail_.clear();  // pairs up to here may still lead to this end
    return;
  }
}

template <bool kRemember>
std::size_t TREMatcher::Step(const Thread* live, std::size_t count, Thread* next, std::size_t& pos, bool seed,
                             std::optional<TREMatchSpan>& best) {
  ++stamp_;
  std::size_t added = 0;
  std::size_t first_end = kNoThread;
  const std::size_t at = pos;
  auto add = [&](int state, std::size_t to, std::size_t start) {
    if (state == TRE_DFA::kNone) return;
    if (first_end == kNoThread && dfa_.MayEnd(state)) first_end = added;
    Add<kRemember>(next, added, state, to, start);
  };
  const unsigned char byte = text_[at];
  if (at + 1 < length_ && IsSjisLeadByte(byte)) {
    auto code = static_cast<std::uint16_t>(byte << 8 | text_[at + 1]);
    pos = at + 2;
    for (std::size_t i = 0; i < count; ++i) add(dfa_.Next(live[i].state, code), pos, live[i].start);
    if (seed) add(dfa_.Next(TRE_DFA::kInitial, code), pos, at);
  } else {
    const int byte_class = dfa_.ByteClass(byte);
    pos = at + 1;
    for (std::size_t i = 0; i < count; ++i) add(dfa_.NextInClass(live[i].state, byte_class), pos, live[i].start);
    if (seed) add(dfa_.NextInClass(TRE_DFA::kInitial, byte_class), pos, at);
  }
  steps_ += count + (seed ? 1 : 0);
  if (first_end < added) EndCheck(next, added, first_end, pos, best);
  return added;
}

std::size_t TREMatcher::Walk(Thread* live, std::size_t count, std::size_t& position, std::optional<TREMatchSpan>& best,
                             bool& line_start_out) {
  // The same steps as Step, with the threads in registers as row offsets of
  // the automaton's tables, and everything the loop reads in locals: nothing
  // is stored to memory until a match may end or the walk stops.
  const TRE_DFA::StepTables tables = dfa_.Tables();
  const unsigned shift = tables.shift;
  const unsigned char* const text = text_;
  const std::size_t length = length_;
  const bool* const candidate = candidate_;
  const bool line_feed_head = head_ != TRE_DFA::kNone && line_feed_starts_;
  auto row_of = [shift](int state) -> std::ptrdiff_t {
    return state == TRE_DFA::kNone ? -1 : static_cast<std::ptrdiff_t>(state) << shift;
  };
  auto state_of = [shift](std::ptrdiff_t row) { return static_cast<int>(row >> shift); };

  bool seeding = !best;
  bool line_start = false;
  bool spilled = false;  // the threads are back in live
  std::ptrdiff_t r0 = count > 0 ? row_of(live[0].state) : -1;
  std::ptrdiff_t r1 = count > 1 ? row_of(live[1].state) : -1;
  std::size_t start0 = count > 0 ? live[0].start : 0;
  std::size_t start1 = count > 1 ? live[1].start : 0;
  std::size_t pos = position;
  std::size_t walked = 0;
  while (pos < length) {
    const std::size_t at = pos;
    const unsigned char byte = text[at];
    const bool seed = seeding && candidate[byte];
    std::ptrdiff_t u0 = -1, u1 = -1, u2 = -1;
    bool may_end = false;
    if (at + 1 < length && IsSjisLeadByte(byte)) {
      auto code = static_cast<std::uint16_t>(byte << 8 | text[at + 1]);
      pos = at + 2;
      if (count > 0) u0 = row_of(dfa_.Next(state_of(r0), code));
      if (count > 1) u1 = row_of(dfa_.Next(state_of(r1), code));
      if (seed) u2 = row_of(dfa_.Next(TRE_DFA::kInitial, code));
      for (std::ptrdiff_t u : {u0, u1, u2}) may_end = may_end || (u >= 0 && tables.flags[state_of(u)]);
    } else {
      const std::ptrdiff_t byte_class = tables.byte_class[byte];
      pos = at + 1;
      line_start = byte == '\n' && line_feed_head && seeding;  // "^" may start at pos
      if (count == 1 && !seed) {
        // One thread and no new one: the plain automaton walk.
        const std::ptrdiff_t i = r0 + byte_class;
        const std::ptrdiff_t u = tables.rows[i];
        ++walked;
        if (u >= 0 && !tables.ends[i] && !line_start) {
          r0 = u;
          continue;
        }
        u0 = u;
        may_end = tables.ends[i];
        --walked;  // counted below
      } else {
        if (count > 0) {
          u0 = tables.rows[r0 + byte_class];
          may_end = tables.ends[r0 + byte_class];
        }
        if (count > 1) {
          u1 = tables.rows[r1 + byte_class];
          may_end = may_end || tables.ends[r1 + byte_class];
        }
        if (seed) {
          u2 = tables.rows[byte_class];  // the initial state is row 0
          may_end = may_end || tables.ends[byte_class];
        }
      }
    }
    walked += count + (seed ? 1 : 0);
    // Keep the earliest start of each state, in start order.
    std::ptrdiff_t rows[3];
    std::size_t starts[3];
    std::size_t n = 0;
    if (u0 >= 0) {
      rows[n] = u0;
      starts[n++] = start0;
    }
    if (u1 >= 0 && u1 != u0) {
      rows[n] = u1;
      starts[n++] = start1;
    }
    if (u2 >= 0 && u2 != u0 && u2 != u1) {
      rows[n] = u2;
      starts[n++] = at;
    }
    if (may_end) {
      Thread threads[3];
      for (std::size_t k = 0; k < n; ++k) threads[k] = Thread{state_of(rows[k]), starts[k]};
      EndCheck(threads, n, 0, pos, best);  // keeps a prefix
      seeding = !best;
    }
    count = n;
    if (n == 3 || n == 0 || line_start) {
      ++stamp_;  // the states at pos are taken by these threads
      for (std::size_t k = 0; k < n; ++k) {
        live[k] = Thread{state_of(rows[k]), starts[k]};
        taken_[static_cast<std::size_t>(live[k].state)] = stamp_;
      }
      spilled = true;
      break;
    }
    r0 = rows[0];
    start0 = starts[0];
    r1 = n > 1 ? rows[1] : -1;
    start1 = n > 1 ? starts[1] : 0;
  }
  if (!spilled) {
    if (count > 0) live[0] = Thread{state_of(r0), start0};
    if (count > 1) live[1] = Thread{state_of(r1), start1};
  }
  steps_ += walked;
  position = pos;
  line_start_out = line_start;
  return count;
}

std::optional<TREMatchSpan> TREMatcher::Search(std::size_t from, Mode mode) {
  const TRESearchTable* table = dfa_.SearchTable();
  const bool quick = table && !initial_may_end_ && !remembering_ && steps_ < remember_after_ &&
                     (head_ == TRE_DFA::kNone || mode.head_after_line_feed);
  if (!quick) return Follow(from, mode.head_at_start && head_ != TRE_DFA::kNone, mode);

  // Walk the search table until a match may end, then follow the threads
  // from the last position where none was alive (the walk does not know
  // where runs started). Without a match the walk is the whole search.
  const std::int32_t* const rows = table->Rows();
  const TRE_DFA::StepTables steps = dfa_.Tables();
  const std::uint8_t* const byte_class = steps.byte_class;
  const unsigned char* const text = text_;
  const std::size_t length = length_;
  std::size_t pos = from;
  std::size_t quiet = from;
  std::int32_t row = TRESearchTable::kEmptyRow;
  if (mode.head_at_start && head_ != TRE_DFA::kNone) {
    row = table->HeadRow();
    if (table->HasFinal(row) || (table->HasTail(row) && AtLineEnd(pos))) return Follow(from, true, mode);
  }
  for (;;) {
    if (row == TRESearchTable::kEmptyRow) {
      pos = NextStart(pos, false);
      quiet = pos;
      if (pos >= length) return std::nullopt;
    }
    while (pos < length) {
      const std::int32_t entry = rows[row + byte_class[text[pos]]];
      if (entry & TRESearchTable::kStop) break;
      row = entry;
      ++pos;
    }
    if (pos >= length) return std::nullopt;
    const unsigned char byte = text[pos];
    std::int32_t entry;
    if (pos + 1 < length && IsSjisLeadByte(byte)) {
      entry = table->CodeEntry(row, static_cast<std::uint16_t>(byte << 8 | text[pos + 1]));
      pos += 2;
    } else {
      entry = rows[row + byte_class[byte]];
      pos += 1;
    }
    row = entry & ~TRESearchTable::kStop;
    if (table->HasFinal(row) || (table->HasTail(row) && AtLineEnd(pos)))
      return Follow(quiet, quiet == from && mode.head_at_start && head_ != TRE_DFA::kNone, mode);
  }
}

std::optional<TREMatchSpan> TREMatcher::Follow(std::size_t from, bool line_start, Mode mode) {
  // A (position, state) pair is dead when the run from it can end no match.
  // Every pair walked after the last match end of a search is dead once all
  // threads have stopped: the run from a pair does not depend on its start.
  if (!remembering_ && steps_ >= remember_after_) {
    remembering_ = true;
    dead_.resize(dfa_.StateCount());
  }
  trail_.clear();
  const bool end_matches = mode.try_end && initial_may_end_;
  const bool head_after_line_feed = mode.head_after_line_feed && head_ != TRE_DFA::kNone;
  line_feed_starts_ = mode.head_after_line_feed;
  std::optional<TREMatchSpan> best;
  std::size_t pos = from;
  Thread* live = nullptr;
  Thread* next = nullptr;
  std::size_t count = 0;
  for (;;) {
    if (count == 0) {
      if (best) break;
      if (remembering_) BuryTrail();  // every thread stopped without a match
      pos = NextStart(pos, line_start);
      if (pos >= length_ && !line_start && !end_matches) break;  // nothing left to start
      if (threads_.empty()) {
        threads_.resize(2 * dfa_.StateCount());
        taken_.assign(dfa_.StateCount(), 0);
      }
      if (!live) {
        live = threads_.data();
        next = live + dfa_.StateCount();
      }
      ++stamp_;
    }
    // New threads that may end a match where they start: "^" alternatives
    // at a line start, and the initial state when it is final or has "$".
    // Other new threads start inside Step.
    if (!best && (line_start || (initial_may_end_ && (pos < length_ ? candidate_[text_[pos]] : end_matches)))) {
      std::size_t before = count;
      if (remembering_) {
        if (line_start) Add<true>(live, count, head_, pos, pos);
        if (initial_may_end_) Add<true>(live, count, TRE_DFA::kInitial, pos, pos);
      } else {
        if (line_start) Add<false>(live, count, head_, pos, pos);
        if (initial_may_end_) Add<false>(live, count, TRE_DFA::kInitial, pos, pos);
      }
      EndCheck(live, count, before, pos, best);
    }
    if (pos >= length_ || (best && count == 0)) break;
    if (count <= 2 && !line_start && !initial_may_end_ && !remembering_) {
      count = Walk(live, count, pos, best, line_start);
      continue;
    }
    // (A "^" alternative that ended a match here does not stop the initial
    // state from starting here too: same start, maybe a longer match.)
    const bool seed = (!best || best->start == pos) && !initial_may_end_ && candidate_[text_[pos]];
    const bool line_feed = text_[pos] == '\n';  // a single-byte character unless it is a trail byte
    const std::size_t at = pos;
    count =
        remembering_ ? Step<true>(live, count, next, pos, seed, best) : Step<false>(live, count, next, pos, seed, best);
    line_start = head_after_line_feed && line_feed && pos == at + 1;
    std::swap(live, next);
  }
  if (remembering_) BuryTrail();  // the pairs after the last match end
  return best;
}

std::optional<TREMatchSpan> TREMatcher::Scan(std::size_t pos) {
  return Search(std::min(pos, length_), Mode{false, true, true});
}

std::optional<TREMatchSpan> TREMatcher::PlainSearch(std::size_t pos) {
  if (pos >= length_) {
    if (dfa_.IsFinal(TRE_DFA::kInitial)) return TREMatchSpan{pos, pos};
    return std::nullopt;
  }
  return Search(pos, Mode{false, false, false});
}

std::optional<TREMatchSpan> TREMatcher::AnchoredSearch(std::size_t pos) {
  return Search(std::min(pos, length_), Mode{true, true, true});
}

}  // namespace tagsling::regex
