#pragma once
// What loading and saving the settings need from Windows: the main window's
// placement, system metrics, the Windows folder, the version, the registry
// and the command line. Strings are converted with code page 932.

#include <functional>

#include "platform/Types.h"
#include "settings/SettingsEnvironment.h"

namespace tagsling::platform::win32 {

class Win32SettingsEnvironment final : public settings::SettingsEnvironment {
 public:
  // `main_window` may be kNoWindow (a tool without a palette): placement is
  // then ignored. `docked` tells whether the palette is a desktop toolbar.
  Win32SettingsEnvironment(WindowHandle main_window, std::function<bool()> docked);

  settings::WindowBounds MainWindowBounds() const override;
  bool MainWindowZoomed() const override;
  bool MainWindowDocked() const override;
  void ApplyMainWindowPlacement(int width, int top, int left, bool maximized) override;
  int GetSystemMetric(settings::SystemMetric metric) const override;
  std::string WindowsDirectory() const override;
  settings::OsVersion GetOsVersion() const override;
  std::optional<std::string> ReadMachineRegistryDefault(const std::string& key_path) const override;
  std::string FirstCommandLineArgument() const override;

 private:
  WindowHandle main_window_;
  std::function<bool()> docked_;
};

}  // namespace tagsling::platform::win32
