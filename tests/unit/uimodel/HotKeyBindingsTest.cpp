#include "ui/model/HotKeyBindings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tagsling::ui {
namespace {

TEST(HotKeyBindings, TwentySevenIdsInAscendingOrderWithDistinctSettings) {
  const auto keys = AllHotKeys();
  ASSERT_EQ(keys.size(), 27u);
  std::set<std::string> settings;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].id, static_cast<int>(i) + 1);
    EXPECT_TRUE(settings.insert(std::string(keys[i].setting_key)).second) << keys[i].setting_key;
    EXPECT_NE(keys[i].command, CommandId::kNone);
  }
}

TEST(HotKeyBindings, DispatchesByIdentifier) {
  struct Case {
    int id;
    CommandId command;
  };
  const Case cases[] = {
      {1, CommandId::kShowTagMenu},
      {2, CommandId::kActivateMainWindow},
      {4, CommandId::kForegroundBrowser640},
      {7, CommandId::kShowShortTagMenu},
      {14, CommandId::kForegroundEditorToFreeArea},
      // 19 and 20 cross: PMHotKey_Mode is the short menu, PMHotKey_S_Mode the full one.
      {19, CommandId::kShowShortTagMenuModeInverted},
      {20, CommandId::kShowTagMenuModeInverted},
      {23, CommandId::kPreviewNN},
      {24, CommandId::kPreviewDefaultBrowser},
      {25, CommandId::kExpandAbbreviation},
      {26, CommandId::kWrapWithAbbreviation},
      {27, CommandId::kLivePreview},
      {0, CommandId::kNone},
      {28, CommandId::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(HotKeyCommand(c.id), c.command) << c.id;
  EXPECT_EQ(AllHotKeys()[18].setting_key, "PMHotKey_Mode");
  EXPECT_EQ(AllHotKeys()[19].setting_key, "PMHotKey_S_Mode");
  EXPECT_EQ(AllHotKeys()[23].setting_key, "OpenDefaultBrowserHotKey");
  EXPECT_EQ(AllHotKeys()[24].setting_key, "ExpandAbbrevHotKey");
  EXPECT_EQ(AllHotKeys()[25].setting_key, "WrapAbbrevHotKey");
  EXPECT_EQ(AllHotKeys()[26].setting_key, "LivePreviewHotKey");
}

}  // namespace
}  // namespace tagsling::ui
