#include "ui/model/AutoActivationModel.h"

namespace tagsling::ui {

bool AutoActivationArmed(const AutoActivationState& s) {
  if (s.docked) return false;
  if (s.app_active && s.main_visible) return false;
  if (!s.main_maximized) return false;
  if (s.app_minimized) return false;
  if (s.busy) return false;
  return s.enabled;
}

bool PointerTriggersAutoActivation(platform::Point pointer, int desktop_right, int margin) {
  if (pointer.y >= 2) return false;
  if (margin >= pointer.x) return false;
  if (pointer.x >= desktop_right - margin) return false;
  return true;
}

AutoActivationAction DecideAutoActivation(const AutoActivationState& state, platform::Point pointer, int desktop_right,
                                          int margin) {
  if (!AutoActivationArmed(state) || !PointerTriggersAutoActivation(pointer, desktop_right, margin)) {
    return AutoActivationAction::kNone;
  }
  return state.main_visible ? AutoActivationAction::kBringToFront : AutoActivationAction::kRaiseAndShow;
}

}  // namespace tagsling::ui
