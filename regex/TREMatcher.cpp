#include "regex/TREMatcher.h"

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
      separator_(lineSeparator) {
  if (const void* nul = std::memchr(text.data(), 0, text.size()))
    length_ = static_cast<std::size_t>(static_cast<const char*>(nul) - text.data());
  rememberAfter_ = 4 * length_ + 4096;
}

std::size_t TREMatcher::CharLength(std::size_t pos) const {
  return pos + 1 < length_ && IsSjisLeadByte(text_[pos]) ? 2 : 1;
}

int TREMatcher::Step(int state, std::size_t& pos) const {
  unsigned char byte = text_[pos];
  if (pos + 1 < length_ && IsSjisLeadByte(byte)) {
    auto code = static_cast<std::uint16_t>(byte << 8 | text_[pos + 1]);
    pos += 2;
    return dfa_.Next(state, code);
  }
  ++pos;
  return dfa_.NextByte(state, byte);
}

std::optional<std::size_t> TREMatcher::Longest(std::size_t pos, int state) {
  if (!remembering_ && steps_ > rememberAfter_) remembering_ = true;
  return remembering_ ? LongestRemembering(pos, state) : LongestFast(pos, state);
}

std::optional<std::size_t> TREMatcher::LongestFast(std::size_t pos, int state) {
  std::optional<std::size_t> end;
  std::size_t start = pos;
  for (;;) {
    if (dfa_.MayEnd(state) && (dfa_.IsFinal(state) || AtLineEnd(pos))) end = pos;
    if (pos >= length_) break;
    state = Step(state, pos);
    if (state == TRE_DFA::kNone) break;
  }
  steps_ += pos - start + 1;
  return end;
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

std::optional<std::size_t> TREMatcher::LongestRemembering(std::size_t pos, int state) {
  // A (position, state) pair is dead when the run from it can end no match.
  // Every pair walked after the last match end of a run is dead once the run
  // stops, because the run from a pair does not depend on how it was reached.
  if (dead_.empty()) dead_.resize(dfa_.StateCount());
  trail_.clear();
  std::optional<std::size_t> end;
  for (;;) {
    if (dfa_.MayEnd(state) && (dfa_.IsFinal(state) || AtLineEnd(pos))) {
      end = pos;
      trail_.clear();
    } else {
      if (IsDead(pos, state)) break;
      trail_.emplace_back(pos, state);
    }
    if (pos >= length_) break;
    state = Step(state, pos);
    ++steps_;
    if (state == TRE_DFA::kNone) break;
  }
  for (const auto& [deadPos, deadState] : trail_) MarkDead(deadPos, deadState);
  return end;
}

std::optional<std::size_t> TREMatcher::AnchoredAt(std::size_t pos) {
  if (!dfa_.HeadAnchored()) return Longest(pos, TRE_DFA::kInitial);
  int head = dfa_.LineHeadTarget(TRE_DFA::kInitial);
  std::optional<std::size_t> h = head == TRE_DFA::kNone ? std::nullopt : Longest(pos, head);
  if (!h) return std::nullopt;
  std::optional<std::size_t> u = Longest(pos, TRE_DFA::kInitial);
  return u && *u >= *h ? u : h;
}

std::optional<TREMatchSpan> TREMatcher::Scan(std::size_t pos) {
  const bool skip = !dfa_.MayEnd(TRE_DFA::kInitial);
  for (; pos < length_; pos += CharLength(pos)) {
    if (skip && !dfa_.CanStart(text_[pos]) && text_[pos] != '\n') continue;
    if (auto end = Longest(pos, TRE_DFA::kInitial)) return TREMatchSpan{pos, *end};
    if (text_[pos] == '\n' && dfa_.HeadAnchored())
      if (auto end = AnchoredAt(pos + 1)) return TREMatchSpan{pos + 1, *end};
  }
  // The end of the text: "$" matches there, and so does a pattern that
  // matches the empty string (which the loop never reached on an empty rest).
  if (dfa_.IsFinal(TRE_DFA::kInitial) || dfa_.HasLineTail(TRE_DFA::kInitial)) return TREMatchSpan{length_, length_};
  return std::nullopt;
}

std::optional<TREMatchSpan> TREMatcher::PlainSearch(std::size_t pos) {
  if (pos >= length_) {
    if (dfa_.IsFinal(TRE_DFA::kInitial)) return TREMatchSpan{pos, pos};
    return std::nullopt;
  }
  const bool skip = !dfa_.MayEnd(TRE_DFA::kInitial);
  for (; pos < length_; pos += CharLength(pos)) {
    if (skip && !dfa_.CanStart(text_[pos])) continue;
    if (auto end = Longest(pos, TRE_DFA::kInitial)) return TREMatchSpan{pos, *end};
  }
  return std::nullopt;
}

std::optional<TREMatchSpan> TREMatcher::AnchoredSearch(std::size_t pos) {
  if (auto end = AnchoredAt(pos)) return TREMatchSpan{pos, *end};
  return Scan(pos);
}

}  // namespace tagsling
