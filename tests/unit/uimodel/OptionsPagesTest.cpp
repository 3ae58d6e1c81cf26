#include "ui/model/OptionsPages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>
#include <vector>

#include "settings/AppSettings.h"
#include "ui/model/HotKeyBindings.h"

namespace tagsling::ui {
namespace {

using settings::AppSettings;
using settings::SettingDefinition;

const SettingDefinition* OptionRow(std::string_view key) {
  for (const SettingDefinition& row : settings::SettingsTable()) {
    if (row.section && std::string_view(row.section) == "Option" && key == row.key) return &row;
  }
  return nullptr;
}

TEST(OptionsPagesTest, TenPagesInOrder) {
  const char* captions[] = {
      "全般",        "動作",        "表示/ツール", "外部プログラム", "外部ツール", "無視するウィンドウ",
      "ホットキー1", "ホットキー2", "ホットキー3", "登録タグ"};
  ASSERT_EQ(OptionsPages().size(), std::size(captions));
  for (std::size_t i = 0; i < std::size(captions); ++i) EXPECT_EQ(OptionsPages()[i].caption, captions[i]) << i;
}

// Every bound control names an "Option" key of the matching type, once.
TEST(OptionsPagesTest, BoundControlsMatchTheSettingsTable) {
  std::set<std::string> seen;
  ForEachOptionControl([&](int page, const OptionControl& control) {
    if (control.setting.empty()) return;
    SCOPED_TRACE(std::string(control.setting));
    EXPECT_TRUE(seen.insert(std::string(control.setting)).second) << "bound twice";
    const SettingDefinition* row = OptionRow(control.setting);
    ASSERT_NE(row, nullptr);
    switch (control.kind) {
      case OptionKind::kCheck:
        EXPECT_TRUE(std::holds_alternative<bool AppSettings::*>(row->field));
        break;
      case OptionKind::kNumber:
        EXPECT_TRUE(std::holds_alternative<int AppSettings::*>(row->field));
        break;
      case OptionKind::kCombo:
        ASSERT_TRUE(std::holds_alternative<int AppSettings::*>(row->field));
        // Item index = value: the items cover exactly the value range.
        EXPECT_EQ(row->min_value, 0);
        EXPECT_EQ(static_cast<int>(control.items.size()), row->max_value + 1);
        break;
      case OptionKind::kPath:
      case OptionKind::kHotKey:
        EXPECT_TRUE(std::holds_alternative<std::string AppSettings::*>(row->field));
        break;
      default:
        ADD_FAILURE() << "kind cannot be bound";
    }
  });
}

// Everything in "Option" is edited here except what menus, mode buttons and
// the virtual-key dialog change.
TEST(OptionsPagesTest, EveryOptionKeyHasAControlOrAnotherEditor) {
  const std::set<std::string> elsewhere = {"WindowOnTop",  "HasamiMode",    "SendKey_Cut",
                                           "SendKey_Copy", "SendKey_Paste", "SoutaiPathIns"};
  for (const SettingDefinition& row : settings::SettingsTable()) {
    if (!row.section || std::string_view(row.section) != "Option") continue;
    EXPECT_EQ(FindOptionControl(row.key) != nullptr, !elsewhere.count(row.key)) << row.key;
  }
}

TEST(OptionsPagesTest, AllHotKeysHaveAFieldOnTheHotKeyPages) {
  for (const HotKeyBinding& binding : AllHotKeys()) {
    int found_page = -1;
    ForEachOptionControl([&](int page, const OptionControl& control) {
      if (control.kind == OptionKind::kHotKey && control.setting == binding.setting_key) found_page = page;
    });
    EXPECT_GE(found_page, 6) << binding.setting_key;
    EXPECT_LE(found_page, 8) << binding.setting_key;
  }
}

TEST(OptionsPagesTest, BrowserPageShowsTheInstalledBrowsersReadOnly) {
  std::vector<std::pair<int, OptionWidget>> fields;
  ForEachOptionControl([&](int page, const OptionControl& control) {
    if (control.kind == OptionKind::kField && IsReadOnlyField(control.widget))
      fields.emplace_back(page, control.widget);
  });
  EXPECT_EQ(fields, (std::vector<std::pair<int, OptionWidget>>{{3, OptionWidget::kInstalledBrowsers},
                                                               {5, OptionWidget::kThroughClass}}));
  EXPECT_FALSE(IsReadOnlyField(OptionWidget::kThroughName));
  // The default-browser hot key sits with the two preview keys, empty at first.
  EXPECT_EQ(FindOptionControl("OpenDefaultBrowserHotKey")->caption, "既定のブラウザ:");
  EXPECT_TRUE(AppSettings().OpenDefaultBrowserHotKey.empty());
}

TEST(OptionsPagesTest, AbbreviationHotKeysHaveAGroupOnTheFirstHotKeyPage) {
  const OptionGroup& group = OptionsPages()[6].groups[1];
  EXPECT_EQ(group.caption, "略記");
  ASSERT_EQ(group.controls.size(), 2u);
  EXPECT_EQ(group.controls[0].setting, "ExpandAbbrevHotKey");
  EXPECT_EQ(group.controls[0].caption, "略記を展開:");
  EXPECT_EQ(group.controls[1].setting, "WrapAbbrevHotKey");
  EXPECT_EQ(group.controls[1].caption, "略記で囲む:");
  for (const OptionControl& control : group.controls) EXPECT_EQ(control.kind, OptionKind::kHotKey);
  EXPECT_TRUE(AppSettings().ExpandAbbrevHotKey.empty());
  EXPECT_TRUE(AppSettings().WrapAbbrevHotKey.empty());
}

TEST(OptionsPagesTest, NumberFieldsStepByTen) {
  EXPECT_EQ(FindOptionControl("AutoActive_Margin")->step, 10);
  EXPECT_EQ(FindOptionControl("HasamiTime")->step, 10);
  EXPECT_EQ(FindOptionControl("HasamiTime")->note, "ミリ秒");
}

// The crossed identifiers: the mode-switch key of the high-frequency row is
// PMHotKey_Mode, that of the all-tags row PMHotKey_S_Mode.
TEST(OptionsPagesTest, PopupHotKeyRows) {
  std::span<const OptionControl> row = OptionsPages()[6].groups[0].controls;
  ASSERT_EQ(row.size(), 6u);
  const char* order[] = {"PMHotKey_S",      "PMHotKey_Mode", "PMHotKey",
                         "PMHotKey_S_Mode", "PMHotKey_Tool", "PMHotKey_OuterTools"};
  for (std::size_t i = 0; i < row.size(); ++i) EXPECT_EQ(row[i].setting, order[i]);
  EXPECT_TRUE(row[1].same_row);
  EXPECT_TRUE(row[3].same_row);
  EXPECT_FALSE(row[2].same_row);
}

}  // namespace
}  // namespace tagsling::ui
