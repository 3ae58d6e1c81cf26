#include "preview/ChangeBatcher.h"

#include <algorithm>

namespace tagsling::preview {
namespace {

std::u16string Lowered(std::u16string_view path) {
  std::u16string out(path);
  for (char16_t& c : out) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c == u'\\') c = u'/';
  }
  return out;
}

bool IsStyleSheet(const std::u16string& lowered) { return lowered.ends_with(u".css"); }

}  // namespace

void ChangeBatcher::Add(std::u16string_view path, ChangeAction action, Clock::time_point now) {
  if (!first_) first_ = now;
  last_ = now;
  const bool creates = action == ChangeAction::kAdded || action == ChangeAction::kRenamedNew;
  const bool removes = action == ChangeAction::kRemoved || action == ChangeAction::kRenamedOld;
  auto [it, inserted] = files_.try_emplace(Lowered(path));
  if (inserted) it->second.created_here = creates;
  if (!creates && !removes) it->second.touched = true;
  if (removes) it->second.stands = false;
  if (creates) it->second.stands = true;
}

void ChangeBatcher::AddOverflow(Clock::time_point now) {
  if (!first_) first_ = now;
  last_ = now;
  overflow_ = true;
}

std::optional<Clock::time_point> ChangeBatcher::Deadline() const {
  if (!first_) return std::nullopt;
  return std::min(last_ + kQuietTime, *first_ + kLongestWait);
}

std::optional<BrowserEvent> ChangeBatcher::TakeDue(Clock::time_point now) {
  const std::optional<Clock::time_point> deadline = Deadline();
  if (!deadline || now < *deadline) return std::nullopt;
  // What the page may show is what stands now; files gone only reload when
  // they stood before the group (not a save's temporary file, even one
  // whose creation was reported as a change).
  bool standing = false;
  bool standing_only_css = true;
  bool removed_for_good = false;
  for (const auto& [path, state] : files_) {
    if (state.stands) {
      standing = true;
      if (!IsStyleSheet(path)) standing_only_css = false;
    } else if (!state.created_here && !state.touched) {
      removed_for_good = true;
    }
  }
  const bool overflow = overflow_;
  files_.clear();
  overflow_ = false;
  first_.reset();
  if (overflow || (standing && !standing_only_css)) return BrowserEvent::kReload;
  if (standing) return BrowserEvent::kCss;
  if (removed_for_good) return BrowserEvent::kReload;
  return std::nullopt;
}

}  // namespace tagsling::preview
