#include "ui/model/OptionsDialogModel.h"

#include <gtest/gtest.h>

#include <variant>

#include "platform/sim/SimDesktop.h"
#include "tests/unit/support/ScratchFolder.h"
#include "ui/model/KeySetModel.h"

namespace tagsling::ui {
namespace {

using settings::AppSettings;
using test::FileBytes;
using test::PutFile;
using test::ScratchFolder;

// Records what the dialog asks of the main window, and what the settings
// file and the pass-through list looked like when the menus were rebuilt.
class FakeHost : public OptionsDialogHost {
 public:
  AppSettings settings;
  std::string path;
  std::string family = "WinNT";
  bool docked = false;
  platform::sim::SimDesktop desk;
  std::vector<std::string> calls;
  std::string file_at_rebuild;
  std::vector<std::string> through_at_rebuild;

  AppSettings& Settings() override { return settings; }
  std::string SettingsPath() override { return path; }
  std::string WindowsFamily() override { return family; }
  platform::WindowSystem& Windows() override { return desk; }
  void RemoveHotKeys() override { calls.push_back("RemoveHotKeys"); }
  void RegisterHotKeys() override { calls.push_back("RegisterHotKeys"); }
  void SetPasteTimerInterval(int ms) override { calls.push_back("PasteTimers " + std::to_string(ms)); }
  void RebuildListMenus() override {
    calls.push_back("RebuildListMenus");
    file_at_rebuild = FileBytes(path);
    through_at_rebuild = settings::ThroughWindowClasses();
  }
  bool Docked() override { return docked; }
  void UpdateTrayIcon() override { calls.push_back("UpdateTrayIcon"); }
  void RefreshBaseFolderDisplay() override { calls.push_back("RefreshBaseFolderDisplay"); }
  void ApplyMenuIcons() override { calls.push_back("ApplyMenuIcons"); }
  void SetAutoActivation(bool on) override { calls.push_back(on ? "AutoActivation on" : "AutoActivation off"); }
  void ShowHelp(int) override {}
};

// Every field of the settings table, as text, for whole-record comparisons.
std::vector<std::string> Snapshot(const AppSettings& s) {
  std::vector<std::string> values;
  for (const settings::SettingDefinition& row : settings::SettingsTable()) {
    std::visit(
        [&](auto field) {
          if constexpr (std::is_same_v<decltype(field), std::string AppSettings::*>) {
            values.push_back(std::string(row.key) + "=" + s.*field);
          } else {
            values.push_back(std::string(row.key) + "=" + std::to_string(s.*field));
          }
        },
        row.field);
  }
  return values;
}

settings::SettingField FindRow(const std::string& key) {
  for (const settings::SettingDefinition& row : settings::SettingsTable()) {
    if (key == row.key) return row.field;
  }
  return {};
}

constexpr char kFile[] =
    "[Option]\r\nTrayIcon=0\r\n"
    "[UserTag]\r\nItemCount=2\r\nTitle0=bold\r\nTag0=<B>%SELSTR%</B>\r\nTitle1=-\r\nTag1=\r\nTitle5=stale\r\n"
    "[ThroughWindow]\r\nItemCount=1\r\nItemName0=Explorer\r\nClassName0=CabinetWClass\r\n"
    "[Tools]\r\nItemCount=0\r\nTitle3=stale tool\r\n";

class OptionsDialogModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.path = folder.Path("Tagsling.INI");
    PutFile(host.path, kFile);
  }
  ScratchFolder folder;
  FakeHost host;
};

