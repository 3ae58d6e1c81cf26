#pragma once
// The tooltip of a menu item: while the pointer or the keyboard is on an item
// that has a hint (MenuNode::hint, e.g. the "(HTML5 では廃止)" note), the hint
// shows just below the item, as the palette shows a button's hint. Win32
// menus have no tooltips of their own: the owner window passes its
// WM_MENUSELECT and WM_EXITMENULOOP here, and the tip is a tracking tooltip.
//
// The tooltip window is made the first time a hint shows (most sessions never
// need it) and is destroyed with this object.

#include <windows.h>

#include <string>

#include "win/Handles.h"

namespace tagsling::ui {

class MenuHintTip {
 public:
  explicit MenuHintTip(HWND owner) : owner_(owner) {}

  // The item at `position` of `menu` is selected; `hint` is its hint (UTF-8,
  // empty: no tip).
  void Show(HMENU menu, int position, const std::string& hint);
  void Hide();

 private:
  bool EnsureWindow();

  HWND owner_;
  win::UniqueWindow tip_;
  std::wstring text_;
  bool shown_ = false;
};

}  // namespace tagsling::ui
