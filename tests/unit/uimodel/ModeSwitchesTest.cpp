#include "ui/model/ModeSwitches.h"

#include <gtest/gtest.h>

#include "ui/model/MenuStates.h"

namespace tagsling::ui {
namespace {

bool SandwichCheckShown(bool mode) {
  MenuNode item;
  item.command = CommandId::kToggleSandwich;
  UiState state;
  state.sandwich_mode = mode;
  return OpenTimeState(item, state).checked;
}

// Whatever control switches the mode, the five controls and the icons agree
// the next time each is shown.
TEST(ModeSwitches, AllSandwichControlsAgreeAfterEverySource) {
  enum Source { MenuItem, OnButton, OffButton, HotKey };
  for (bool start : {false, true}) {
    for (Source source : {MenuItem, OnButton, OffButton, HotKey}) {
      bool mode = start;
      switch (source) {
        case MenuItem:
          mode = ValueFromCheckItem(SandwichCheckShown(mode));
          break;
        case OnButton:
          mode = ModeFromOnButton(true);
          break;  // the user pressed "挟み込みモード"
        case OffButton:
          mode = ModeFromOffButton(true);
          break;  // the user pressed "ノーマルモード"
        case HotKey:
          mode = !mode;
          break;
      }
      const SandwichIndicators shown = ShowSandwichMode(mode);
      EXPECT_NE(shown.on_button_down, shown.off_button_down);
      EXPECT_EQ(shown.on_button_down, mode);
      EXPECT_EQ(shown.icon, mode ? kSandwichModeIcon : kNormalModeIcon);
      EXPECT_EQ(SandwichCheckShown(mode), mode);
      if (source == MenuItem || source == HotKey) {
        EXPECT_NE(mode, start);
      }
      if (source == OnButton) {
        EXPECT_TRUE(mode);
      }
      if (source == OffButton) {
        EXPECT_FALSE(mode);
      }
    }
  }
}

TEST(ModeSwitches, OnTopPicksTheZOrder) {
  EXPECT_EQ(OnTopZOrder(ValueFromCheckItem(false)), ZOrder::kTopmost);
  EXPECT_EQ(OnTopZOrder(ValueFromCheckItem(true)), ZOrder::kNotTopmost);
}

}  // namespace
}  // namespace tagsling::ui
