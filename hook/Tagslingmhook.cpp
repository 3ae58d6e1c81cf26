// Tagslingmhook.dll: posts message 0x464 to one window whenever the mouse
// pointer moves, wherever it is on the screen.
//
// SetHook(window) installs a low-level mouse hook (WH_MOUSE_LL). A low-level
// hook is not injected into other processes: the system calls it on the
// thread that installed it, through that thread's message loop, so the
// palette's own user-interface thread receives every move and posts the
// notification to its window. UnHook removes the hook; after it no further
// notification is posted. A move costs one PostMessage; the message carries
// nothing, since the palette reads the pointer position itself.

#include <windows.h>

namespace {

constexpr UINT kMouseMovedMessage = WM_USER + 100;  // 0x464

HHOOK g_hook = nullptr;
HWND g_target = nullptr;
HINSTANCE g_module = nullptr;

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && wparam == WM_MOUSEMOVE && g_target != nullptr) {
    PostMessageW(g_target, kMouseMovedMessage, 0, 0);
  }
  return CallNextHookEx(g_hook, code, wparam, lparam);
}

}  // namespace

extern "C" BOOL WINAPI SetHook(HWND window) {
  g_target = window;
  if (g_hook == nullptr) g_hook = SetWindowsHookExW(WH_MOUSE_LL, LowLevelMouseProc, g_module, 0);
  return g_hook != nullptr;
}

extern "C" BOOL WINAPI UnHook() {
  BOOL ok = TRUE;
  if (g_hook != nullptr) ok = UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
  g_target = nullptr;
  return ok;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
