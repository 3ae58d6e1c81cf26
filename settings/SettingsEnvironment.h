#pragma once
// What loading and saving the settings need from the system, behind one
// narrow interface so that the whole procedure runs (and is tested) without
// Windows. The Win32 implementation lives with the platform code; tests use a
// fake.

#include <optional>
#include <string>

namespace tagsling::settings {

// System metrics used for the window heights.
enum class SystemMetric {
  kCaptionHeight,  // SM_CYCAPTION
  kMenuHeight,     // SM_CYMENU
  kFrameHeight,    // SM_CYFRAME (sizing frame)
  kEdgeHeight,     // SM_CYEDGE
  kBorderHeight,   // SM_CYBORDER
};

// The answer of GetVersionExA; `available` is false when the call failed.
struct OsVersion {
  bool available = true;
  unsigned platform_id = 2;  // 0 Win32s, 1 Windows 95 family, 2 NT
  unsigned major = 10;
  unsigned minor = 0;
};

// Screen rectangle of the main window, in pixels.
struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class SettingsEnvironment {
 public:
  virtual ~SettingsEnvironment() = default;

  // The main window.
  virtual WindowBounds MainWindowBounds() const = 0;
  virtual bool MainWindowZoomed() const = 0;  // IsZoomed
  virtual bool MainWindowDocked() const = 0;  // registered as a desktop toolbar
  // Sets width, top and left, then the state: normal, or maximized.
  virtual void ApplyMainWindowPlacement(int width, int top, int left, bool maximized) = 0;

  virtual int GetSystemMetric(SystemMetric metric) const = 0;
  // GetWindowsDirectoryA, without a trailing separator.
  virtual std::string WindowsDirectory() const = 0;
  virtual OsVersion GetOsVersion() const = 0;
  // Default (unnamed) value of a key below HKEY_LOCAL_MACHINE, the path
  // written with a leading backslash ("\SOFTWARE\..."); nullopt when the key
  // cannot be opened.
  virtual std::optional<std::string> ReadMachineRegistryDefault(const std::string& key_path) const = 0;
  // The program's first command-line argument, "" when there is none.
  virtual std::string FirstCommandLineArgument() const = 0;
};

}  // namespace tagsling::settings