// Changes every control to a value other than its current one.
void ChangeEveryControl(OptionsDialogModel& model) {
  ForEachOptionControl([&](int, const OptionControl& c) {
    std::string key(c.setting);
    switch (c.kind) {
      case OptionKind::kCheck:
        model.SetCheck(key, !model.Check(key));
        break;
      case OptionKind::kNumber:
        model.SetNumber(key, model.Number(key) + 7);
        break;
      case OptionKind::kCombo:
        model.SetComboIndex(key, static_cast<int>(c.items.size()) - 1);
        break;
      case OptionKind::kPath:
        model.SetText(key, "C:\\" + key);
        break;
      case OptionKind::kHotKey:
        model.SetHotKey(key, kShortcutShift | kShortcutCtrl | 'A');
        break;
      default:
        break;
    }
  });
}

TEST_F(OptionsDialogModelTest, CancelLeavesSettingsAndFileUnchanged) {
  const std::vector<std::string> before = Snapshot(host.settings);
  OptionsDialogModel model = OpenOptionsDialog(host);
  ChangeEveryControl(model);
  model.UserTags().Add({"new", "<new>"});
  model.ThroughWindows().CopyShownWindow("n", "Notepad");
  model.ThroughWindows().Add();
  CloseOptionsDialog(model, false, host);

  EXPECT_EQ(Snapshot(host.settings), before);
  EXPECT_EQ(FileBytes(host.path), kFile);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"RemoveHotKeys", "RegisterHotKeys"}));
}

TEST_F(OptionsDialogModelTest, OkAppliesEveryControl) {
  host.settings.HasamiMode = true;
  host.settings.SoutaiPathIns = false;
  OptionsDialogModel model = OpenOptionsDialog(host);
  ChangeEveryControl(model);
  const AppSettings before = host.settings;
  CloseOptionsDialog(model, true, host);

  const AppSettings& after = host.settings;
  const OptionsDialogModel original(before, {}, "WinNT");
  const OptionsDialogModel reloaded(after, {}, "WinNT");
  ForEachOptionControl([&](int, const OptionControl& c) {
    std::string key(c.setting);
    SCOPED_TRACE(key);
    switch (c.kind) {
      case OptionKind::kCheck:
        EXPECT_EQ(reloaded.Check(key), !original.Check(key));
        break;
      case OptionKind::kNumber:
        EXPECT_EQ(reloaded.Number(key), original.Number(key) + 7);
        break;
      case OptionKind::kCombo:
        EXPECT_EQ(reloaded.ComboIndex(key), static_cast<int>(c.items.size()) - 1);
        break;
      case OptionKind::kPath:
        EXPECT_EQ(reloaded.Text(key), "C:\\" + key);
        break;
      case OptionKind::kHotKey:
        EXPECT_EQ(after.*std::get<std::string AppSettings::*>(FindRow(key)), "Shift+Ctrl+A");
        break;
      default:
        break;
    }
  });
  EXPECT_EQ(after.HasamiTime, 107);
  EXPECT_EQ(after.AutoActive_Margin, 107);
  EXPECT_TRUE(after.HasamiMode) << "not a control of the dialog";
  EXPECT_FALSE(after.SoutaiPathIns) << "not a control of the dialog";
}

TEST_F(OptionsDialogModelTest, OkRunsTheClosingStepsInOrder) {
  OptionsDialogModel model = OpenOptionsDialog(host);
  model.SetNumber("HasamiTime", 250);
  model.SetCheck("AutoActive_OnTop", true);
  model.ThroughWindows().CopyShownWindow("Untitled - Notepad", "Notepad");
  model.ThroughWindows().Add();
  CloseOptionsDialog(model, true, host);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"RemoveHotKeys", "PasteTimers 250", "RebuildListMenus",
                                                  "UpdateTrayIcon", "RefreshBaseFolderDisplay", "RegisterHotKeys",
                                                  "ApplyMenuIcons", "AutoActivation on"}));
  // Lists are written before the menus are rebuilt, and the pass-through
  // list in memory is read again from the file.
  EXPECT_NE(host.file_at_rebuild.find("ClassName1=Notepad"), std::string::npos);
  EXPECT_EQ(host.through_at_rebuild, (std::vector<std::string>{"CabinetWClass", "Notepad"}));
}

