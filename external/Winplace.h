#pragma once
// The screen area the palette leaves free, and fitting the editor's window
// into it.
//
// The free area exists only while the palette is a visible full-width strip
// (maximised, not docked, application not minimised: everything below the
// palette's bottom edge) or docked as a desktop toolbar (then the whole work
// area, which the system has already reduced by the toolbar).

#include <optional>
#include <string>

#include "external/WindowInfo.h"
#include "platform/Types.h"
#include "settings/AppSettings.h"

namespace tagsling::external {

// Position and size as SetWindowPos and STARTUPINFO take them.
struct WindowPlacement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowPlacement&) const = default;
};

// The palette as the free-area table sees it.
struct PaletteState {
  bool visible = false;                // main window shown
  bool docked = false;                 // registered desktop toolbar
  bool maximised = false;              // the full-width strip
  bool application_minimised = false;  // the application is iconic
  platform::Rect window_rect;          // GetWindowRect of the main window
};

// The free area for a work area (SPI_GETWORKAREA) and the palette, or none.
// An area with no height or width left (a palette reaching the work area's
// bottom) counts as none, so nothing is ever placed at a negative size.
std::optional<WindowPlacement> ComputeFreeArea(const platform::Rect& work_area, const PaletteState& palette);

// The editor test of fitting: with EditorWindowClass set the class must be
// it (texttools::IsEditorClass); without it the system family must not be "WinNT" and the file
// name of the window's executable must equal that of EditorFile, ignoring
// case (the process list names executables without their folder).
bool IsEditorWindow(const WindowInfo& window, const settings::AppSettings& settings, const std::string& windows_family);

// What FitEditorToFreeArea does with the chosen window (the target window
// for the menu item and button, the foreground window for the hot key).
struct EditorFitPlan {
  bool move = false;
  platform::WindowHandle window = platform::kNoWindow;
  bool restore_first = false;  // ShowWindow SW_RESTORE when maximised
  WindowPlacement placement;   // SetWindowPos HWND_NOTOPMOST, SWP_FRAMECHANGED
};

// Nothing for no window, a dialog box ("#32770"), a window that is not the
// editor, a minimised one, or no free area.
EditorFitPlan PlanEditorFit(const WindowInfo& window, const settings::AppSettings& settings,
                            const std::string& windows_family, const std::optional<WindowPlacement>& free_area);

}  // namespace tagsling::external
