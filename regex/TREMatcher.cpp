#include "regex/TREMatcher.h"

#include <algorithm>
#include <cstring>

#include "common/Sjis.h"

namespace tagsling {

namespace {

// Memory allowed for the remembered dead pairs of one matcher.
constexpr std::size_t kMaxDeadBytes = 64u << 20;
constexpr std::size_t kNoThread = static_cast<std::size_t>(-1);

}  // namespace

TREMatcher::TREMatcher(const TRE_DFA& dfa, std::string_view text, unsigned char lineSeparator)
    : dfa_(dfa),
      text_(reinterpret_cast<const unsigned char*>(text.data())),
      length_(text.size()),
      separator_(lineSeparator),
      head_(dfa.HeadAnchored() ? dfa.LineHeadTarget(TRE_DFA::kInitial) : TRE_DFA::kNone),
      initialMayEnd_(dfa.MayEnd(TRE_DFA::kInitial)),
      candidate_(dfa.SearchBytes()),
      candidateCount_(dfa.SearchByteCount()),
      singleCandidate_(dfa.SingleSearchByte()) {
  if (const void* nul = std::memchr(text.data(), 0, text.size()))
    length_ = static_cast<std::size_t>(static_cast<const char*>(nul) - text.data());
  rememberAfter_ = 4 * length_ + 4096;
  if (initialMayEnd_) {
    // A match may start anywhere (final) or at every separator ("$").
    const bool anywhere = dfa.IsFinal(TRE_DFA::kInitial);
    for (int byte = 0; byte < 256; ++byte) ownCandidates_[byte] = anywhere || candidate_[byte];
    ownCandidates_[separator_] = true;
    candidate_ = ownCandidates_;
    candidateCount_ = 0;
    for (bool on : ownCandidates_) candidateCount_ += on;
    singleCandidate_ = candidateCount_ == 1 ? separator_ : -1;
  }
}

std::size_t TREMatcher::CharLength(std::size_t pos) const {
  return pos + 1 < length_ && IsSjisLeadByte(text_[pos]) ? 2 : 1;
}

std::size_t TREMatcher::FindCandidate(std::size_t pos) const {
  if (singleCandidate_ >= 0) {
    const void* hit = std::memchr(text_ + pos, singleCandidate_, length_ - pos);
    return hit ? static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - text_) : length_;
  }
  if (candidateCount_ == 0) return length_;
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

std::size_t TREMatcher::NextStart(std::size_t pos, bool lineStart) const {
  for (;;) {
    if (pos >= length_ || lineStart) return std::min(pos, length_);
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
    if (deadBytes_ + words * 8 > kMaxDeadBytes) return;  // forget rather than grow without bound
    bits.assign(words, 0);
    deadBytes_ += words * 8;
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
  std::size_t firstEnd = kNoThread;
  const std::size_t at = pos;
  auto add = [&](int state, std::size_t to, std::size_t start) {
    if (state == TRE_DFA::kNone) return;
    if (firstEnd == kNoThread && dfa_.MayEnd(state)) firstEnd = added;
    Add<kRemember>(next, added, state, to, start);
  };
  const unsigned char byte = text_[at];
  if (at + 1 < length_ && IsSjisLeadByte(byte)) {
    auto code = static_cast<std::uint16_t>(byte << 8 | text_[at + 1]);
    pos = at + 2;
    for (std::size_t i = 0; i < count; ++i) add(dfa_.Next(live[i].state, code), pos, live[i].start);
    if (seed) add(dfa_.Next(TRE_DFA::kInitial, code), pos, at);
  } else {
    const int byteClass = dfa_.ByteClass(byte);
    pos = at + 1;
    for (std::size_t i = 0; i < count; ++i) add(dfa_.NextInClass(live[i].state, byteClass), pos, live[i].start);
    if (seed) add(dfa_.NextInClass(TRE_DFA::kInitial, byteClass), pos, at);
  }
  steps_ += count + (seed ? 1 : 0);
  if (firstEnd < added) EndCheck(next, added, firstEnd, pos, best);
  return added;
}

std::size_t TREMatcher::Walk(Thread* live, std::size_t count, std::size_t& position, std::optional<TREMatchSpan>& best,
                             bool& lineStartOut) {
  // The same steps as Step, with the threads in registers as row offsets of
  // the automaton's tables, and everything the loop reads in locals: nothing
  // is stored to memory until a match may end or the walk stops.
  const TRE_DFA::StepTables tables = dfa_.Tables();
  const unsigned shift = tables.shift;
  const unsigned char* const text = text_;
  const std::size_t length = length_;
  const bool* const candidate = candidate_;
  const bool lineFeedHead = head_ != TRE_DFA::kNone && lineFeedStarts_;
  auto rowOf = [shift](int state) -> std::ptrdiff_t {
    return state == TRE_DFA::kNone ? -1 : static_cast<std::ptrdiff_t>(state) << shift;
  };
  auto stateOf = [shift](std::ptrdiff_t row) { return static_cast<int>(row >> shift); };

  bool seeding = !best;
  bool lineStart = false;
  bool spilled = false;  // the threads are back in live
  std::ptrdiff_t r0 = count > 0 ? rowOf(live[0].state) : -1;
  std::ptrdiff_t r1 = count > 1 ? rowOf(live[1].state) : -1;
  std::size_t start0 = count > 0 ? live[0].start : 0;
  std::size_t start1 = count > 1 ? live[1].start : 0;
  std::size_t pos = position;
  std::size_t walked = 0;
  while (pos < length) {
    const std::size_t at = pos;
    const unsigned char byte = text[at];
    const bool seed = seeding && candidate[byte];
    std::ptrdiff_t u0 = -1, u1 = -1, u2 = -1;
    bool mayEnd = false;
    if (at + 1 < length && IsSjisLeadByte(byte)) {
      auto code = static_cast<std::uint16_t>(byte << 8 | text[at + 1]);
      pos = at + 2;
      if (count > 0) u0 = rowOf(dfa_.Next(stateOf(r0), code));
      if (count > 1) u1 = rowOf(dfa_.Next(stateOf(r1), code));
      if (seed) u2 = rowOf(dfa_.Next(TRE_DFA::kInitial, code));
      for (std::ptrdiff_t u : {u0, u1, u2}) mayEnd = mayEnd || (u >= 0 && tables.flags[stateOf(u)]);
    } else {
      const std::ptrdiff_t byteClass = tables.byteClass[byte];
      pos = at + 1;
      lineStart = byte == '\n' && lineFeedHead && seeding;  // "^" may start at pos
      if (count == 1 && !seed) {
        // One thread and no new one: the plain automaton walk.
        const std::ptrdiff_t i = r0 + byteClass;
        const std::ptrdiff_t u = tables.rows[i];
        ++walked;
        if (u >= 0 && !tables.ends[i] && !lineStart) {
          r0 = u;
          continue;
        }
        u0 = u;
        mayEnd = tables.ends[i];
        --walked;  // counted below
      } else {
        if (count > 0) {
          u0 = tables.rows[r0 + byteClass];
          mayEnd = tables.ends[r0 + byteClass];
        }
        if (count > 1) {
          u1 = tables.rows[r1 + byteClass];
          mayEnd = mayEnd || tables.ends[r1 + byteClass];
        }
        if (seed) {
          u2 = tables.rows[byteClass];  // the initial state is row 0
          mayEnd = mayEnd || tables.ends[byteClass];
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
    if (mayEnd) {
      Thread threads[3];
      for (std::size_t k = 0; k < n; ++k) threads[k] = Thread{stateOf(rows[k]), starts[k]};
      EndCheck(threads, n, 0, pos, best);  // keeps a prefix
      seeding = !best;
    }
    count = n;
    if (n == 3 || n == 0 || lineStart) {
      ++stamp_;  // the states at pos are taken by these threads
      for (std::size_t k = 0; k < n; ++k) {
        live[k] = Thread{stateOf(rows[k]), starts[k]};
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
    if (count > 0) live[0] = Thread{stateOf(r0), start0};
    if (count > 1) live[1] = Thread{stateOf(r1), start1};
  }
  steps_ += walked;
  position = pos;
  lineStartOut = lineStart;
  return count;
}

std::optional<TREMatchSpan> TREMatcher::Search(std::size_t from, Mode mode) {
  const TRESearchTable* table = dfa_.SearchTable();
  const bool quick = table && !initialMayEnd_ && !remembering_ && steps_ < rememberAfter_ &&
                     (head_ == TRE_DFA::kNone || mode.headAfterLineFeed);
  if (!quick) return Follow(from, mode.headAtStart && head_ != TRE_DFA::kNone, mode);

  // Walk the search table until a match may end, then follow the threads
  // from the last position where none was alive (the walk does not know
  // where runs started). Without a match the walk is the whole search.
  const std::int32_t* const rows = table->Rows();
  const TRE_DFA::StepTables steps = dfa_.Tables();
  const std::uint8_t* const byteClass = steps.byteClass;
  const unsigned char* const text = text_;
  const std::size_t length = length_;
  std::size_t pos = from;
  std::size_t quiet = from;
  std::int32_t row = TRESearchTable::kEmptyRow;
  if (mode.headAtStart && head_ != TRE_DFA::kNone) {
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
      const std::int32_t entry = rows[row + byteClass[text[pos]]];
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
      entry = rows[row + byteClass[byte]];
      pos += 1;
    }
    row = entry & ~TRESearchTable::kStop;
    if (table->HasFinal(row) || (table->HasTail(row) && AtLineEnd(pos)))
      return Follow(quiet, quiet == from && mode.headAtStart && head_ != TRE_DFA::kNone, mode);
  }
}

std::optional<TREMatchSpan> TREMatcher::Follow(std::size_t from, bool lineStart, Mode mode) {
  // A (position, state) pair is dead when the run from it can end no match.
  // Every pair walked after the last match end of a search is dead once all
  // threads have stopped: the run from a pair does not depend on its start.
  if (!remembering_ && steps_ >= rememberAfter_) {
    remembering_ = true;
    dead_.resize(dfa_.StateCount());
  }
  trail_.clear();
  const bool endMatches = mode.tryEnd && initialMayEnd_;
  const bool headAfterLineFeed = mode.headAfterLineFeed && head_ != TRE_DFA::kNone;
  lineFeedStarts_ = mode.headAfterLineFeed;
  std::optional<TREMatchSpan> best;
  std::size_t pos = from;
  Thread* live = nullptr;
  Thread* next = nullptr;
  std::size_t count = 0;
  for (;;) {
    if (count == 0) {
      if (best) break;
      if (remembering_) BuryTrail();  // every thread stopped without a match
      pos = NextStart(pos, lineStart);
      if (pos >= length_ && !lineStart && !endMatches) break;  // nothing left to start
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
    if (!best && (lineStart || (initialMayEnd_ && (pos < length_ ? candidate_[text_[pos]] : endMatches)))) {
      std::size_t before = count;
      if (remembering_) {
        if (lineStart) Add<true>(live, count, head_, pos, pos);
        if (initialMayEnd_) Add<true>(live, count, TRE_DFA::kInitial, pos, pos);
      } else {
        if (lineStart) Add<false>(live, count, head_, pos, pos);
        if (initialMayEnd_) Add<false>(live, count, TRE_DFA::kInitial, pos, pos);
      }
      EndCheck(live, count, before, pos, best);
    }
    if (pos >= length_ || (best && count == 0)) break;
    if (count <= 2 && !lineStart && !initialMayEnd_ && !remembering_) {
      count = Walk(live, count, pos, best, lineStart);
      continue;
    }
    // (A "^" alternative that ended a match here does not stop the initial
    // state from starting here too: same start, maybe a longer match.)
    const bool seed = (!best || best->start == pos) && !initialMayEnd_ && candidate_[text_[pos]];
    const bool lineFeed = text_[pos] == '\n';  // a single-byte character unless it is a trail byte
    const std::size_t at = pos;
    count =
        remembering_ ? Step<true>(live, count, next, pos, seed, best) : Step<false>(live, count, next, pos, seed, best);
    lineStart = headAfterLineFeed && lineFeed && pos == at + 1;
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

}  // namespace tagsling
