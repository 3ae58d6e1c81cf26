// desktoptool.exe: what the desktop-integration end-to-end tests need to see
// and poke that e2etool does not offer. One verb per run; output is UTF-8.
//   rect CLASS                 "left top right bottom" of the first visible top-level window of CLASS
//   caret CLASS                "x y": screen position of the caret in the thread of that window
//   post CLASS MSG WP LP       PostMessage to the first top-level window of CLASS, hidden ones included
//   visible CLASS              "1" when the first window of CLASS is visible, "0" when hidden
//   metric INDEX               GetSystemMetrics(INDEX)
// Exit status 1 when the window is not there.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
  const wchar_t* cls;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  if (wcscmp(name, search->cls) != 0) return TRUE;
  if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND Find(const wchar_t* cls, bool visibleOnly) {
  Search search{cls, visibleOnly, nullptr};
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
  HWND window = Find(argv[2], verb == L"rect" || verb == L"caret");
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
  return 2;
}