TEST_F(OptionsDialogModelTest, DockedSkipsTheTrayIcon) {
  host.docked = true;
  OptionsDialogModel model = OpenOptionsDialog(host);
  CloseOptionsDialog(model, true, host);
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "UpdateTrayIcon"), 0);
  EXPECT_EQ(host.calls.back(), "AutoActivation off");
}

// A section is erased before writing only when it had entries: the stale
// Title5 of the user tags goes, the stale Title3 of the empty tool list stays
// (beyond ItemCount, where it is ignored).
TEST_F(OptionsDialogModelTest, SavingErasesASectionOnlyWhenItHadEntries) {
  OptionsDialogModel model = OpenOptionsDialog(host);
  EXPECT_EQ(model.UserTags().Count(), 2);
  model.Tools().Add({"Browser", "C:\\b.exe", "%f", ""});
  CloseOptionsDialog(model, true, host);
  settings::ProfileDocument file = settings::ProfileDocument::Load(host.path);
  EXPECT_EQ(file.Get("UserTag", "Title5", "(none)"), "(none)");
  EXPECT_EQ(file.Get("UserTag", "Tag0"), "<B>%SELSTR%</B>");
  EXPECT_EQ(file.Get("UserTag", "ItemCount"), "2");
  EXPECT_EQ(file.Get("Tools", "Title3"), "stale tool");
  EXPECT_EQ(file.Get("Tools", "ItemCount"), "1");
  EXPECT_EQ(file.Get("Tools", "File0"), "C:\\b.exe");
}

// A list that cannot be written is reported, but the hot keys come back and
// every other step still runs.
TEST_F(OptionsDialogModelTest, WriteFailureStillRestoresHotKeys) {
  host.path = folder.Path("missing-folder/Tagsling.INI");
  OptionsDialogModel model = OpenOptionsDialog(host);
  model.SetNumber("HasamiTime", 300);
  EXPECT_THROW(CloseOptionsDialog(model, true, host), settings::SettingsWriteError);
  EXPECT_EQ(host.settings.HasamiTime, 300);
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "RegisterHotKeys"), 1);
  EXPECT_EQ(host.calls.back(), "AutoActivation off");
}

// The virtual-key dialog writes the record at once; neither a cancelled nor
// a confirmed options dialog takes that back.
TEST_F(OptionsDialogModelTest, VirtualKeysSurviveTheOptionsDialog) {
  for (bool confirmed : {false, true}) {
    host.settings.SendKey_Cut = 0;
    OptionsDialogModel model = OpenOptionsDialog(host);
    KeySetModel keys(host.settings);
    keys.Select(0, 3);
    keys.Apply(host.settings);
    CloseOptionsDialog(model, confirmed, host);
    EXPECT_EQ(host.settings.SendKey_Cut, 3) << confirmed;
  }
}

