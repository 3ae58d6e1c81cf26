#include "ui/model/AutoActivationModel.h"

#include <gtest/gtest.h>

namespace tagsling::ui {
namespace {

using platform::Point;

// A maximized, inactive palette with auto-activation on.
constexpr AutoActivationState kArmed{false, false, true, true, false, false, true};

TEST(AutoActivation, MarginExamplesOnA1024WideDesktop) {
  struct Case {
    Point pointer;
    bool raises;
  };
  const Case cases[] = {
      {{150, 0}, true},  {{150, 1}, true}, {{100, 0}, false}, {{101, 0}, true},
      {{924, 0}, false}, {{923, 1}, true}, {{150, 2}, false}, {{150, -1}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecideAutoActivation(kArmed, c.pointer, 1024, 100),
              c.raises ? AutoActivationAction::kBringToFront : AutoActivationAction::kNone)
        << c.pointer.x << "," << c.pointer.y;
  }
}

TEST(AutoActivation, MarginZeroTriggersEverywhereButTheLeftmostColumn) {
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 1024; ++x) EXPECT_EQ(PointerTriggersAutoActivation({x, y}, 1024, 0), x != 0) << x;
  }
  EXPECT_FALSE(PointerTriggersAutoActivation({500, 2}, 1024, 0));
}

TEST(AutoActivation, EachStateTestStopsIt) {
  struct Case {
    bool AutoActivationState::*field;
    bool value;
  };
  const Case cases[] = {
      {&AutoActivationState::docked, true},        {&AutoActivationState::main_maximized, false},
      {&AutoActivationState::app_minimized, true}, {&AutoActivationState::busy, true},
      {&AutoActivationState::enabled, false},
  };
  for (const Case& c : cases) {
    AutoActivationState s = kArmed;
    s.*c.field = c.value;
    EXPECT_EQ(DecideAutoActivation(s, {150, 0}, 1024, 100), AutoActivationAction::kNone);
  }
  AutoActivationState active_and_visible = kArmed;
  active_and_visible.app_active = true;
  EXPECT_EQ(DecideAutoActivation(active_and_visible, {150, 0}, 1024, 100), AutoActivationAction::kNone);
  // Active but hidden (resident in the tray): shown again.
  AutoActivationState active_hidden = kArmed;
  active_hidden.app_active = true;
  active_hidden.main_visible = false;
  EXPECT_EQ(DecideAutoActivation(active_hidden, {150, 0}, 1024, 100), AutoActivationAction::kRaiseAndShow);
}

}  // namespace
}  // namespace tagsling::ui
