#include "ui/ProgramWait.h"

#include "ui/Busy.h"

namespace tagsling::ui {
namespace {

// Dispatches every waiting message; false when WM_QUIT came, which is put
// back for the message loop.
bool PumpUntilQuit() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

}  // namespace

WaitOutcome WaitForInputIdlePumping(HANDLE process, unsigned bound_ms) {
  BusyScope busy(BusyFlag::WaitingForProgram);
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
  steps.pump = PumpUntilQuit;
  steps.now = [] { return static_cast<std::uint64_t>(GetTickCount64()); };
  return WaitWhilePumping(steps, bound_ms);
}

}  // namespace tagsling::ui
