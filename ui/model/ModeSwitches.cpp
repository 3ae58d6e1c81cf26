#include "ui/model/ModeSwitches.h"

namespace tagsling::ui {

SandwichIndicators ShowSandwichMode(bool sandwich_mode) {
  return {sandwich_mode, !sandwich_mode, sandwich_mode ? kSandwichModeIcon : kNormalModeIcon};
}

bool ModeFromOnButton(bool on_button_down) { return on_button_down; }
bool ModeFromOffButton(bool off_button_down) { return !off_button_down; }
bool ValueFromCheckItem(bool item_was_checked) { return !item_was_checked; }

ZOrder OnTopZOrder(bool on_top) { return on_top ? ZOrder::kTopmost : ZOrder::kNotTopmost; }

}  // namespace tagsling::ui
