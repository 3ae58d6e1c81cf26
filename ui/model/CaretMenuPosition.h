#pragma once
// Decisions of ShowMenuAtCaret, the popup menu a hot key raises at the
// foreground program's caret: where the menu opens, whether pending messages
// are processed before a mouse capture is cancelled, and how a mouse click
// decides whether the keyboard focus goes back to the program afterwards.
// The Win32 steps around them are in ui/CaretMenu.

#include "platform/Types.h"
#include "ui/model/MenuTrees.h"

namespace tagsling::ui {

// The "PMIti_" values.
enum CaretMenuMode : int {
  kAtCaret = 0,          // the caret; the mouse cursor when there is no caret
  kAtWindowTopLeft = 1,  // the foreground window's client-area origin
  kAtMouseCursor = 2,    // the mouse cursor
};

// What the Win32 step has read before choosing.
struct CaretMenuInputs {
  platform::Point caret_client;          // GetCaretPos, (0, 0) when the call failed
  platform::Point caret_screen;          // caret_client converted by the focus window
  platform::Point client_origin_screen;  // the foreground window's client (0, 0) on the screen
  platform::Point cursor;                // GetCursorPos
};

// The menu's top-left corner. A caret at (0, 0) counts as no caret: the
// menu then opens at the mouse cursor. Modes other than 0, 1 and 2 (which the
// options dialog cannot produce) open at the mouse cursor too.
platform::Point ChooseCaretMenuPoint(int mode, const CaretMenuInputs& inputs);

// Whether pending messages are processed before WM_CANCELMODE is sent to the
// window holding the mouse capture: for every caret menu but ShortTagPopup.
bool ProcessMessagesBeforeCancelMode(MenuId menu);

// The thread-local mouse hook's rule for MenuClickFlag: for a left or right
// button press with a non-negative hook code, the flag becomes whether the
// window under the pointer is a popup menu (class "#32768"). Other events
// leave it as it is.
inline constexpr const char* kPopupMenuClass = "#32768";
inline constexpr unsigned kWmLButtonDown = 0x0201;
inline constexpr unsigned kWmRButtonDown = 0x0204;
bool MenuClickFlagAfterMouseEvent(bool current, int hook_code, unsigned message, const char* class_under_pointer);

}  // namespace tagsling::ui