TEST(OptionsDialogRulesTest, DependencyRules) {
  struct Case {
    const char* control;
    const char* box;  // the check box (or combo) that controls it
    bool on_enabled;  // enabled with the box ticked (item 1)
    bool off_enabled;
  } cases[] = {
      {"AutoActive_Margin", "AutoActive_OnTop", true, false},
      {"StartNoForm", "TrayIcon", true, false},
      {"EscClose", "TrayIcon", true, false},
      {"UserTagNoLower", "InsTextLower", true, false},
      {"NoMenuBar", "Appbar", true, false},
      {"AutoActive_OnTop", "Appbar", false, true},
      {"TrayIcon", "Appbar", false, true},
      {"SplashWindow", "Appbar", false, true},
  };
  AppSettings settings;
  settings.AutoActive_OnTop = true;
  settings.TrayIcon = true;
  for (const Case& c : cases) {
    OptionsDialogModel model(settings, {}, "WinNT");
    model.SetCheck(c.box, true);
    EXPECT_EQ(model.IsEnabled(c.control), c.on_enabled) << c.control << " with " << c.box;
    model.SetCheck(c.box, false);
    EXPECT_EQ(model.IsEnabled(c.control), c.off_enabled) << c.control << " without " << c.box;
  }

  // Unticking Appbar restores the others by their own rules.
  settings.Appbar = true;
  settings.AutoActive_OnTop = false;
  settings.TrayIcon = true;
  OptionsDialogModel model(settings, {}, "WinNT");
  EXPECT_FALSE(model.IsEnabled("AutoActive_Margin"));
  EXPECT_FALSE(model.IsEnabled("StartNoForm"));
  EXPECT_EQ(model.FirstFocus(), "Appbar");
  model.SetCheck("Appbar", false);
  EXPECT_FALSE(model.IsEnabled("AutoActive_Margin")) << "AutoActive_OnTop is not ticked";
  EXPECT_TRUE(model.IsEnabled("StartNoForm"));
  EXPECT_EQ(model.FirstFocus(), "AutoActive_OnTop");

  // Cut and paste by Windows messages: no virtual keys, no key-up wait.
  const OptionControl* keyset = nullptr;
  ForEachOptionControl([&](int, const OptionControl& c) {
    if (c.widget == OptionWidget::kKeySetDialog) keyset = &c;
  });
  ASSERT_NE(keyset, nullptr);
  model.SetComboIndex("SendMessage", 1);
  EXPECT_FALSE(model.IsEnabled("KeyUpPaste"));
  EXPECT_FALSE(model.IsEnabled(*keyset));
  model.SetComboIndex("SendMessage", 0);
  EXPECT_TRUE(model.IsEnabled("KeyUpPaste"));
  EXPECT_TRUE(model.IsEnabled(*keyset));
}

TEST(OptionsDialogRulesTest, WindowClassFieldOnlyOnNt) {
  const OptionControl& field = *FindOptionControl("EditorWindowClass");
  for (const char* family : {"WinNT", "Win95", "Win98", ""}) {
    OptionsDialogModel model(AppSettings{}, {}, family);
    EXPECT_EQ(model.IsEnabled(field), std::string(family) == "WinNT") << family;
  }
}

// Loading goes through the controls: numbers are limited to the up-down
// range, hot-key texts become codes and come back canonical, and a combo
// value without an item is kept.
TEST(OptionsDialogRulesTest, LoadingAndApplyingThroughTheControls) {
  AppSettings settings;
  settings.HasamiTime = 0;
  settings.AutoActive_Margin = 12345;
  settings.PMIti_S = 7;
  settings.PMHotKey = "ctrl+shift+f5";
  settings.ColorHotKey = "NoSuchKey";
  OptionsDialogModel model(settings, {}, "WinNT");
  EXPECT_EQ(model.Number("HasamiTime"), 1);
  EXPECT_EQ(model.Number("AutoActive_Margin"), 9999);
  EXPECT_EQ(model.ComboIndex("PMIti_S"), -1);
  EXPECT_EQ(model.HotKey("PMHotKey"), kShortcutShift | kShortcutCtrl | 0x74);
  model.SetNumber("HasamiTime", 20000);
  EXPECT_EQ(model.Number("HasamiTime"), 10000);
  model.ApplyControls(settings);
  EXPECT_EQ(settings.HasamiTime, 10000);
  EXPECT_EQ(settings.AutoActive_Margin, 9999);
  EXPECT_EQ(settings.PMIti_S, 7);
  EXPECT_EQ(settings.PMHotKey, "Shift+Ctrl+F5");
  EXPECT_EQ(settings.ColorHotKey, "");

  model.RestoreHasamiTime();
  EXPECT_EQ(model.Number("HasamiTime"), 100);
}

