#include "win/Shell.h"

#include <type_traits>
#include <utility>

#include "win/SystemLibrary.h"

namespace tagsling::win::shell {
namespace {

// Calls shell32's `name` with the type of the declared `Function`; without
// the library the result is the function's failure value (zero, null).
template <typename Function, typename... Args>
auto Call(const char* name, Args... args) {
  const auto function = SystemFunctionAs<Function>(L"shell32.dll", name);
  using Result = decltype(function(args...));
  if constexpr (std::is_void_v<Result>) {
    if (function) function(args...);
  } else {
    return function ? function(args...) : Result{};
  }
}

}  // namespace

HINSTANCE Execute(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                  const wchar_t* directory, int show) {
  return Call<decltype(&ShellExecuteW)>("ShellExecuteW", owner, verb, file, parameters, directory, show);
}

BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* data) {
  return Call<decltype(&Shell_NotifyIconW)>("Shell_NotifyIconW", message, data);
}

UINT_PTR AppBarMessage(DWORD message, APPBARDATA* data) {
  return Call<decltype(&SHAppBarMessage)>("SHAppBarMessage", message, data);
}

PIDLIST_ABSOLUTE BrowseForFolder(BROWSEINFOW* info) {
  return Call<decltype(&SHBrowseForFolderW)>("SHBrowseForFolderW", info);
}

BOOL PathFromIdList(PCIDLIST_ABSOLUTE list, wchar_t* path) {
  return Call<decltype(&SHGetPathFromIDListW)>("SHGetPathFromIDListW", list, path);
}

BOOL PathFromIdListEx(PCIDLIST_ABSOLUTE list, wchar_t* path, DWORD size, GPFIDL_FLAGS flags) {
  return Call<decltype(&SHGetPathFromIDListEx)>("SHGetPathFromIDListEx", list, path, size, flags);
}

void FreeIdList(PIDLIST_RELATIVE list) { Call<decltype(&ILFree)>("ILFree", list); }

LPWSTR* CommandLineToArgv(const wchar_t* command_line, int* count) {
  return Call<decltype(&CommandLineToArgvW)>("CommandLineToArgvW", command_line, count);
}

}  // namespace tagsling::win::shell
