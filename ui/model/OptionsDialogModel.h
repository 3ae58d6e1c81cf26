#pragma once
// The options dialog's state and rules, without a window.
//
// The dialog works on a copy: showing loads every control of OptionsPages()
// from the settings record and the three registered lists from the settings
// file; only OK copies the controls back and writes the lists. The control
// values live in a private copy of the record, addressed by setting key
// through the settings table, so loading, the dependency rules and applying
// never name a setting twice.
//
// Loading follows the controls: a number field shows its value limited to
// the range of its up-down buttons (and OK writes that), a combo box shows
// the item of its value, a hot-key field holds the shortcut code of its text
// (OK writes the canonical text, "" for no key). A combo value outside its
// items shows no selection and is written back unchanged unless the user
// picks an item, so a hand-edited value is never replaced by -1.
//
// Opening and closing run against OptionsDialogHost, which carries out what
// the dialog asks of the main window; CloseOptionsDialog performs the steps
// in the order the program depends on (see there).

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WindowSystem.h"
#include "settings/AppSettings.h"
#include "settings/ProfileFile.h"
#include "ui/model/ListEditing.h"
#include "ui/model/OptionsPages.h"
#include "ui/model/ShortcutText.h"

namespace tagsling::ui {

// What the options dialog needs from the main window.
class OptionsDialogHost {
 public:
  virtual ~OptionsDialogHost() = default;

  virtual settings::AppSettings& Settings() = 0;
  virtual std::string SettingsPath() = 0;
  // GetWindowsFamily of the running system ("WinNT", ...).
  virtual std::string WindowsFamily() = 0;
  virtual platform::WindowSystem& Windows() = 0;
  // The keyboard driver's key names for the hot-key texts.
  virtual DriverKeyName KeyNames() { return {}; }

  virtual void RemoveHotKeys() = 0;                          // all 24 registrations
  virtual void RegisterHotKeys() = 0;                        // all 24, with their error boxes
  virtual void SetPasteTimerInterval(int milliseconds) = 0;  // both paste timers
  virtual void RebuildListMenus() = 0;                       // BuildUserTagMenus, then BuildToolMenus
  virtual bool Docked() = 0;
  // The notification-area icon after TrayIcon changed, including the return
  // of a hidden palette when the icon is switched off.
  virtual void UpdateTrayIcon() = 0;
  virtual void RefreshBaseFolderDisplay() = 0;
  virtual void ApplyMenuIcons() = 0;
  // Attaches (true) or detaches the mouse-hook library's notifications.
  virtual void SetAutoActivation(bool on) = 0;
  virtual void ShowHelp(int context) = 0;

  // The window found by FindProcessWindow, shared with class detection.
  virtual platform::WindowHandle RecordedProcessWindow() { return recorded_window_; }
  virtual void RecordProcessWindow(platform::WindowHandle window) { recorded_window_ = window; }

 private:
  platform::WindowHandle recorded_window_ = platform::kNoWindow;
};

// One row of the list of windows shown now.
struct ShownWindow {
  std::string title;  // at most 255 bytes, never a split character
  std::string class_name;
};

// Every visible, enabled top-level window whose class is not one of the
// target search's skip classes, in stacking order.
std::vector<ShownWindow> ListShownWindows(platform::WindowSystem& windows);

class OptionsDialogModel {
 public:
  OptionsDialogModel(const settings::AppSettings& settings, const settings::ProfileDocument& file,
                     std::string windows_family, DriverKeyName key_names = {});

  // Control values by setting key. Asking for a key of another kind gives
  // false/0/""; setting one does nothing.
  bool Check(std::string_view key) const;
  void SetCheck(std::string_view key, bool value);
  int Number(std::string_view key) const;
  void SetNumber(std::string_view key, int value);  // limited to the range
  int ComboIndex(std::string_view key) const;       // -1: no item selected
  void SetComboIndex(std::string_view key, int index);
  std::string Text(std::string_view key) const;
  void SetText(std::string_view key, std::string value);
  ShortcutCode HotKey(std::string_view key) const;
  void SetHotKey(std::string_view key, ShortcutCode code);

