#include "ui/win/Window.h"

namespace tagsling::ui {

bool RegisterWindowClass(const WindowClassSpec& spec, WNDPROC procedure) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, spec.name, &wc)) return true;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof wc;
  wc.style = spec.style;
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = spec.window_extra;
  wc.hInstance = instance;
  wc.hCursor = spec.cursor ? LoadCursorW(nullptr, spec.cursor) : nullptr;
  wc.hbrBackground = spec.background;
  wc.lpszClassName = spec.name;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace tagsling::ui
