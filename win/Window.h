#pragma once
// One way to make a window.
//
// A window class is registered once per process: RegisterWindowClass leaves
// a class that is already there (ours or another module's) as it is. A
// window made by CreateOwnedWindow carries its C++ owner from WM_NCCREATE on
// (lpCreateParams into GWLP_USERDATA); every message from then on goes to
// `owner->HandleMessage(window, message, wparam, lparam)` inside Guarded, so
// no exception leaves the window procedure (it is shown in the program's
// error box and the message returns 0). The few messages before WM_NCCREATE
// go to DefWindowProcW.
//
// The owner must outlive its windows (destroy them in its destructor); one
// owner may hold several windows of one class, told apart by `window`.

#include <windows.h>

#include "win/ErrorBox.h"

namespace tagsling::win {

struct WindowClassSpec {
  const wchar_t* name = nullptr;
  UINT style = 0;
  const wchar_t* cursor = nullptr;  // a system cursor (IDC_ARROW, IDC_WAIT), or none
  HBRUSH background = nullptr;
  int window_extra = 0;
};

// The placement and looks of a new window, as CreateWindowExW takes them.
struct WindowShape {
  DWORD ex_style = 0;
  const wchar_t* title = L"";
  DWORD style = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  HWND parent = nullptr;  // the parent or owner; HWND_MESSAGE for a message-only window
  HMENU menu = nullptr;   // a top-level window's menu bar
};

// Registers the class with `procedure` unless a class of that name exists.
// False when neither is the case.
bool RegisterWindowClass(const WindowClassSpec& window_class, WNDPROC procedure);

// The owner bound to a window made by CreateOwnedWindow, or null.
template <typename Owner>
Owner* WindowOwner(HWND window) {
  return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

template <typename Owner>
LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Owner* owner = WindowOwner<Owner>(window);
  if (!owner) return DefWindowProcW(window, message, wparam, lparam);
  return Guarded([&] { return owner->HandleMessage(window, message, wparam, lparam); }, LRESULT{0});
}

// Registers the class (once) for Owner's window procedure and creates a
// window of it bound to `owner`. Null when either step fails.
template <typename Owner>
HWND CreateOwnedWindow(const WindowClassSpec& window_class, const WindowShape& shape, Owner* owner) {
  if (!RegisterWindowClass(window_class, &OwnedWindowProc<Owner>)) return nullptr;
  return CreateWindowExW(shape.ex_style, window_class.name, shape.title, shape.style, shape.x, shape.y, shape.width,
                         shape.height, shape.parent, shape.menu, GetModuleHandleW(nullptr), owner);
}

}  // namespace tagsling::win
