#include "ui/model/Lifecycle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace tagsling::ui {
namespace {

TEST(LifecycleTest, CloseDecisions) {
  struct Case {
    bool tray, docked, exit_requested, minimized;
    CloseAction expected;
  };
  const Case cases[] = {
      {false, false, false, false, CloseAction::Close},
      {false, false, false, true, CloseAction::Close},
      {true, false, false, false, CloseAction::Hide},
      {true, false, false, true, CloseAction::Nothing},  // stays minimized and running
      {true, false, true, false, CloseAction::Close},    // the tray menu's exit
      {true, false, true, true, CloseAction::Close},
      {true, true, false, false, CloseAction::Close},  // docked never hides
      {true, true, false, true, CloseAction::Close},
  };
  for (const Case& c : cases) {
    const CloseState state{c.tray, c.docked, c.exit_requested, c.minimized};
    EXPECT_EQ(DecideClose(state), c.expected) << c.tray << c.docked << c.exit_requested << c.minimized;
  }
}

TEST(LifecycleTest, StartupWindows) {
  struct Case {
    StartupSettings startup;
    bool title, hidden;
  };
  const Case cases[] = {
      {{false, false, false, true}, true, false},  // defaults
      {{false, false, false, false}, false, false},
      {{true, true, false, true}, true, true},    // resident start: icon only
      {{false, true, false, true}, true, false},  // StartNoForm alone shows the window
      {{true, false, false, true}, true, false},
      {{true, true, true, true}, false, false},  // docked: no title, always shown
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShowsTitleWindow(c.startup), c.title);
    EXPECT_EQ(StartsHidden(c.startup), c.hidden);
  }
}

TEST(LifecycleTest, BusyWhileAnyFlagDialogOrDisabledWindow) {
  BusyState state;
  EXPECT_FALSE(IsBusy(state));
  for (size_t flag = 0; flag < static_cast<size_t>(BusyFlag::Count); ++flag) {
    BusyState one;
    one.flags.set(flag);
    EXPECT_TRUE(IsBusy(one)) << flag;
  }
  state.options_dialog_exists = true;
  EXPECT_TRUE(IsBusy(state));
  state = {};
  state.main_window_enabled = false;
  EXPECT_TRUE(IsBusy(state));
}

TEST(LifecycleTest, ReadsTheFourStartupKeys) {
  const auto path = std::filesystem::temp_directory_path() / "uishell_startup_test.INI";
  {
    std::ofstream file(path, std::ios::binary);
    file << "[option]\r\ntrayicon=1\r\nStartNoForm=0x1\r\nSplashWindow=0\r\nAppbar=abc\r\n";
  }
  const StartupSettings read = ReadStartupSettings(path.string());
  EXPECT_TRUE(read.tray_icon);
  EXPECT_TRUE(read.start_no_form);
  EXPECT_FALSE(read.splash_window);
  EXPECT_FALSE(read.appbar);  // not a number: the default
  std::filesystem::remove(path);

  const StartupSettings missing = ReadStartupSettings(path.string());
  EXPECT_FALSE(missing.tray_icon);
  EXPECT_FALSE(missing.start_no_form);
  EXPECT_FALSE(missing.appbar);
  EXPECT_TRUE(missing.splash_window);
}

}  // namespace
}  // namespace tagsling::ui
