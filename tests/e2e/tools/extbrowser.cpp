// extbrowser: a stand-in browser for the external-program tests.
//   extbrowser.exe TITLE RECORD [SERVICE]
// Shows a normal top-level window (class "TagslingStandInBrowser") titled
// TITLE at 100,100 sized 500 x 400. With SERVICE it is also a DDE server of
// that service name answering the topics "WWW_OpenURL" and "WWW_Activate".
// It appends UTF-8 lines to the file RECORD:
//   ready                           once the window (and service) are up
//   request TOPIC ITEM FORMAT       for every XTYP_REQUEST, FORMAT as a number
// Ends when its window is closed.

#include <windows.h>
#include <ddeml.h>

#include <string>

#include "StandInText.h"

namespace {

std::wstring g_record;
DWORD g_instance = 0;

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
  if (argc < 3) return 2;
  g_record = argv[2];
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"TagslingStandInBrowser";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW, 100, 100, 500, 400, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 1;

  HSZ service = nullptr;
  if (argc > 3) {
    const DWORD flags = APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_EXECUTES | CBF_FAIL_POKES |
                        CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS;
    if (DdeInitializeW(&g_instance, DdeCallback, flags, 0) != DMLERR_NO_ERROR) return 1;
    service = DdeCreateStringHandleW(g_instance, argv[3], CP_WINUNICODE);
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