TEST(OptionsDialogRulesTest, ShownWindows) {
  platform::sim::SimDesktop desk;
  auto add = [&](const char* cls, const std::string& title, bool visible = true, bool enabled = true) {
    platform::WindowHandle w = desk.AddWindow(cls, 7, 7);
    desk.Window(w).title = title;
    desk.Window(w).visible = visible;
    desk.Window(w).enabled = enabled;
  };
  add("TTagslingOptionForm", "options");
  add("Notepad", "memo.txt - Notepad");
  add("Hidden", "h", false);
  add("Disabled", "d", true, false);
  add("Shell_TrayWnd", "");
  // 254 single bytes then a double-byte character: the title is cut before it.
  add("Long", std::string(254, 'x') + "\x82\xa0");
  std::vector<ShownWindow> shown = ListShownWindows(desk);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].class_name, "Notepad");
  EXPECT_EQ(shown[0].title, "memo.txt - Notepad");
  EXPECT_EQ(shown[1].title, std::string(254, 'x'));
}

TEST(OptionsDialogRulesTest, ClassDetection) {
  EditorStart start = EditorStartForClassDetection("C:\\Program Files\\\x95\x5c\\ed.exe");
  EXPECT_EQ(start.application, "C:\\Program Files\\\x95\x5c\\ed.exe");
  EXPECT_EQ(start.command_line, "\"C:\\Program Files\\\x95\x5c\\ed.exe\"");
  EXPECT_EQ(start.directory, "C:\\Program Files\\\x95\x5c") << "the trail byte 0x5C is no separator";

  FakeHost host;
  EXPECT_EQ(DetectEditorClass(host.desk, 42, host), std::nullopt) << "nothing recorded yet";
  platform::WindowHandle other = host.desk.AddWindow("Other", 5, 5);
  // A hidden window of the editor above its main window is passed over.
  host.desk.Window(host.desk.AddWindow("CTipWnd", 42, 9)).visible = false;
  platform::WindowHandle editor = host.desk.AddWindow("EditorMain", 42, 9);
  EXPECT_EQ(DetectEditorClass(host.desk, 42, host), "EditorMain");
  EXPECT_EQ(host.RecordedProcessWindow(), editor);
  // A process without a window (or a wait that gave up: process 0) keeps the
  // earlier record.
  host.RecordProcessWindow(other);
  EXPECT_EQ(DetectEditorClass(host.desk, 43, host), "Other");
  EXPECT_EQ(DetectEditorClass(host.desk, 0, host), "Other");
  // The recorded window was closed since: nothing to show, rather than an
  // empty class over the user's text.
  host.desk.RemoveWindow(other);
  EXPECT_EQ(DetectEditorClass(host.desk, 43, host), std::nullopt);
  // A window whose class reads empty is no answer either.
  platform::WindowHandle nameless = host.desk.AddWindow("", 44, 9);
  EXPECT_EQ(DetectEditorClass(host.desk, 44, host), std::nullopt);
  EXPECT_EQ(host.RecordedProcessWindow(), nameless);
}

TEST(OptionsDialogRulesTest, Opening) {
  using S = OptionsOpenSource;
  struct Case {
    S source;
    bool minimized, hidden;
    int page;
    bool foreground, hide_button;
  } cases[] = {
      {S::kOptionsCommand, false, false, 0, false, false}, {S::kOptionsCommand, true, false, 0, true, false},
      {S::kOptionsCommand, false, true, 0, true, true},    {S::kToolMenuItem, false, false, 0, true, false},
      {S::kUserTagEdit, true, true, 9, false, true},       {S::kToolEdit, false, false, 4, false, false},
  };
  for (const Case& c : cases) {
    OptionsOpening opening = DecideOptionsOpening(c.source, c.minimized, c.hidden);
    EXPECT_EQ(opening.first_page, c.page);
    EXPECT_EQ(opening.app_to_foreground, c.foreground);
    EXPECT_EQ(opening.hide_taskbar_button, c.hide_button);
  }
}

}  // namespace
}  // namespace tagsling::ui
