#pragma once
// The settings procedures' view of the palette program: the system answers
// come from the platform's settings environment; the main window's placement
// and the window metrics are the palette's own, because the palette may be
// created hidden (it then remembers the state it is to be shown in) and
// scales its fixed sizes with the monitor.

#include <windows.h>

#include "platform/win32/Win32SettingsEnvironment.h"
#include "settings/SettingsEnvironment.h"

namespace tagsling::ui {

// What the main window tells the settings about itself.
class MainWindowPlacement {
 public:
  virtual ~MainWindowPlacement() = default;
  virtual HWND Window() const = 0;
  virtual bool Docked() const = 0;
  // Maximized now, or about to start maximized while never shown yet.
  virtual bool Zoomed() const = 0;
  // Width, top and left of the normal state, then the state itself.
  virtual void ApplyPlacement(int width, int top, int left, bool maximized) = 0;
};

class PaletteSettingsEnvironment final : public settings::SettingsEnvironment {
 public:
  explicit PaletteSettingsEnvironment(MainWindowPlacement* window)
      : window_(window), system_(platform::kNoWindow, nullptr) {}

  settings::WindowBounds MainWindowBounds() const override;
  bool MainWindowZoomed() const override;
  bool MainWindowDocked() const override;
  void ApplyMainWindowPlacement(int width, int top, int left, bool maximized) override;

  // Metrics at 96 dots per inch: the window heights computed from them are in
  // logical pixels and the main window scales them to its monitor.
  int GetSystemMetric(settings::SystemMetric metric) const override;
  std::string WindowsDirectory() const override;
  settings::OsVersion GetOsVersion() const override;
  std::optional<std::string> ReadMachineRegistryDefault(const std::string& key_path) const override;
  std::string FirstCommandLineArgument() const override;

 private:
  MainWindowPlacement* window_;
  platform::win32::Win32SettingsEnvironment system_;
};

}  // namespace tagsling::ui
