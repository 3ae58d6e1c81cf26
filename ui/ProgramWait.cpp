#include "ui/ProgramWait.h"

#include "ui/Busy.h"
#include "win/MessagePump.h"

namespace tagsling::ui {

WaitOutcome WaitForInputIdlePumping(HANDLE process, unsigned bound_ms) {
  BusyScope busy(BusyFlag::kWaitingForProgram);
  WaitSteps steps;
  steps.poll = [process] {
    switch (WaitForInputIdle(process, 0)) {
      case 0:
        return WaitPoll::kReady;
      case WAIT_TIMEOUT:
        return WaitPoll::kNotYet;
      default:
        return WaitPoll::kFailed;
    }
  };
  // Wakes for a message, or when the process ends.
  steps.sleep = [process](unsigned ms) {
    MsgWaitForMultipleObjectsEx(1, &process, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  };
  steps.pump = win::PumpPendingMessages;
  steps.now = [] { return static_cast<std::uint64_t>(GetTickCount64()); };
  return WaitWhilePumping(steps, bound_ms);
}

}  // namespace tagsling::ui
