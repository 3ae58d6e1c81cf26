#include "ui/AppBar.h"

#include <shellapi.h>

#include "win/Shell.h"

namespace tagsling::ui {

APPBARDATA AppBar::Data() const {
  APPBARDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = window_;
  data.uCallbackMessage = kAppBarCallbackMessage;
  data.uEdge = ABE_TOP;
  const platform::Rect r = AppBarRequestRect(GetSystemMetrics(SM_CXSCREEN), thickness_);
  data.rc = RECT{r.left, r.top, r.right, r.bottom};
  return data;
}

void AppBar::Register(HWND window, int thickness) {
  window_ = window;
  thickness_ = thickness;
  APPBARDATA data = Data();
  win::shell::AppBarMessage(ABM_NEW, &data);
  Reposition();
}

void AppBar::Reposition() {
  if (!window_) return;
  APPBARDATA data = Data();
  win::shell::AppBarMessage(ABM_QUERYPOS, &data);
  const platform::Rect granted =
      AppBarRectAfterQuery({data.rc.left, data.rc.top, data.rc.right, data.rc.bottom}, thickness_);
  data.rc = RECT{granted.left, granted.top, granted.right, granted.bottom};
  win::shell::AppBarMessage(ABM_SETPOS, &data);
  const WindowBoundsRect bounds = AppBarWindowBounds({data.rc.left, data.rc.top, data.rc.right, data.rc.bottom});
  MoveWindow(window_, bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
}

void AppBar::Remove() {
  if (!window_) return;
  APPBARDATA data = Data();
  win::shell::AppBarMessage(ABM_REMOVE, &data);
  window_ = nullptr;
}

bool AppBar::OnNotification(WPARAM code, bool appbar_setting) {
  if (!RepositionOnAppBarNotification(appbar_setting, static_cast<unsigned>(code))) return false;
  Reposition();
  return true;
}

}  // namespace tagsling::ui
