#pragma once
// Groups the file-change notices of the served folder into one browser
// event. An editor's save is often several notices (a temporary file
// written, the old file renamed or deleted, the temporary renamed into
// place); they arrive within a few milliseconds, so notices are collected
// until kQuietTime has passed without a new one (at most kLongestWait after
// the first), and then give one event.
//
// The event is "css" when every file that was touched and still stands is a
// style sheet (the page swaps its sheets and keeps its state), else
// "reload". A file that is gone at the end of the group counts only when it
// was neither created nor written inside the group (a page deleted): one
// that was is an editor's temporary, whose creation the system may also
// report as a mere change. A group of temporaries only gives no event.
//
// The clock is passed in, so the grouping runs on simulated time in tests.

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace tagsling::preview {

using Clock = std::chrono::steady_clock;

inline constexpr std::chrono::milliseconds kQuietTime{100};
inline constexpr std::chrono::milliseconds kLongestWait{1000};

// What ReadDirectoryChangesW reports for a name.
enum class ChangeAction : std::uint8_t { kAdded, kRemoved, kModified, kRenamedOld, kRenamedNew };

enum class BrowserEvent : std::uint8_t { kReload, kCss };

class ChangeBatcher {
 public:
  // `path` relative to the served folder, any separator and case.
  void Add(std::u16string_view path, ChangeAction action, Clock::time_point now);
  // The change notices were lost (the system's buffer overflowed): the next
  // event must be a reload.
  void AddOverflow(Clock::time_point now);

  // When the pending group is due, or nullopt when nothing is pending.
  std::optional<Clock::time_point> Deadline() const;
  // The event of the pending group once it is due (and forgets the group);
  // nullopt while it is not due, or when it held only temporaries.
  std::optional<BrowserEvent> TakeDue(Clock::time_point now);

 private:
  struct FileState {
    bool created_here = false;  // first seen being added or renamed into place
    bool touched = false;       // written to within the group
    bool stands = true;         // not removed or renamed away afterwards
  };
  std::map<std::u16string, FileState> files_;
  bool overflow_ = false;
  std::optional<Clock::time_point> first_;
  Clock::time_point last_{};
};

}  // namespace tagsling::preview
