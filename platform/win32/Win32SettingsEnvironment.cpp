#include <windows.h>
#include <stdlib.h>

#include "platform/win32/Win32SettingsEnvironment.h"

#include "win/Shell.h"
#include "win/WinText.h"

#include <string>

namespace tagsling::platform::win32 {

namespace {

HWND H(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

}  // namespace

Win32SettingsEnvironment::Win32SettingsEnvironment(WindowHandle main_window, std::function<bool()> docked)
    : main_window_(main_window), docked_(std::move(docked)) {}

settings::WindowBounds Win32SettingsEnvironment::MainWindowBounds() const {
  RECT r = {};
  if (main_window_) GetWindowRect(H(main_window_), &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool Win32SettingsEnvironment::MainWindowZoomed() const { return main_window_ && IsZoomed(H(main_window_)); }

bool Win32SettingsEnvironment::MainWindowDocked() const { return docked_ && docked_(); }

void Win32SettingsEnvironment::ApplyMainWindowPlacement(int width, int top, int left, bool maximized) {
  if (!main_window_) return;
  RECT r = {};
  GetWindowRect(H(main_window_), &r);
  SetWindowPos(H(main_window_), nullptr, left, top, width, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (::IsWindowVisible(H(main_window_))) ShowWindow(H(main_window_), maximized ? SW_MAXIMIZE : SW_RESTORE);
}

int Win32SettingsEnvironment::GetSystemMetric(settings::SystemMetric metric) const {
  switch (metric) {
    case settings::SystemMetric::kCaptionHeight:
      return GetSystemMetrics(SM_CYCAPTION);
    case settings::SystemMetric::kMenuHeight:
      return GetSystemMetrics(SM_CYMENU);
    case settings::SystemMetric::kFrameHeight:
      return GetSystemMetrics(SM_CYFRAME);
    case settings::SystemMetric::kEdgeHeight:
      return GetSystemMetrics(SM_CYEDGE);
    case settings::SystemMetric::kBorderHeight:
      return GetSystemMetrics(SM_CYBORDER);
  }
  return 0;
}

std::string Win32SettingsEnvironment::WindowsDirectory() const {
  wchar_t buffer[MAX_PATH + 1];
  UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  std::wstring folder(buffer, length);
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return win::WideToSjis(folder);
}

settings::OsVersion Win32SettingsEnvironment::GetOsVersion() const {
  // GetVersionEx lies to programs without a compatibility manifest; every
  // system this runs on is of the NT family anyway.
  settings::OsVersion version;
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) {
    version.available = false;
    return version;
  }
#pragma GCC diagnostic pop
  version.platform_id = info.dwPlatformId;
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  return version;
}

std::optional<std::string> Win32SettingsEnvironment::ReadMachineRegistryDefault(const std::string& key_path) const {
  std::wstring path = win::SjisToWide(key_path);
  while (!path.empty() && path.front() == L'\\') path.erase(path.begin());
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  std::wstring value;
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && bytes > 0) {
    value.resize(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
        ERROR_SUCCESS) {
      value.clear();
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
  }
  RegCloseKey(key);
  return win::WideToSjis(value);
}

std::string Win32SettingsEnvironment::FirstCommandLineArgument() const {
  // The runtime has already split the command line of a Unicode program;
  // asking the shell to do it again would load shell32 at every start.
  if (__wargv) return __argc > 1 ? win::WideToSjis(__wargv[1]) : std::string();
  int count = 0;
  LPWSTR* args = win::shell::CommandLineToArgv(GetCommandLineW(), &count);
  if (!args) return {};
  std::string first = count > 1 ? win::WideToSjis(args[1]) : std::string();
  LocalFree(args);
  return first;
}

}  // namespace tagsling::platform::win32
