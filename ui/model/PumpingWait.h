#pragma once
// Waiting for another program without blocking the palette's thread.
//
// The user-interface thread hosts the low-level mouse hook and every window
// of the program. Windows silently removes a low-level hook that does not
// answer in time, and a window that does not answer looks hung. So a wait
// for another program (a started editor becoming idle, a DDE server
// starting, class detection's editor) never blocks the thread: it asks
// whether the wait is over, sleeps at most one slice (waking early when a
// message arrives), dispatches every waiting message, and asks again, until
// the answer comes or its bound has passed. A WM_QUIT met on the way ends
// the wait at once: the program is closing.
//
// The rule is portable; ui/ProgramWait supplies the Windows steps
// (WaitForInputIdle without waiting, MsgWaitForMultipleObjectsEx, the
// message pump, GetTickCount64) and the busy flag that refuses new commands
// while a wait runs. A message waits at most one slice.

#include <cstdint>
#include <functional>

namespace tagsling::ui {

enum class WaitPoll { kReady, kNotYet, kFailed };
enum class WaitOutcome { kReady, kFailed, kTimedOut, kQuit };

struct WaitSteps {
  std::function<WaitPoll()> poll;
  // Sleeps at most `ms`, returning early when a message arrives.
  std::function<void(unsigned ms)> sleep;
  // Dispatches every waiting message; false when WM_QUIT came.
  std::function<bool()> pump;
  // A monotonic clock in milliseconds.
  std::function<std::uint64_t()> now;
};

inline constexpr unsigned kWaitSliceMs = 50;
// The bounds of the program's waits.
inline constexpr unsigned kEditorIdleWaitMs = 10000;      // the editor started with EditorWindowMax
inline constexpr unsigned kDdeServerWaitMs = 10000;       // a browser's DDE server started for preview
inline constexpr unsigned kClassDetectionWaitMs = 30000;  // the editor started by class detection

// Polls first, so a wait whose answer is already there neither sleeps nor
// pumps. Never sleeps past the bound; kTimedOut once `bound_ms` have passed
// without an answer.
WaitOutcome WaitWhilePumping(const WaitSteps& steps, unsigned bound_ms, unsigned slice_ms = kWaitSliceMs);

}  // namespace tagsling::ui
