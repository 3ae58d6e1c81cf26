#include "ui/model/PumpingWait.h"

#include <algorithm>

namespace tagsling::ui {

WaitOutcome WaitWhilePumping(const WaitSteps& steps, unsigned bound_ms, unsigned slice_ms) {
  const std::uint64_t start = steps.now();
  for (;;) {
    switch (steps.poll()) {
      case WaitPoll::kReady:
        return WaitOutcome::kReady;
      case WaitPoll::kFailed:
        return WaitOutcome::kFailed;
      case WaitPoll::kNotYet:
        break;
    }
    const std::uint64_t elapsed = steps.now() - start;
    if (elapsed >= bound_ms) return WaitOutcome::kTimedOut;
    steps.sleep(static_cast<unsigned>(std::min<std::uint64_t>(std::max(slice_ms, 1u), bound_ms - elapsed)));
    if (!steps.pump()) return WaitOutcome::kQuit;
  }
}

}  // namespace tagsling::ui
