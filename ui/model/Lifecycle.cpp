#include "ui/model/Lifecycle.h"

#include "settings/ProfileFile.h"

namespace tagsling::ui {

StartupSettings ReadStartupSettings(const std::string& settingsPath) {
  // One read of the whole file: the four keys come from the same state of it.
  const settings::ProfileDocument file = settings::ProfileDocument::Load(settingsPath);
  auto flag = [&file](const char* key, bool fallback) { return file.GetBool("Option", key, fallback); };
  StartupSettings startup;
  startup.trayIcon = flag("TrayIcon", false);
  startup.startNoForm = flag("StartNoForm", false);
  startup.appbar = flag("Appbar", false);
  startup.splashWindow = flag("SplashWindow", true);
  return startup;
}

bool ShowsTitleWindow(const StartupSettings& startup) { return startup.splashWindow && !startup.appbar; }

bool StartsHidden(const StartupSettings& startup) { return startup.trayIcon && startup.startNoForm && !startup.appbar; }

CloseAction DecideClose(const CloseState& state) {
  if (state.trayIcon && !state.docked && !state.exitRequested) {
    return state.appMinimized ? CloseAction::Nothing : CloseAction::Hide;
  }
  return CloseAction::Close;
}

bool IsBusy(const BusyState& state) {
  return state.flags.any() || state.optionsDialogExists || !state.mainWindowEnabled;
}

}  // namespace tagsling::ui
