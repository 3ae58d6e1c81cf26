// extbrowser: a stand-in browser for the external-program tests.
//   extbrowser.exe [--class CLASS] [--page STRIP] TITLE RECORD [SERVICE]
// Shows a normal top-level window of class CLASS (default
// "TagslingStandInBrowser") titled TITLE at 100,100 sized 500 x 400. With
// --page it stands in for a Chromium browser: a child window of class
// "Chrome_RenderWidgetHostHWND" covers the client area below a tool strip
// STRIP pixels high, as the page area does below Chromium's tab strip and
// toolbar. With SERVICE it is also a DDE server of that service name
// answering the topics "WWW_OpenURL" and "WWW_Activate".
// It appends UTF-8 lines to the file RECORD:
//   ready                           once the window (and service) are up
//   request TOPIC ITEM FORMAT       for every XTYP_REQUEST, FORMAT as a number
//   key VK / keyup VK               every key pressed and released while it
//                                   has the focus (virtual-key code, decimal)
//   page WIDTH HEIGHT               the page area's size after each sizing
// Ends when its window is closed.

#include <windows.h>
#include <ddeml.h>

#include <string>

#include "StandInText.h"
#include "win/Window.h"

namespace {

std::wstring g_record;
DWORD g_instance = 0;
HWND g_page = nullptr;
int g_strip = 0;

void Record(const std::wstring& line) { standin::Append(g_record, line + L"\n"); }

std::wstring StringOf(HSZ handle) {
  wchar_t text[1024] = L"";
  DdeQueryStringW(g_instance, handle, text, 1024, CP_WINUNICODE);
  return text;
}

bool KnownTopic(const std::wstring& topic) {
  return lstrcmpiW(topic.c_str(), L"WWW_OpenURL") == 0 || lstrcmpiW(topic.c_str(), L"WWW_Activate") == 0;
}

HDDEDATA CALLBACK DdeCallback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(static_cast<INT_PTR>(KnownTopic(StringOf(hsz1))));
    case XTYP_REQUEST: {
      Record(L"request " + StringOf(hsz1) + L" " + StringOf(hsz2) + L" " + std::to_wstring(format));
      static const char kAnswer[] = "0";
      return DdeCreateDataHandle(g_instance, reinterpret_cast<LPBYTE>(const_cast<char*>(kAnswer)), sizeof kAnswer, 0,
                                 hsz2, format, 0);
    }
    default:
      return nullptr;
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Record(L"key " + std::to_wstring(wparam));
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      Record(L"keyup " + std::to_wstring(wparam));
      break;
    case WM_SIZE:
      if (g_page && wparam != SIZE_MINIMIZED) {
        const int width = LOWORD(lparam);
        const int height = HIWORD(lparam) > g_strip ? HIWORD(lparam) - g_strip : 0;
        MoveWindow(g_page, 0, g_strip, width, height, TRUE);
        Record(L"page " + std::to_wstring(width) + L" " + std::to_wstring(height));
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* class_name = L"TagslingStandInBrowser";
  bool page = false;
  int first = 1;
  for (; first + 1 < argc && argv[first][0] == L'-' && argv[first][1] == L'-'; first += 2) {
    if (lstrcmpW(argv[first], L"--class") == 0) class_name = argv[first + 1];
    if (lstrcmpW(argv[first], L"--page") == 0) {
      page = true;
      g_strip = _wtoi(argv[first + 1]);
    }
  }
  if (argc - first < 2) return 2;
  const wchar_t* title = argv[first];
  g_record = argv[first + 1];
  const wchar_t* service_name = argc - first > 2 ? argv[first + 2] : nullptr;

  HINSTANCE instance = GetModuleHandleW(nullptr);
  using tagsling::win::RegisterWindowClass;
  constexpr wchar_t kPageClass[] = L"Chrome_RenderWidgetHostHWND";
  RegisterWindowClass(
      {.name = class_name, .cursor = IDC_ARROW, .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)}, WindowProc);
  RegisterWindowClass({.name = kPageClass, .background = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1)},
                      DefWindowProcW);
  HWND window = CreateWindowExW(0, class_name, title, WS_OVERLAPPEDWINDOW, 100, 100, 500, 400, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 1;
  if (page) {
    g_page = CreateWindowExW(0, kPageClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr, instance, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    SendMessageW(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  }

  HSZ service = nullptr;
  if (service_name) {
    const DWORD flags = APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_EXECUTES | CBF_FAIL_POKES |
                        CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS;
    if (DdeInitializeW(&g_instance, DdeCallback, flags, 0) != DMLERR_NO_ERROR) return 1;
    service = DdeCreateStringHandleW(g_instance, service_name, CP_WINUNICODE);
    if (!DdeNameService(g_instance, service, nullptr, DNS_REGISTER)) return 1;
  }
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  Record(L"ready");

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (g_instance) {
    DdeNameService(g_instance, service, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(g_instance, service);
    DdeUninitialize(g_instance);
  }
  return 0;
}
