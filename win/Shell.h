#pragma once
// The few shell32 functions the program uses, bound when first called: the
// palette needs none of them to start (unless it docks or shows its
// notification-area icon), and loading shell32 with what it pulls in costs
// start-up time. A shell32 that cannot be loaded reads as the function's
// failure value.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace tagsling::win::shell {

HINSTANCE Execute(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                  const wchar_t* directory, int show);
BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* data);
UINT_PTR AppBarMessage(DWORD message, APPBARDATA* data);
PIDLIST_ABSOLUTE BrowseForFolder(BROWSEINFOW* info);
BOOL PathFromIdList(PCIDLIST_ABSOLUTE list, wchar_t* path);
BOOL PathFromIdListEx(PCIDLIST_ABSOLUTE list, wchar_t* path, DWORD size, GPFIDL_FLAGS flags);
void FreeIdList(PIDLIST_RELATIVE list);
LPWSTR* CommandLineToArgv(const wchar_t* command_line, int* count);

}  // namespace tagsling::win::shell
