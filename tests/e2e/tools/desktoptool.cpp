// desktoptool.exe: what the desktop-integration end-to-end tests need to see
// and poke that e2etool does not offer. One verb per run; output is UTF-8.
//   rect CLASS                 "left top right bottom" of the first visible top-level window of CLASS
//   caret CLASS                "x y": screen position of the caret in the thread of that window
//   post CLASS MSG WP LP       PostMessage to the first top-level window of CLASS, hidden ones included
//   visible CLASS              "1" when the first window of CLASS is visible, "0" when hidden
//   enabled CLASS              "1" when the first window of CLASS is enabled, "0" when disabled
//   topmost CLASS              "1" when the first window of CLASS is always on top
//   metric INDEX               GetSystemMetrics(INDEX)
//   ping CLASS MS              SendMessageTimeout(WM_NULL) to the first window of CLASS:
//                              "answered ELAPSED_MS", exit 1 when it did not answer in MS
//   send CLASS MSG WP LP       SendMessage (at most 5 s) to the first window of CLASS; its result
//   client CLASS               "x y": screen position of the client area's origin of the
//                              first visible window of CLASS
//   owner CLASS                class of the owner of the first visible window of CLASS
// Exit status 1 when the window is not there.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
  const wchar_t* cls;
  bool visible_only;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  if (wcscmp(name, search->cls) != 0) return TRUE;
  if (search->visible_only && !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND Find(const wchar_t* cls, bool visible_only) {
  Search search{cls, visible_only, nullptr};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

unsigned long long Number(const wchar_t* text) { return wcstoull(text, nullptr, 0); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring verb = argv[1];
  if (verb == L"metric") {
    std::printf("%d\n", GetSystemMetrics(static_cast<int>(Number(argv[2]))));
    return 0;
  }
  HWND window = Find(argv[2], verb == L"rect" || verb == L"caret" || verb == L"client" || verb == L"owner");
  if (!window) return 1;
  if (verb == L"rect") {
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (verb == L"caret") {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndCaret) return 1;
    POINT p{info.rcCaret.left, info.rcCaret.top};
    ClientToScreen(info.hwndCaret, &p);
    std::printf("%ld %ld\n", p.x, p.y);
    return 0;
  }
  if (verb == L"post" && argc >= 6) {
    return PostMessageW(window, static_cast<UINT>(Number(argv[3])), static_cast<WPARAM>(Number(argv[4])),
                        static_cast<LPARAM>(Number(argv[5])))
               ? 0
               : 1;
  }
  if (verb == L"visible") {
    std::printf("%d\n", IsWindowVisible(window) ? 1 : 0);
    return 0;
  }
  if (verb == L"topmost") {
    std::printf("%d\n", (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
    return 0;
  }
  if (verb == L"enabled") {
    std::printf("%d\n", IsWindowEnabled(window) ? 1 : 0);
    return 0;
  }
  if (verb == L"ping" && argc >= 4) {
    const ULONGLONG started = GetTickCount64();
    DWORD_PTR result = 0;
    const bool answered =
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(Number(argv[3])), &result) != 0;
    std::printf("%s %llu\n", answered ? "answered" : "silent", GetTickCount64() - started);
    return answered ? 0 : 1;
  }
  if (verb == L"send" && argc >= 6) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, static_cast<UINT>(Number(argv[3])), static_cast<WPARAM>(Number(argv[4])),
                             static_cast<LPARAM>(Number(argv[5])), SMTO_NORMAL, 5000, &result)) {
      return 1;
    }
    std::printf("%lld\n", static_cast<long long>(result));
    return 0;
  }
  if (verb == L"client") {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    std::printf("%ld %ld\n", origin.x, origin.y);
    return 0;
  }
  if (verb == L"owner") {
    wchar_t name[256] = L"";
    if (HWND owner = GetWindow(window, GW_OWNER)) GetClassNameW(owner, name, 256);
    std::printf("%ls\n", name);
    return 0;
  }
  return 2;
}
