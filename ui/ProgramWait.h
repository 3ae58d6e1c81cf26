#pragma once
// Waiting for another program on the palette's thread without blocking it
// (the rule: ui/model/PumpingWait.h). While a wait runs the busy flag
// WaitingForProgram is set, so hot keys, the notification-area icon and
// auto-activation do nothing and the palette refuses new commands with a
// beep, as while an insertion runs.

#include <windows.h>

#include "ui/model/PumpingWait.h"

namespace tagsling::ui {

// Waits until `process` waits for input (WaitForInputIdle), at most
// `bound_ms`, dispatching this thread's messages meanwhile. kFailed when the
// process cannot be waited for (it has no message queue, or has ended).
WaitOutcome WaitForInputIdlePumping(HANDLE process, unsigned bound_ms);

}  // namespace tagsling::ui
