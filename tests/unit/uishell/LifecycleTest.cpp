#include "tests/unit/support/ScratchFolder.h"
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
      {false, false, false, false, CloseAction::kClose},
      {false, false, false, true, CloseAction::kClose},
      {true, false, false, false, CloseAction::kHide},
      {true, false, false, true, CloseAction::kNothing},  // stays minimized and running
      {true, false, true, false, CloseAction::kClose},    // the tray menu's exit
      {true, false, true, true, CloseAction::kClose},
      {true, true, false, false, CloseAction::kClose},  // docked never hides
      {true, true, false, true, CloseAction::kClose},
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
  for (size_t flag = 0; flag < static_cast<size_t>(BusyFlag::kCount); ++flag) {
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
  test::ScratchFolder folder;
  const std::string path = folder.Path("Tagsling.INI");
  test::PutFile(path, "[option]\r\ntrayicon=1\r\nStartNoForm=0x1\r\nSplashWindow=0\r\nAppbar=abc\r\n");
  const StartupSettings read = ReadStartupSettings(path);
  EXPECT_TRUE(read.tray_icon);
  EXPECT_TRUE(read.start_no_form);
  EXPECT_FALSE(read.splash_window);
  EXPECT_FALSE(read.appbar);  // not a number: the default
  std::filesystem::remove(path);

  const StartupSettings missing = ReadStartupSettings(path);
  EXPECT_FALSE(missing.tray_icon);
  EXPECT_FALSE(missing.start_no_form);
  EXPECT_FALSE(missing.appbar);
  EXPECT_TRUE(missing.splash_window);
}

// Docking reads the same keys as the settings record, with the record's
// defaults: no key docks nothing, and a docked palette has no menu bar.
TEST(LifecycleTest, ReadsTheDockedChoiceThroughTheSettingsTable) {
  test::ScratchFolder folder;
  const std::string path = folder.Path("Tagsling.INI");
  struct Case {
    const char* file;
    bool docked;
    bool no_menu_bar;
  };
  const Case cases[] = {
      {"", false, true},
      {"[Option]\r\nAppbar=1\r\nNoMenuBar=0\r\n", true, false},
      {"[option]\r\nappbar=1\r\n", true, true},
      {"[Option]\r\nAppbar=x\r\nNoMenuBar=1\r\n", false, true},
  };
  for (const Case& c : cases) {
    test::PutFile(path, c.file);
    const DockedChoice choice = ReadDockedChoice(path);
    EXPECT_EQ(choice.docked, c.docked) << c.file;
    EXPECT_EQ(choice.no_menu_bar, c.no_menu_bar) << c.file;
  }
}

}  // namespace
}  // namespace tagsling::ui
