#include "ui/model/Lifecycle.h"

#include "settings/AppSettings.h"
#include "settings/ProfileFile.h"

namespace tagsling::ui {

StartupSettings ReadStartupSettings(const std::string& settings_path) {
  using settings::AppSettings;
  // One read of the whole file: the four keys come from the same state of it.
  const settings::ProfileDocument file = settings::ProfileDocument::Load(settings_path);
  StartupSettings startup;
  startup.tray_icon = settings::ReadBoolSetting(file, &AppSettings::TrayIcon);
  startup.start_no_form = settings::ReadBoolSetting(file, &AppSettings::StartNoForm);
  startup.appbar = settings::ReadBoolSetting(file, &AppSettings::Appbar);
  startup.splash_window = settings::ReadBoolSetting(file, &AppSettings::SplashWindow);
  return startup;
}

DockedChoice ReadDockedChoice(const std::string& settings_path) {
  using settings::AppSettings;
  const settings::ProfileDocument file = settings::ProfileDocument::Load(settings_path);
  return {settings::ReadBoolSetting(file, &AppSettings::Appbar),
          settings::ReadBoolSetting(file, &AppSettings::NoMenuBar)};
}

bool ShowsTitleWindow(const StartupSettings& startup) { return startup.splash_window && !startup.appbar; }

bool StartsHidden(const StartupSettings& startup) {
  return startup.tray_icon && startup.start_no_form && !startup.appbar;
}

CloseAction DecideClose(const CloseState& state) {
  if (state.tray_icon && !state.docked && !state.exit_requested) {
    return state.app_minimized ? CloseAction::kNothing : CloseAction::kHide;
  }
  return CloseAction::kClose;
}

bool IsBusy(const BusyState& state) {
  return state.flags.any() || state.options_dialog_exists || !state.main_window_enabled;
}

}  // namespace tagsling::ui
