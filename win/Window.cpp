#include "win/Window.h"

namespace tagsling::win {

bool RegisterWindowClass(const WindowClassSpec& window_class, WNDPROC procedure) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, window_class.name, &wc)) return true;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof wc;
  wc.style = window_class.style;
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = window_class.window_extra;
  wc.hInstance = instance;
  wc.hCursor = window_class.cursor ? LoadCursorW(nullptr, window_class.cursor) : nullptr;
  wc.hbrBackground = window_class.background;
  wc.lpszClassName = window_class.name;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace tagsling::win
