// A held hot key acts once; a new press after the key or a modifier came up
// acts again.
#include "ui/model/HotKeyRepeat.h"

#include <gtest/gtest.h>

#include <set>

namespace tagsling::ui {
namespace {

constexpr unsigned kF11 = 0x7A, kF12 = 0x7B, kCtrl = 0x11, kShiftKey = 0x10;

struct Keyboard {
  std::set<unsigned> down;
  bool IsDown(unsigned key) const { return down.count(key) != 0; }
};

TEST(HotKeyRepeatFilter, RepeatsOfAHeldKeyAreDroppedUntilItComesUp) {
  struct Step {
    const char* what;
    std::set<unsigned> down;  // the keys held when the step happens
    int id;                   // 0: a poll; otherwise a WM_HOTKEY (Ctrl+F11 for 1, Ctrl+Shift+F12 for 2)
    bool expected;            // Accept's answer, or Poll's
  };
  const Step steps[] = {
      {"first press", {kCtrl, kF11}, 1, true},
      {"auto-repeat", {kCtrl, kF11}, 1, false},
      {"still held at the poll", {kCtrl, kF11}, 0, true},
      {"another repeat", {kCtrl, kF11}, 1, false},
      {"another hot key meanwhile", {kCtrl, kShiftKey, kF12}, 2, true},
      {"F11 released, F12 still held", {kCtrl, kShiftKey, kF12}, 0, true},
      {"F11 pressed again", {kCtrl, kF11}, 1, true},
      {"Shift of the second released", {kCtrl, kF11, kF12}, 0, true},
      {"the second pressed again", {kCtrl, kShiftKey, kF12}, 2, true},
      {"Ctrl released: nothing held", {kF11, kF12}, 0, false},
      {"a press after the release", {kCtrl, kF11}, 1, true},
  };
  HotKeyRepeatFilter filter;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    Keyboard keys{step.down};
    if (step.id == 0) {
      EXPECT_EQ(filter.Poll([&](unsigned key) { return keys.IsDown(key); }), step.expected);
    } else if (step.id == 1) {
      EXPECT_EQ(filter.Accept(1, HotKeyRepeatFilter::kControl, kF11), step.expected);
    } else {
      EXPECT_EQ(filter.Accept(2, HotKeyRepeatFilter::kControl | HotKeyRepeatFilter::kShift, kF12), step.expected);
    }
  }
}

}  // namespace
}  // namespace tagsling::ui
