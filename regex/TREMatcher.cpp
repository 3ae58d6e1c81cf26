#include "regex/TREMatcher.h"

#include <algorithm>
#include <cstring>

#include "common/Sjis.h"

namespace tagsling {

namespace {

// Memory allowed for the remembered dead pairs of one matcher.
constexpr std::size_t kMaxDeadBytes = 64u << 20;

}  // namespace

TREMatcher::TREMatcher(const TRE_DFA& dfa, std::string_view text, unsigned char lineSeparator)
    : dfa_(dfa),
      text_(reinterpret_cast<const unsigned char*>(text.data())),
      length_(text.size()),
      separator_(lineSeparator),
      head_(dfa.HeadAnchored() ? dfa.LineHeadTarget(TRE_DFA::kInitial) : TRE_DFA::kNone) {
  if (const void* nul = std::memchr(text.data(), 0, text.size()))
    length_ = static_cast<std::size_t>(static_cast<const char*>(nul) - text.data());
  rememberAfter_ = 4 * length_ + 4096;

  if (dfa.IsFinal(TRE_DFA::kInitial)) {
    std::fill(std::begin(candidate_), std::end(candidate_), true);  // a match starts anywhere
  } else {
    std::memcpy(candidate_, dfa.StartBytes(), sizeof candidate_);
    if (dfa.HasLineTail(TRE_DFA::kInitial)) candidate_[separator_] = true;  // "$" can end a match there
    if (head_ != TRE_DFA::kNone) candidate_['\n'] = true;                   // "^" can start after it
  }
  for (int byte = 0; byte < 256; ++byte)
    if (candidate_[byte]) {
      ++candidateCount_;
      singleCandidate_ = byte;
    }
  if (candidateCount_ != 1) singleCandidate_ = -1;
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

void TREMatcher::Add(std::vector<Thread>& threads, int state, std::size_t pos, std::size_t start) {
  std::size_t& taken = taken_[static_cast<std::size_t>(state)];
  if (taken == stamp_) return;  // an earlier start holds the state: same future
  taken = stamp_;
  if (remembering_) {
    if (IsDead(pos, state)) return;
    trail_.emplace_back(pos, state);
  }
  threads.push_back({state, start});
}

std::optional<TREMatchSpan> TREMatcher::Search(std::size_t from, Mode mode) {
  // A (position, state) pair is dead when the run from it can end no match.
  // Every pair walked after the last match end of a search is dead once all
  // threads have stopped: the run from a pair does not depend on its start.
  if (!remembering_ && steps_ > rememberAfter_) {
    remembering_ = true;
    dead_.resize(dfa_.StateCount());
  }
  if (taken_.empty()) taken_.assign(dfa_.StateCount(), 0);
  live_.clear();
  trail_.clear();
  const bool endMatches = mode.tryEnd && dfa_.MayEnd(TRE_DFA::kInitial);
  std::optional<TREMatchSpan> best;
  bool lineStart = mode.headAtStart && head_ != TRE_DFA::kNone;
  std::size_t pos = from;
  for (;;) {
    if (!best) {
      if (live_.empty()) {
        if (remembering_) BuryTrail();  // every thread stopped without a match
        pos = NextStart(pos, lineStart);
        ++stamp_;
      }
      if (lineStart) Add(live_, head_, pos, pos);
      if (pos < length_ ? candidate_[text_[pos]] : endMatches) Add(live_, TRE_DFA::kInitial, pos, pos);
    }
    for (std::size_t i = 0; i < live_.size(); ++i) {
      int state = live_[i].state;
      if (!dfa_.MayEnd(state) || !(dfa_.IsFinal(state) || AtLineEnd(pos))) continue;
      // The earliest start that can end here. Later starts lose to it.
      std::size_t start = live_[i].start;
      if (!best || start < best->start) best = TREMatchSpan{start, pos};
      best->end = pos;
      std::size_t keep = i + 1;
      while (keep < live_.size() && live_[keep].start == start) ++keep;
      live_.resize(keep);
      trail_.clear();  // pairs up to here may still lead to this end
      break;
    }
    if (pos >= length_ || (best && live_.empty())) break;

    ++stamp_;
    next_.clear();
    const unsigned char byte = text_[pos];
    if (pos + 1 < length_ && IsSjisLeadByte(byte)) {
      auto code = static_cast<std::uint16_t>(byte << 8 | text_[pos + 1]);
      pos += 2;
      for (const Thread& thread : live_) {
        int state = dfa_.Next(thread.state, code);
        if (state != TRE_DFA::kNone) Add(next_, state, pos, thread.start);
      }
      lineStart = false;
    } else {
      pos += 1;
      for (const Thread& thread : live_) {
        int state = dfa_.NextByte(thread.state, byte);
        if (state != TRE_DFA::kNone) Add(next_, state, pos, thread.start);
      }
      lineStart = byte == '\n' && mode.headAfterLineFeed && head_ != TRE_DFA::kNone;
    }
    steps_ += live_.size();
    live_.swap(next_);
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
