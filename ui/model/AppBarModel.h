#pragma once
// The palette's three placements (floating, maximized strip, docked desktop
// toolbar) reduced to numbers: the docked thickness, the window's size
// limits, the swallowed move while maximized, the desktop toolbar's
// rectangle and which of its notifications reposition it. The Win32 layer
// (ui/AppBar) only carries them out.

#include "platform/Types.h"
#include "settings/AppSettings.h"

namespace tagsling::ui {

inline constexpr int kMinimumWindowWidth = 617;
inline constexpr unsigned kAppBarCallbackMessage = 0x46E;  // WM_USER + 110
inline constexpr unsigned kAutoActivateMessage = 0x464;    // WM_USER + 100, from Tagslingmhook.dll

// Styles of the docked main window: no caption, no taskbar entry.
inline constexpr unsigned long kDockedStyle = 0x82400000;  // WS_POPUP | WS_CLIPCHILDREN | WS_DLGFRAME
inline constexpr unsigned long kDockedExStyle = 0x80;      // WS_EX_TOOLWINDOW

// The thickness of the docked bar: the one without menu bar when "NoMenuBar"
// (as read from the file when the native window was created) is true.
int DockedThickness(const settings::AppSettings& settings, bool no_menu_bar);

// The tracking limits set after the default WM_GETMINMAXINFO processing.
// The maximized size and position keep their defaults, so a maximized window
// is a full-width strip at the top with the height limit.
struct TrackLimits {
  int min_width;
  int min_height;
  int max_height;
  bool operator==(const TrackLimits&) const = default;
};
// `form_height` is "FormHeight" and, like the minimum width, counts pixels at
// 100 %: both grow with the monitor's `dpi`. While docked the docked
// thickness (already in the screen's pixels) replaces the height.
TrackLimits WindowTrackLimits(int form_height, bool docked, int docked_thickness, int dpi);

// WM_SYSCOMMAND: a move command (SC_MOVE with the low four bits masked off)
// is swallowed while the window is maximized.
bool SwallowSysCommand(unsigned command, bool maximized);

// The rectangle asked for at the top edge: (0, 0, screen width, thickness).
platform::Rect AppBarRequestRect(int screen_width, int thickness);

// After ABM_QUERYPOS the system may have moved the top edge down (below
// another toolbar); the bar keeps its thickness from the granted top.
platform::Rect AppBarRectAfterQuery(const platform::Rect& queried, int thickness);

// Where the window goes for the rectangle the system granted.
struct WindowBoundsRect {
  int left;
  int top;
  int width;
  int height;
  bool operator==(const WindowBoundsRect&) const = default;
};
WindowBoundsRect AppBarWindowBounds(const platform::Rect& granted);

// A desktop toolbar notification (0x46E): reposition while the "Appbar"
// setting is on and the code is ABN_STATECHANGE (0) or ABN_POSCHANGED (1).
bool RepositionOnAppBarNotification(bool appbar_setting, unsigned code);

}  // namespace tagsling::ui
