#include "ui/model/OptionsDialogModel.h"

#include <algorithm>
#include <exception>
#include <variant>

#include "common/Sjis.h"
#include "core/TargetWindow.h"

namespace tagsling::ui {

namespace {

using settings::AppSettings;
using settings::RegisteredList;
using settings::SettingDefinition;

constexpr std::string_view kOptionSection = "Option";
// GetWindowTextA into a 256-byte buffer.
constexpr std::size_t kTitleLimit = 255;

const SettingDefinition* RowOf(std::string_view key) {
  for (const SettingDefinition& row : settings::SettingsTable()) {
    if (row.section && kOptionSection == row.section && key == row.key) return &row;
  }
  return nullptr;
}

template <typename T>
using Member = T AppSettings::*;

template <typename T>
Member<T> FieldOf(std::string_view key) {
  const SettingDefinition* row = RowOf(key);
  if (!row) return nullptr;
  auto* field = std::get_if<Member<T>>(&row->field);
  return field ? *field : nullptr;
}

int ClampToRange(std::string_view key, int value) {
  const SettingDefinition* row = RowOf(key);
  return row ? std::clamp(value, row->min_value, row->max_value) : value;
}

// The enabling rules. A rule depends only on the current control values, so
// evaluating it at any time gives what applying the rules in order after
// every change of a controlling box gives.
struct EnableRule {
  std::string_view key;
  bool (*enabled)(const AppSettings& values, bool nt);
};

constexpr EnableRule kEnableRules[] = {
    // Docked as an application bar: no auto-activation, tray or title window.
    {"AutoActive_OnTop", [](const AppSettings& v, bool) { return !v.Appbar; }},
    {"AutoActive_Margin", [](const AppSettings& v, bool) { return !v.Appbar && v.AutoActive_OnTop; }},
    {"TrayIcon", [](const AppSettings& v, bool) { return !v.Appbar; }},
    {"StartNoForm", [](const AppSettings& v, bool) { return !v.Appbar && v.TrayIcon; }},
    {"EscClose", [](const AppSettings& v, bool) { return !v.Appbar && v.TrayIcon; }},
    {"SplashWindow", [](const AppSettings& v, bool) { return !v.Appbar; }},
    {"NoMenuBar", [](const AppSettings& v, bool) { return v.Appbar; }},
    {"UserTagNoLower", [](const AppSettings& v, bool) { return v.InsTextLower; }},
    // The virtual keys matter only when cut and paste go by keystrokes.
    {"KeyUpPaste", [](const AppSettings& v, bool) { return v.SendMessage == 0; }},
    // Only NT needs the class to find the editor's window.
    {"EditorWindowClass", [](const AppSettings&, bool nt) { return nt; }},
};

std::string TruncateSjis(std::string text, std::size_t limit) {
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t next = end + SjisCharLength(text, end);
    if (next > limit) break;
    end = next;
  }
  text.resize(end);
  return text;
}

// The folder part of a path: everything before the last "\" or "/" that is
// not the trail byte of a double-byte character.
std::string FolderOf(const std::string& path) {
  std::size_t cut = std::string::npos;
  for (std::size_t i = 0; i < path.size(); i += SjisCharLength(path, i)) {
    if (path[i] == '\\' || path[i] == '/') cut = i;
  }
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

}  // namespace

std::vector<ShownWindow> ListShownWindows(platform::WindowSystem& windows) {
  std::vector<ShownWindow> shown;
  std::span<const char* const> skip = core::SkipWindowClasses();
  for (platform::WindowHandle window : windows.TopLevelWindows()) {
    if (!windows.IsWindowVisible(window) || !windows.IsWindowEnabled(window)) continue;
    std::string class_name = windows.WindowClassName(window);
    if (std::any_of(skip.begin(), skip.end(), [&](const char* name) { return class_name == name; })) continue;
    shown.push_back({TruncateSjis(windows.WindowTitle(window), kTitleLimit), std::move(class_name)});
  }
  return shown;
}

OptionsDialogModel::OptionsDialogModel(const AppSettings& settings, const settings::ProfileDocument& file,
                                       std::string windows_family, DriverKeyName key_names)
    : values_(settings),
      windows_family_(std::move(windows_family)),
      key_names_(std::move(key_names)),
      user_tags_(settings::LoadListForDialog(file, RegisteredList::kUserTag), 2, true),
      tools_(settings::LoadListForDialog(file, RegisteredList::kTools), 4, true),
      through_(settings::LoadListForDialog(file, RegisteredList::kThroughWindow)) {
  ForEachOptionControl([&](int, const OptionControl& control) {
    if (control.kind == OptionKind::kNumber) {
      SetNumber(control.setting, Number(control.setting));
    } else if (control.kind == OptionKind::kHotKey) {
      if (auto field = FieldOf<std::string>(control.setting)) {
        hot_keys_[std::string(control.setting)] = TextToShortcut(settings.*field, key_names_);
      }
    }
  });
}

bool OptionsDialogModel::Check(std::string_view key) const {
  auto field = FieldOf<bool>(key);
  return field && values_.*field;
}

void OptionsDialogModel::SetCheck(std::string_view key, bool value) {
  if (auto field = FieldOf<bool>(key)) values_.*field = value;
}

int OptionsDialogModel::Number(std::string_view key) const {
  auto field = FieldOf<int>(key);
  return field ? values_.*field : 0;
}

void OptionsDialogModel::SetNumber(std::string_view key, int value) {
  if (auto field = FieldOf<int>(key)) values_.*field = ClampToRange(key, value);
}

int OptionsDialogModel::ComboIndex(std::string_view key) const {
  const OptionControl* control = FindOptionControl(key);
  auto field = FieldOf<int>(key);
  if (!control || !field) return -1;
  int value = values_.*field;
  return value >= 0 && static_cast<std::size_t>(value) < control->items.size() ? value : -1;
}

void OptionsDialogModel::SetComboIndex(std::string_view key, int index) {
  const OptionControl* control = FindOptionControl(key);
  auto field = FieldOf<int>(key);
  if (control && field && index >= 0 && static_cast<std::size_t>(index) < control->items.size()) {
    values_.*field = index;
  }
}

std::string OptionsDialogModel::Text(std::string_view key) const {
  auto field = FieldOf<std::string>(key);
  return field ? values_.*field : std::string();
}

void OptionsDialogModel::SetText(std::string_view key, std::string value) {
  if (auto field = FieldOf<std::string>(key)) values_.*field = std::move(value);
}

ShortcutCode OptionsDialogModel::HotKey(std::string_view key) const {
  auto found = hot_keys_.find(key);
  return found == hot_keys_.end() ? ShortcutCode{0} : found->second;
}

void OptionsDialogModel::SetHotKey(std::string_view key, ShortcutCode code) {
  auto found = hot_keys_.find(key);
  if (found != hot_keys_.end()) found->second = code;
}

bool OptionsDialogModel::IsEnabled(std::string_view key) const {
  for (const EnableRule& rule : kEnableRules) {
    if (rule.key == key) return rule.enabled(values_, windows_family_ == "WinNT");
  }
  return true;
}

bool OptionsDialogModel::IsEnabled(const OptionControl& control) const {
  // The virtual-key button follows KeyUpPaste; a "..." button its field.
  if (control.widget == OptionWidget::kKeySetDialog) return IsEnabled("KeyUpPaste");
  return control.setting.empty() || IsEnabled(control.setting);
}

std::string_view OptionsDialogModel::FirstFocus() const {
  return IsEnabled("AutoActive_OnTop") ? "AutoActive_OnTop" : "Appbar";
}

void OptionsDialogModel::ApplyControls(AppSettings& settings) const {
  ForEachOptionControl([&](int, const OptionControl& control) {
    const SettingDefinition* row = control.setting.empty() ? nullptr : RowOf(control.setting);
    if (!row) return;
    if (control.kind == OptionKind::kHotKey) {
      if (auto field = FieldOf<std::string>(control.setting)) {
        settings.*field = ShortcutToText(HotKey(control.setting), key_names_);
      }
      return;
    }
    std::visit([&](auto field) { settings.*field = values_.*field; }, row->field);
  });
}

OptionsDialogModel OpenOptionsDialog(OptionsDialogHost& host) {
  host.RemoveHotKeys();
  return OptionsDialogModel(host.Settings(), settings::ProfileDocument::Load(host.SettingsPath()), host.WindowsFamily(),
                            host.KeyNames());
}

void CloseOptionsDialog(const OptionsDialogModel& model, bool confirmed, OptionsDialogHost& host) {
  if (!confirmed) {
    host.RegisterHotKeys();
    return;
  }
  AppSettings& settings = host.Settings();
  model.ApplyControls(settings);
  host.SetPasteTimerInterval(settings.HasamiTime);

  std::exception_ptr first_failure;
  const std::string path = host.SettingsPath();
  auto save = [&](RegisteredList list, const settings::DialogList& rows) {
    try {
      settings::SaveListSection(path, list, rows);
    } catch (const settings::SettingsWriteError&) {
      if (!first_failure) first_failure = std::current_exception();
    }
  };
  save(RegisteredList::kUserTag, model.UserTags().ToDialogList());
  save(RegisteredList::kThroughWindow, model.ThroughWindows().List().ToDialogList());
  settings::LoadThroughWindowList(path);
  save(RegisteredList::kTools, model.Tools().ToDialogList());

  host.RebuildListMenus();
  if (!host.Docked()) host.UpdateTrayIcon();
  host.RefreshBaseFolderDisplay();
  host.RegisterHotKeys();
  host.ApplyMenuIcons();
  host.SetAutoActivation(settings.AutoActive_OnTop);
  if (first_failure) std::rethrow_exception(first_failure);
}

EditorStart EditorStartForClassDetection(const std::string& editor_file) {
  return {editor_file, "\"" + editor_file + "\"", FolderOf(editor_file)};
}

std::optional<std::string> DetectEditorClass(platform::WindowSystem& windows, platform::ProcessId process,
                                             OptionsDialogHost& host) {
  // The editor's main window: its first visible window of its own. An
  // editor may make hidden top-level windows first (Sakura Editor's tip
  // window "CTipWnd"), whose class names no editor.
  const platform::WindowHandle main_window = core::FindProcessWindow(windows, process);
  if (main_window != platform::kNoWindow) host.RecordProcessWindow(main_window);
  platform::WindowHandle recorded = host.RecordedProcessWindow();
  // A window of an earlier detection may have been closed since; its class
  // would read empty and erase what the user typed.
  if (recorded == platform::kNoWindow || !windows.WindowExists(recorded)) return std::nullopt;
  std::string class_name = TruncateSjis(windows.WindowClassName(recorded), kTitleLimit);
  if (class_name.empty()) return std::nullopt;
  return class_name;
}

OptionsOpening DecideOptionsOpening(OptionsOpenSource source, bool app_minimized, bool main_hidden) {
  OptionsOpening opening;
  opening.first_page = source == OptionsOpenSource::kUserTagEdit ? kUserTagPage
                       : source == OptionsOpenSource::kToolEdit  ? kToolsPage
                                                                 : kGeneralPage;
  const bool edit_item = source == OptionsOpenSource::kUserTagEdit || source == OptionsOpenSource::kToolEdit;
  opening.app_to_foreground =
      source == OptionsOpenSource::kToolMenuItem || (!edit_item && (app_minimized || main_hidden));
  opening.hide_taskbar_button = main_hidden;
  opening.return_foreground = true;  // core::ReturnForegroundToTarget itself acts only when the palette is not showing
  return opening;
}

}  // namespace tagsling::ui
