#include "ui/model/HotKeyDispatch.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <vector>

namespace tagsling::ui {
namespace {

using settings::AppSettings;

// Refuses a shortcut another identifier holds, as the system does.
class FakeRegistrar : public HotKeyRegistrar {
 public:
  bool AddHotKey(int id, ShortcutCode code) override {
    calls.push_back("add " + std::to_string(id));
    for (const auto& [other, held] : registered) {
      if (other != id && held == code) return false;
    }
    registered[id] = code;
    return true;
  }
  bool RemoveHotKey(int id) override {
    calls.push_back("remove " + std::to_string(id));
    return registered.erase(id) > 0;
  }
  std::map<int, ShortcutCode> registered;
  std::vector<std::string> calls;
};

TEST(HotKeyDispatch, EveryBindingReadsItsOwnTextSetting) {
  AppSettings settings;
  std::set<const std::string*> fields;
  for (const HotKeyBinding& binding : AllHotKeys()) fields.insert(&HotKeyText(settings, binding));
  EXPECT_EQ(fields.size(), 27u);
  // 19 and 20 cross over: the short menu's inverted key is PMHotKey_Mode.
  EXPECT_EQ(&HotKeyText(settings, AllHotKeys()[18]), &settings.PMHotKey_Mode);
  EXPECT_EQ(&HotKeyText(settings, AllHotKeys()[19]), &settings.PMHotKey_S_Mode);
  EXPECT_EQ(&HotKeyText(settings, AllHotKeys()[1]), &settings.ActiveHotKey);
  EXPECT_EQ(&HotKeyText(settings, AllHotKeys()[23]), &settings.OpenDefaultBrowserHotKey);
  EXPECT_EQ(&HotKeyText(settings, AllHotKeys()[24]), &settings.ExpandAbbrevHotKey);
  EXPECT_EQ(&HotKeyText(settings, AllHotKeys()[25]), &settings.WrapAbbrevHotKey);
  EXPECT_EQ(&HotKeyText(settings, AllHotKeys()[26]), &settings.LivePreviewHotKey);
}

TEST(HotKeyDispatch, RegistersInOrderAndReportsEachRefusalOnce) {
  AppSettings settings;
  settings.PMHotKey = "Ctrl+F1";
  settings.ActiveHotKey = "ctrl+F1";    // same shortcut as identifier 1
  settings.ColorHotKey = "Ctrl+Bogus";  // names no key
  settings.OpenNNHotKey = "Shift+Alt+N";
  FakeRegistrar registrar;
  std::vector<std::string> messages;
  const int failures = RegisterAllHotKeys(settings, registrar, [&](const std::string& m) { messages.push_back(m); });

  EXPECT_EQ(failures, 2);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], HotKeyFailedMessage("ctrl+F1"));
  EXPECT_EQ(messages[1], HotKeyFailedMessage("Ctrl+Bogus"));
  EXPECT_EQ((std::map<int, ShortcutCode>{{1, 0x4070}, {23, 0xA04E}}), registrar.registered);
  // Identifier order; a refused key is removed after its report; a key that
  // names nothing never reaches the system.
  ASSERT_EQ(registrar.calls.size(), 28u);
  EXPECT_EQ(registrar.calls[0], "add 1");
  EXPECT_EQ(registrar.calls[1], "add 2");
  EXPECT_EQ(registrar.calls[2], "remove 2");
  EXPECT_EQ(registrar.calls[3], "remove 3");
  EXPECT_EQ(registrar.calls[4], "remove 4");
  EXPECT_EQ(registrar.calls[23], "add 23");
  EXPECT_EQ(registrar.calls[24], "remove 24");  // empty by default
  EXPECT_EQ(registrar.calls[26], "remove 26");
  EXPECT_EQ(registrar.calls[27], "remove 27");
  // The settings keep their texts for the next pass.
  EXPECT_EQ(settings.ActiveHotKey, "ctrl+F1");
}

TEST(HotKeyDispatch, FailureMessageNamesTheText) {
  EXPECT_EQ(HotKeyFailedMessage("Ctrl+A"),
            "\x83\x7a\x83\x62\x83\x67\x83\x4c\x81\x5b\x81\x75"
            "Ctrl+A"
            "\x81\x76\x82\xcc\x93\x6f\x98\x5e\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42");
}

