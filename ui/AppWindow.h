#pragma once
// The hidden application window (class "TApplication"). It owns the
// program's taskbar button and is the owner of the main window, so the main
// window itself never gets a button of its own. Minimizing the palette
// minimizes this window (which hides the windows it owns); restoring it from
// the taskbar brings them back.

#include <windows.h>

#include "win/Handles.h"

namespace tagsling::ui {

class ApplicationWindow {
 public:
  // Creates the window; Window() is null when that failed.
  ApplicationWindow();
  ApplicationWindow(const ApplicationWindow&) = delete;
  ApplicationWindow& operator=(const ApplicationWindow&) = delete;

  HWND Window() const { return window_.get(); }
  void SetMainWindow(HWND main) { main_ = main; }
  // The window's messages (win/Window.h).
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND main_ = nullptr;  // before window_: the window's first messages read it
  win::UniqueWindow window_;
};

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
