#include "ui/model/AutoActivationModel.h"

namespace tagsling::ui {

bool AutoActivationArmed(const AutoActivationState& s) {
  if (s.docked) return false;
  if (s.appActive && s.mainVisible) return false;
  if (!s.mainMaximized) return false;
  if (s.appMinimized) return false;
  if (s.busy) return false;
  return s.enabled;
}

bool PointerTriggersAutoActivation(platform::Point pointer, int desktopRight, int margin) {
  if (pointer.y >= 2) return false;
  if (margin >= pointer.x) return false;
  if (pointer.x >= desktopRight - margin) return false;
  return true;
}

AutoActivationAction DecideAutoActivation(const AutoActivationState& state, platform::Point pointer, int desktopRight,
                                          int margin) {
  if (!AutoActivationArmed(state) || !PointerTriggersAutoActivation(pointer, desktopRight, margin)) {
    return AutoActivationAction::None;
  }
  return state.mainVisible ? AutoActivationAction::BringToFront : AutoActivationAction::RaiseAndShow;
}

}  // namespace tagsling::ui
