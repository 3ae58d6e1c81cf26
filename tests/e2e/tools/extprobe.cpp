// extprobe: what the external-program tests read about windows.
//   extprobe.exe windows CLASS   one line per visible top-level window of the
//                                class, topmost first: "HWND LEFT TOP RIGHT
//                                BOTTOM MAXIMISED TITLE" (HWND in decimal)
//   extprobe.exe workarea        "LEFT TOP RIGHT BOTTOM" of SPI_GETWORKAREA
//   extprobe.exe close HWND      WM_CLOSE to that window
//   extprobe.exe boxtext         the texts of the first visible dialog box's
//                                controls, one line each
//   extprobe.exe openfile PATH   types PATH into the file name box of the
//                                first visible open dialog and presses OK
// Output is UTF-8.

#include <windows.h>
#include <dlgs.h>

#include <cwchar>
#include <string>

#include "StandInText.h"

namespace {

using standin::Print;

std::wstring RectText(const RECT& rect) {
  return std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " + std::to_wstring(rect.right) + L" " +
         std::to_wstring(rect.bottom);
}

BOOL CALLBACK ListWindow(HWND window, LPARAM param) {
  const auto* wanted = reinterpret_cast<const std::wstring*>(param);
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  if (*wanted != name || !IsWindowVisible(window)) return TRUE;
  RECT rect{};
  GetWindowRect(window, &rect);
  wchar_t title[512] = L"";
  GetWindowTextW(window, title, 512);
  Print(std::to_wstring(reinterpret_cast<UINT_PTR>(window)) + L" " + RectText(rect) + L" " +
        (IsZoomed(window) ? L"1 " : L"0 ") + title + L"\n");
  return TRUE;
}

BOOL CALLBACK PrintChildText(HWND child, LPARAM) {
  wchar_t text[1024] = L"";
  GetWindowTextW(child, text, 1024);
  if (text[0]) Print(std::wstring(text) + L"\n");
  return TRUE;
}

HWND VisibleDialog() {
  HWND dialog = FindWindowW(L"#32770", nullptr);
  while (dialog && !IsWindowVisible(dialog)) dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr);
  return dialog;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring verb = argv[1];
  if (verb == L"windows" && argc > 2) {
    const std::wstring wanted = argv[2];
    EnumWindows(ListWindow, reinterpret_cast<LPARAM>(&wanted));
    return 0;
  }
  if (verb == L"workarea") {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    Print(RectText(area) + L"\n");
    return 0;
  }
  if (verb == L"close" && argc > 2) {
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(_wcstoui64(argv[2], nullptr, 10)));
    return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (verb == L"boxtext") {
    HWND dialog = VisibleDialog();
    if (!dialog) return 1;
    EnumChildWindows(dialog, PrintChildText, 0);
    return 0;
  }
  if (verb == L"openfile" && argc > 2) {
    HWND dialog = VisibleDialog();
    HWND name = dialog ? GetDlgItem(dialog, cmb13) : nullptr;
    if (!name && dialog) name = GetDlgItem(dialog, edt1);
    if (!name) return 1;
    SetWindowTextW(name, argv[2]);
    return PostMessageW(dialog, WM_COMMAND, IDOK, 0) ? 0 : 1;
  }
  return 2;
}