TEST(HotKeyDispatch, RemoveAllRemovesEveryIdentifier) {
  FakeRegistrar registrar;
  registrar.registered = {{1, 0x41}, {24, 0x42}};
  RemoveAllHotKeys(registrar);
  EXPECT_EQ(registrar.calls.size(), 27u);
  EXPECT_TRUE(registrar.registered.empty());
}

TEST(HotKeyDispatch, BusyAndUnknownIdentifiersDoNothing) {
  for (int id = -1; id <= 28; ++id) {
    EXPECT_EQ(DispatchHotKey(id, true), CommandId::kNone) << id;
    const bool known = id >= 1 && id <= 27;
    EXPECT_EQ(DispatchHotKey(id, false) != CommandId::kNone, known) << id;
  }
  EXPECT_EQ(DispatchHotKey(11, false), CommandId::kToggleSandwich);
  EXPECT_EQ(DispatchHotKey(2, false), CommandId::kActivateMainWindow);
}

TEST(HotKeyDispatch, CaretMenusOfTheHotKeys) {
  struct Row {
    int id;
    MenuId menu;
    int AppSettings::*position;
    bool invert;
  };
  const Row rows[] = {
      {1, MenuId::kTagPopup, &AppSettings::PMIti_A, false},
      {7, MenuId::kShortTagPopup, &AppSettings::PMIti_S, false},
      {18, MenuId::kToolHotKeyMenu, &AppSettings::PMIti_Tool, false},
      {19, MenuId::kShortTagPopup, &AppSettings::PMIti_S, true},
      {20, MenuId::kTagPopup, &AppSettings::PMIti_A, true},
      {21, MenuId::kOuterToolHotKeyMenu, &AppSettings::PMIti_OuterTools, false},
  };
  int menus = 0;
  for (int id = 1; id <= 23; ++id) menus += CaretMenuOf(DispatchHotKey(id, false)).has_value();
  EXPECT_EQ(menus, 6);
  for (const Row& row : rows) {
    const auto menu = CaretMenuOf(DispatchHotKey(row.id, false));
    ASSERT_TRUE(menu) << row.id;
    EXPECT_EQ(menu->menu, row.menu) << row.id;
    EXPECT_EQ(menu->position, row.position) << row.id;
    EXPECT_EQ(menu->invert_mode, row.invert) << row.id;
  }
}

TEST(HotKeyDispatch, InvertedModeIsRestoredUnlessTheCommandRestoredIt) {
  struct Case {
    bool start;
    bool body_toggles_back;
  };
  for (const Case c : {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
    bool mode = c.start;
    int toggles = 0;
    const auto toggle = [&] {
      mode = !mode;
      ++toggles;
    };
    bool mode_in_body = c.start;
    RunWithModeInverted(mode, toggle, [&] {
      mode_in_body = mode;
      if (c.body_toggles_back) mode = !mode;  // PasteHasamiOff, not through `toggle`
    });
    EXPECT_EQ(mode_in_body, !c.start);
    EXPECT_EQ(mode, c.start);
    EXPECT_EQ(toggles, c.body_toggles_back ? 1 : 2);
  }
}

TEST(HotKeyDispatch, InvertedModeIsRestoredWhenTheCommandThrows) {
  bool mode = false;
  const auto toggle = [&] { mode = !mode; };
  EXPECT_THROW(RunWithModeInverted(mode, toggle, [] { throw std::runtime_error("x"); }), std::runtime_error);
  EXPECT_FALSE(mode);
}

TEST(HotKeyDispatch, ShowMainWindowDecision) {
  using enum ShowMainWindowAction;
  struct Case {
    bool visible, active, minimized, busy;
    ShowMainWindowAction action;
  };
  const Case cases[] = {
      {true, true, false, false, kNone},
      {true, false, false, false, kForegroundAndShow},
      {false, true, false, false, kForegroundAndShow},
      {false, false, true, false, kRestoreApplication},
      {true, false, true, false, kRestoreApplication},
      {false, false, false, true, kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecideShowMainWindow(c.visible, c.active, c.minimized, c.busy), c.action)
        << c.visible << c.active << c.minimized << c.busy;
  }
}

}  // namespace
}  // namespace tagsling::ui
