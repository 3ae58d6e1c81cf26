// Stand-ins for the other programs of a real Windows desktop that touch the
// clipboard, for the end-to-end tests:
//
//   clipstandin reader polite|rude LOG
//       clipboard history: listens for every clipboard change and reads the
//       Unicode text at once (rendering delayed data), holding the clipboard
//       open for that moment. The polite one skips contents that carry
//       "ExcludeClipboardContentFromMonitorProcessing", as Windows' history
//       does; the rude one reads everything. Each read text is appended to
//       LOG as a UTF-8 line; "ready" is its first line.
//   clipstandin sloweditor MS LOG
//       an editor (window class "SlowEditor" with an Edit control) whose
//       thread sleeps MS milliseconds before it handles a paste.
//   clipstandin hungowner MS LOG
//       puts text and a private format on the clipboard by delayed rendering
//       and sleeps MS milliseconds in WM_RENDERFORMAT before rendering.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring g_log;
bool g_polite = false;
DWORD g_sleep_ms = 0;
HWND g_edit = nullptr;
WNDPROC g_edit_proc = nullptr;
bool g_in_key_paste = false;
const wchar_t kText[] = L"the owner's text";

void Log(const std::wstring& line) {
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), size, nullptr, nullptr);
  utf8 += "\n";
  if (FILE* file = _wfopen(g_log.c_str(), L"ab")) {
    fwrite(utf8.data(), 1, utf8.size(), file);
    fclose(file);
  }
}

bool Excluded() {
  return IsClipboardFormatAvailable(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"));
}

void ReadEveryChange(HWND window) {
  if (g_polite && Excluded()) return;
  // Another program may have it open for a moment: try again briefly.
  for (int attempt = 0; attempt < 20 && !OpenClipboard(window); ++attempt) Sleep(1);
  if (g_polite && Excluded()) {
    CloseClipboard();
    return;
  }
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  Log(text);
}

HGLOBAL Global(const void* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (void* data = memory ? GlobalLock(memory) : nullptr) {
    memcpy(data, bytes, size);
    GlobalUnlock(memory);
  }
  return memory;
}

LRESULT CALLBACK SlowEdit(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const bool key_paste = message == WM_KEYDOWN && wparam == 'V' && GetKeyState(VK_CONTROL) < 0;
  if ((key_paste || message == WM_PASTE) && !g_in_key_paste) {
    Sleep(g_sleep_ms);
    g_in_key_paste = key_paste;
    LRESULT result = CallWindowProcW(g_edit_proc, window, message, wparam, lparam);
    g_in_key_paste = false;
    return result;
  }
  return CallWindowProcW(g_edit_proc, window, message, wparam, lparam);
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLIPBOARDUPDATE:
      ReadEveryChange(window);
      return 0;
    case WM_RENDERFORMAT:
      Sleep(g_sleep_ms);
      if (wparam == CF_UNICODETEXT) {
        SetClipboardData(CF_UNICODETEXT, Global(kText, sizeof kText));
      } else {
        SetClipboardData(static_cast<UINT>(wparam), Global("private", 8));
      }
      return 0;
    case WM_RENDERALLFORMATS:
      return 0;
    case WM_SIZE:
      if (g_edit) MoveWindow(g_edit, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (g_edit) SetFocus(g_edit);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    fwprintf(stderr, L"usage: clipstandin reader polite|rude LOG | sloweditor MS LOG | hungowner MS LOG\n");
    return 2;
  }
  const std::wstring mode = argv[1];
  g_log = argv[3];
  g_polite = std::wstring(argv[2]) == L"polite";
  g_sleep_ms = static_cast<DWORD>(_wtoi(argv[2]));
  const wchar_t* class_name = mode == L"sloweditor" ? L"SlowEditor" : L"ClipStandIn";
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = class_name;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&wc);
  const bool visible = mode == L"sloweditor";
  HWND window = CreateWindowExW(0, class_name, class_name, visible ? WS_OVERLAPPEDWINDOW : WS_POPUP, 400, 200, 500, 300,
                                nullptr, nullptr, wc.hInstance, nullptr);
  if (!window) return 1;
  if (mode == L"reader") {
    if (!AddClipboardFormatListener(window)) return 1;
  } else if (mode == L"sloweditor") {
    g_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0,
                             0, 500, 300, window, nullptr, wc.hInstance, nullptr);
    g_edit_proc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(g_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SlowEdit)));
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
  } else if (mode == L"hungowner") {
    if (!OpenClipboard(window)) return 1;
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, nullptr);
    SetClipboardData(RegisterClipboardFormatW(L"Tagsling e2e hung owner"), nullptr);
    CloseClipboard();
  } else {
    return 2;
  }
  Log(L"ready");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
