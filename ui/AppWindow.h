#pragma once
// The hidden application window (class "TApplication"). It owns the
// program's taskbar button and is the owner of the main window, so the main
// window itself never gets a button of its own. Minimizing the palette
// minimizes this window (which hides the windows it owns); restoring it from
// the taskbar brings them back.

#include <windows.h>

namespace tagsling::ui {

HWND CreateApplicationWindow(HINSTANCE instance);

// The window that receives the focus when the application is activated and
// the close request of the taskbar button.
void SetApplicationMainWindow(HWND app, HWND main);

// Removes the taskbar button: hidden, extended style exactly WS_EX_TOOLWINDOW.
void RemoveTaskbarButton(HWND app);
// Restores it: extended style exactly WS_EX_APPWINDOW, shown when `show`.
void RestoreTaskbarButton(HWND app, bool show);

// The taskbar icon (the mode icon of the palette).
void SetApplicationIcon(HWND app, HICON small_icon, HICON big_icon);

// Puts a top-level window into the topmost band (always on top) or out of
// it, without moving or activating it. Its owned popups (the toolbars'
// tooltips) are let go for the moment: some window managers (Wine's) keep a
// window below its owned popups and then refuse it the band. They come back
// to the window at once and raise themselves when they show.
void SetTopmostBand(HWND window, bool topmost);

}  // namespace tagsling::ui
