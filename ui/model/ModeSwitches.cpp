#include "ui/model/ModeSwitches.h"

namespace tagsling::ui {

SandwichIndicators ShowSandwichMode(bool sandwichMode) {
  return {sandwichMode, !sandwichMode, sandwichMode ? kSandwichModeIcon : kNormalModeIcon};
}

bool ModeFromOnButton(bool onButtonDown) { return onButtonDown; }
bool ModeFromOffButton(bool offButtonDown) { return !offButtonDown; }
bool ValueFromCheckItem(bool itemWasChecked) { return !itemWasChecked; }

ZOrder OnTopZOrder(bool onTop) { return onTop ? ZOrder::Topmost : ZOrder::NotTopmost; }

}  // namespace tagsling::ui
