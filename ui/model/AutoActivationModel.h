#pragma once
// Auto-activation: the mouse-hook library sends 0x464 as the pointer moves;
// a maximized, inactive palette raises itself when the pointer touches the
// top edge of the screen outside the dead zones of "AutoActive_Margin"
// pixels at both ends. The tests run in a fixed order and the first that
// holds ends the handling; the message can arrive for every mouse move, so
// the work is a handful of flag tests and two comparisons.

#include "platform/Types.h"

namespace tagsling::ui {

struct AutoActivationState {
  bool docked;
  bool app_active;
  bool main_visible;
  bool main_maximized;
  bool app_minimized;
  bool busy;     // IsBusy
  bool enabled;  // "AutoActive_OnTop"
};

enum class AutoActivationAction {
  kNone,
  kBringToFront,  // visible: raise the application window (core::BringToFrontAttached)
  kRaiseAndShow,  // hidden: raise the application window and show the main window
};

// Tests 1 to 6: whether the pointer needs to be looked at at all.
bool AutoActivationArmed(const AutoActivationState& state);

// Test 7: the pointer is in the top two pixel rows, right of the left margin
// and left of the right one. `desktop_right` is the desktop's right edge.
bool PointerTriggersAutoActivation(platform::Point pointer, int desktop_right, int margin);

// All tests. The pointer and the desktop are only read when the state is armed.
AutoActivationAction DecideAutoActivation(const AutoActivationState& state, platform::Point pointer, int desktop_right,
                                          int margin);

}  // namespace tagsling::ui
