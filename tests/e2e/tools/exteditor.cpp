// exteditor: a stand-in editor that is slow to start.
//   exteditor.exe [BUSY_MS [exit]]
// Stays busy for BUSY_MS milliseconds (default 3000) without ever touching
// its message queue, so WaitForInputIdle sees it as not idle all that time.
// Then it shows a window of class "TagslingStandInEditor" and waits for
// input until the window is closed; with "exit" it ends instead, never
// having become idle.

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

#include "win/Window.h"

namespace {

constexpr wchar_t kClass[] = L"TagslingStandInEditor";

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const DWORD busy = argc > 1 ? static_cast<DWORD>(_wtoi(argv[1])) : 3000;
  const bool exit_after = argc > 2 && std::wstring(argv[2]) == L"exit";
  Sleep(busy);
  if (exit_after) return 0;

  tagsling::win::RegisterWindowClass(
      {.name = kClass, .cursor = IDC_ARROW, .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)}, Proc);
  HWND window = CreateWindowExW(0, kClass, L"Stand-in editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 100, 400, 300,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
