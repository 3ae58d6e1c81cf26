#pragma once
// The palette docked as an application desktop toolbar along the top edge
// of the screen (SHAppBarMessage). Register once at creation when docked,
// reposition on the toolbar notifications (message 0x46E), remove at
// destruction. The system's answers are not examined: a refused toolbar
// leaves the window where it was, with nothing reported.
// The numbers (thickness, rectangles, min/max limits) are ui/model/AppBarModel.

#include <windows.h>
#include <shellapi.h>

#include "ui/model/AppBarModel.h"

namespace tagsling::ui {

class AppBar {
 public:
  AppBar() = default;
  ~AppBar() { Remove(); }
  AppBar(const AppBar&) = delete;
  AppBar& operator=(const AppBar&) = delete;

  // ABM_NEW for `window` with callback 0x46E at the top edge, then Reposition.
  void Register(HWND window, int thickness);
  // ABM_QUERYPOS and ABM_SETPOS for (0, 0, screen width, thickness), then
  // moves the window onto the granted rectangle.
  void Reposition();
  // ABM_REMOVE, once.
  void Remove();
  bool Registered() const { return window_ != nullptr; }

  // Message 0x46E: repositions while the "Appbar" setting is on and the code
  // is ABN_STATECHANGE or ABN_POSCHANGED. True when it was handled here.
  bool OnNotification(WPARAM code, bool appbar_setting);

 private:
  APPBARDATA Data() const;

  HWND window_ = nullptr;
  int thickness_ = 0;
};

}  // namespace tagsling::ui
