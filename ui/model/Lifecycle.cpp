#include "ui/model/Lifecycle.h"

#include "settings/ProfileFile.h"

namespace tagsling::ui {

StartupSettings ReadStartupSettings(const std::string& settings_path) {
  // One read of the whole file: the four keys come from the same state of it.
  const settings::ProfileDocument file = settings::ProfileDocument::Load(settings_path);
  auto flag = [&file](const char* key, bool fallback) { return file.GetBool("Option", key, fallback); };
  StartupSettings startup;
  startup.tray_icon = flag("TrayIcon", false);
  startup.start_no_form = flag("StartNoForm", false);
  startup.appbar = flag("Appbar", false);
  startup.splash_window = flag("SplashWindow", true);
  return startup;
}

bool ShowsTitleWindow(const StartupSettings& startup) { return startup.splash_window && !startup.appbar; }

bool StartsHidden(const StartupSettings& startup) {
  return startup.tray_icon && startup.start_no_form && !startup.appbar;
}

CloseAction DecideClose(const CloseState& state) {
  if (state.tray_icon && !state.docked && !state.exit_requested) {
    return state.app_minimized ? CloseAction::Nothing : CloseAction::Hide;
  }
  return CloseAction::Close;
}

bool IsBusy(const BusyState& state) {
  return state.flags.any() || state.options_dialog_exists || !state.main_window_enabled;
}

}  // namespace tagsling::ui
