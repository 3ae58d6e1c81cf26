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
//   extprobe.exe field CLASS TEXT
//                                the first edit box (shown or not) inside the
//                                first window of CLASS whose text is TEXT (HWND)
//   extprobe.exe pressbeside HWND
//                                clicks (BN_CLICKED to its parent) the "..."
//                                button on the right of that edit box
//   extprobe.exe text HWND       the window's text
//   extprobe.exe settext HWND TEXT
//   extprobe.exe kill EXE        ends every process running EXE (file name)
// Output is UTF-8.

#include <windows.h>
#include <dlgs.h>
#include <tlhelp32.h>

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

// The text a control holds now: WM_GETTEXT, which reaches controls of other
// processes (GetWindowText would give their creation caption).
std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 2000, &length)) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 2000,
                           &copied)) {
    return {};
  }
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

HWND FromDecimal(const wchar_t* text) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(_wcstoui64(text, nullptr, 10)));
}

struct FieldSearch {
  std::wstring text;
  HWND found = nullptr;
};

BOOL CALLBACK FindField(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<FieldSearch*>(param);
  if (lstrcmpiW(ClassOf(child).c_str(), L"Edit") != 0 || TextOf(child) != search->text) return TRUE;
  search->found = child;
  return FALSE;
}

struct ButtonSearch {
  RECT field;
  HWND found = nullptr;
  LONG best = 0;
};

// The nearest "..." button to the right of the field whose vertical middle
// lies within the field's rows.
BOOL CALLBACK FindBrowseButton(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ButtonSearch*>(param);
  if (TextOf(child) != L"...") return TRUE;
  RECT rect{};
  GetWindowRect(child, &rect);
  const LONG middle = (rect.top + rect.bottom) / 2;
  if (rect.left < search->field.right - 2 || middle < search->field.top || middle > search->field.bottom) return TRUE;
  const LONG distance = rect.left - search->field.right;
  if (!search->found || distance < search->best) {
    search->found = child;
    search->best = distance;
  }
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
  if (verb == L"field" && argc > 3) {
    HWND top = FindWindowW(argv[2], nullptr);
    if (!top) return 1;
    FieldSearch search{argv[3]};
    EnumChildWindows(top, FindField, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    Print(std::to_wstring(reinterpret_cast<UINT_PTR>(search.found)) + L"\n");
    return 0;
  }
  if (verb == L"pressbeside" && argc > 2) {
    HWND field = FromDecimal(argv[2]);
    HWND parent = GetParent(field);
    ButtonSearch search{};
    GetWindowRect(field, &search.field);
    EnumChildWindows(parent, FindBrowseButton, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    const int id = GetDlgCtrlID(search.found);
    return PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(search.found)) ? 0 : 1;
  }
  if (verb == L"text" && argc > 2) {
    Print(TextOf(FromDecimal(argv[2])) + L"\n");
    return 0;
  }
  if (verb == L"settext" && argc > 3) {
    return SendMessageW(FromDecimal(argv[2]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3])) ? 0 : 1;
  }
  if (verb == L"kill" && argc > 2) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry)) {
      if (lstrcmpiW(entry.szExeFile, argv[2]) != 0) continue;
      if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
        TerminateProcess(process, 1);
        CloseHandle(process);
      }
    }
    CloseHandle(snapshot);
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
