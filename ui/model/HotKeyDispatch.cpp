#include "ui/model/HotKeyDispatch.h"
#include "common/SjisLiteral.h"

#include <array>
#include <stdexcept>

namespace tagsling::ui {
namespace {

using settings::AppSettings;

// "ホットキー「" ... "」の登録に失敗しました。"
constexpr const char* kFailedPrefix = "ホットキー「"_sjis;
constexpr const char* kFailedSuffix = "」の登録に失敗しました。"_sjis;

struct CaretMenuRow {
  CommandId command;
  CaretMenuCommand menu;
};
constexpr std::array<CaretMenuRow, 6> kCaretMenus = {{
    {CommandId::kShowTagMenu, {MenuId::kTagPopup, &AppSettings::PMIti_A, false}},
    {CommandId::kShowShortTagMenu, {MenuId::kShortTagPopup, &AppSettings::PMIti_S, false}},
    {CommandId::kShowToolMenu, {MenuId::kToolHotKeyMenu, &AppSettings::PMIti_Tool, false}},
    {CommandId::kShowOuterToolMenu, {MenuId::kOuterToolHotKeyMenu, &AppSettings::PMIti_OuterTools, false}},
    {CommandId::kShowShortTagMenuModeInverted, {MenuId::kShortTagPopup, &AppSettings::PMIti_S, true}},
    {CommandId::kShowTagMenuModeInverted, {MenuId::kTagPopup, &AppSettings::PMIti_A, true}},
}};

}  // namespace

const char* const kHotKeyErrorCaption = "ホットキーの登録 - Tagsling"_sjis;

const std::string& HotKeyText(const AppSettings& settings, const HotKeyBinding& binding) {
  // The settings table names each key once; the binding names its setting by
  // that key, so the field is found there rather than listed a second time.
  for (const settings::SettingDefinition& row : settings::SettingsTable()) {
    if (binding.setting_key != row.key) continue;
    if (const auto* field = std::get_if<std::string AppSettings::*>(&row.field)) return settings.*(*field);
  }
  throw std::logic_error("hot key without a text setting: " + std::string(binding.setting_key));
}

std::string HotKeyFailedMessage(const std::string& text) { return kFailedPrefix + text + kFailedSuffix; }

int RegisterAllHotKeys(const AppSettings& settings, HotKeyRegistrar& registrar,
                       const std::function<void(const std::string& message)>& report_failure,
                       const DriverKeyName& driver) {
  int failures = 0;
  for (const HotKeyBinding& binding : AllHotKeys()) {
    const std::string& text = HotKeyText(settings, binding);
    if (text.empty()) {
      registrar.RemoveHotKey(binding.id);
      continue;
    }
    const ShortcutCode code = TextToShortcut(text, driver);
    if (code != 0 && registrar.AddHotKey(binding.id, code)) continue;
    ++failures;
    report_failure(HotKeyFailedMessage(text));
    registrar.RemoveHotKey(binding.id);
  }
  return failures;
}

void RemoveAllHotKeys(HotKeyRegistrar& registrar) {
  for (const HotKeyBinding& binding : AllHotKeys()) registrar.RemoveHotKey(binding.id);
}

CommandId DispatchHotKey(int id, bool busy) { return busy ? CommandId::kNone : HotKeyCommand(id); }

std::optional<CaretMenuCommand> CaretMenuOf(CommandId command) {
  for (const CaretMenuRow& row : kCaretMenus) {
    if (row.command == command) return row.menu;
  }
  return std::nullopt;
}

void RunWithModeInverted(const bool& sandwich_mode, const std::function<void()>& toggle,
                         const std::function<void()>& body) {
  const bool remembered = sandwich_mode;
  toggle();
  const auto restore = [&] {
    if (sandwich_mode != remembered) toggle();
  };
  // The mode goes back even when the menu's command throws, so a failed
  // command never leaves the inverted mode behind.
  try {
    body();
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

ShowMainWindowAction DecideShowMainWindow(bool main_visible, bool app_active, bool app_minimized, bool busy) {
  if ((main_visible && app_active) || busy) return ShowMainWindowAction::kNone;
  if (app_minimized) return ShowMainWindowAction::kRestoreApplication;
  return ShowMainWindowAction::kForegroundAndShow;
}

}  // namespace tagsling::ui
