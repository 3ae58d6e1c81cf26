#pragma once
// ShowMenuAtCaret: a popup menu raised by a hot key at the caret of the
// program the user types in, and the keyboard focus handed back to that
// program when the menu closes.
//
// Whether the focus goes back is MenuClickFlag: set when the menu opens, and
// rewritten by the thread-local mouse hook at every left or right button
// press (true on a popup menu, false anywhere else). So a menu closed by an
// item click or by the keyboard (Esc included) hands the focus back, while
// a menu dismissed by clicking another window leaves the focus there.
//
// Input is attached to the foreground program's thread only while the focus
// and caret are read (and a mouse capture cancelled) and again while they
// are handed back; the menu itself runs detached.

#include <windows.h>

#include <functional>

#include "ui/model/MenuTrees.h"
#include "win/MessagePump.h"

namespace tagsling::ui {

// What ShowMenuAtCaret needs from the main window.
struct CaretMenuHost {
  HWND owner = nullptr;        // the main window: owns the menu and gets WM_INITMENUPOPUP
  HWND application = nullptr;  // the application window, made the foreground window for the menu
  bool mouse_move = false;     // "MouseMove": put the pointer on the menu's corner
  std::function<bool()> is_busy;
  std::function<void(bool open)> set_popup_open;  // the hot-key popup busy flag
  // Caret-menu flag on, focus remembered; the caller takes the flag down
  // again once it has run the chosen command.
  std::function<void(HWND focus)> begin_caret_menu;
  std::function<void()> process_messages;  // defaults to PumpPendingMessages
};

// Shows `menu` (which is `which`) at the point chosen by `mode` ("PMIti_"),
// waits until it closes and hands the focus back. Returns the chosen item's
// command identifier (0: nothing chosen, or busy); the caller runs it, after
// the focus went back, as the last step of the operation, and then ends the
// caret menu (the engine's caret-menu flag).
UINT ShowMenuAtCaret(HMENU menu, MenuId which, int mode, const CaretMenuHost& host);

bool MenuClickFlag();
void SetMenuClickFlag(bool value);

// The thread-local mouse hook (WH_MOUSE) that maintains MenuClickFlag.
// Install is a no-op when it is installed already; both are safe to repeat.
bool InstallMenuClickHook();
void RemoveMenuClickHook();

}  // namespace tagsling::ui