  // The dependency rules and the NT-only class field, as they stand now.
  bool IsEnabled(const OptionControl& control) const;
  bool IsEnabled(std::string_view key) const;
  // The control focused when the dialog opens: AutoActive_OnTop when it is
  // enabled, else Appbar.
  std::string_view FirstFocus() const;

  // "初期値に戻す".
  void RestoreHasamiTime() { SetNumber("HasamiTime", kHasamiTimeDefault); }

  EditableList& UserTags() { return user_tags_; }
  EditableList& Tools() { return tools_; }
  ThroughWindowEditor& ThroughWindows() { return through_; }
  const EditableList& UserTags() const { return user_tags_; }
  const EditableList& Tools() const { return tools_; }
  const ThroughWindowEditor& ThroughWindows() const { return through_; }

  // Copies every control into `settings`. Settings the dialog has no control
  // for (among them the virtual keys, which their own dialog writes at once)
  // stay as they are.
  void ApplyControls(settings::AppSettings& settings) const;

 private:
  settings::AppSettings values_;
  std::map<std::string, ShortcutCode, std::less<>> hot_keys_;
  std::string windows_family_;
  DriverKeyName key_names_;
  EditableList user_tags_;
  EditableList tools_;
  ThroughWindowEditor through_;
};

// Showing: removes the hot-key registrations (so keys typed into the
// hot-key fields reach them), then loads the controls and the lists.
OptionsDialogModel OpenOptionsDialog(OptionsDialogHost& host);

// Closing. With `confirmed`:
//   1. every control into the settings record;
//   2. both paste timers to the new HasamiTime;
//   3. the lists to the settings file: user tags, ignored windows, then the
//      in-memory pass-through list is read again, then tools;
//   4. the user-tag and tool menus rebuilt;
//   5. when not docked, the notification-area icon updated;
//   6. base-folder display refreshed, hot keys registered, menu icons;
//   7. the mouse-hook library attached or detached by AutoActive_OnTop.
// Without: only the hot keys are registered again.
// A list that cannot be written does not stop the others or the later
// steps (hot keys must come back in any case); the first such failure is
// rethrown as SettingsWriteError once everything else is done.
void CloseOptionsDialog(const OptionsDialogModel& model, bool confirmed, OptionsDialogHost& host);

// Class detection: how the editor is started, and which window's class is
// put into the field afterwards.
struct EditorStart {
  std::string application;   // the editor's path itself
  std::string command_line;  // the path in double quotes
  std::string directory;     // the path's folder
};
EditorStart EditorStartForClassDetection(const std::string& editor_file);
// After the started process became idle (`process` 0 when the wait gave
// up): the first top-level window of `process` in stacking order replaces
// the recorded window; the class of the recorded window. Nullopt when there
// is no class to show: no window was ever recorded, the recorded window has
// been closed since, or its class reads empty. The field then keeps its text
// and the dialog reports the failure (kClassDetectionFailed).
std::optional<std::string> DetectEditorClass(platform::WindowSystem& windows, platform::ProcessId process,
                                             OptionsDialogHost& host);

// Where the dialog is opened from, and what happens around its showing.
enum class OptionsOpenSource {
  kOptionsCommand,  // "オプション(&S)..." of the menus, the palette's options button
  kToolMenuItem,    // the tool menu's options item
  kUserTagEdit,     // "登録タグの編集(&E)..."
  kToolEdit,        // "外部ツールの編集(&E)..."
};
struct OptionsOpening {
  int first_page = kGeneralPage;
  bool app_to_foreground = false;    // before showing
  bool hide_taskbar_button = false;  // before showing; restored after
  bool return_foreground = false;    // core::ReturnForegroundToTarget after closing
};
OptionsOpening DecideOptionsOpening(OptionsOpenSource source, bool app_minimized, bool main_hidden);

}  // namespace tagsling::ui
