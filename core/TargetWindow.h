#pragma once
// Finding the window the user works in, and the small activation steps the
// main window shares with every feature that acts on that window.
//
// The program never remembers which window was active: at every command it
// walks the current stacking order of top-level windows and takes the
// topmost one that could be an editor, passing over its own windows, the
// desktop furniture and the classes on the user's pass-through list.

#include <span>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace tagsling::core {

using platform::WindowHandle;

// Window classes that are never a target, compared byte for byte.
std::span<const char* const> SkipWindowClasses();

// The topmost visible, enabled, non-minimised top-level window whose class is
// neither a skip class nor on `through_classes` (exact, case-sensitive);
// kNoWindow when none qualifies.
WindowHandle ResolveTargetWindow(platform::WindowSystem& windows, const std::vector<std::string>& through_classes);

struct TargetFocus {
  WindowHandle target = platform::kNoWindow;
  WindowHandle focus = platform::kNoWindow;  // where window messages go
};

// Resolves the target, brings it to the top while our input is attached to
// its thread, and reads the control that holds its keyboard focus. With no
// target the attach fails harmlessly and the focus is our own thread's.
TargetFocus CaptureTargetFocus(platform::WindowSystem& windows, const std::vector<std::string>& through_classes);

// Puts `window` on top even when another thread owns the foreground, by
// borrowing that thread's input state for the call.
void BringToFrontAttached(platform::WindowSystem& windows, WindowHandle window);

// The program's own windows, as the activation steps need them.
struct SelfWindows {
  WindowHandle main = platform::kNoWindow;         // TTagslingMain
  WindowHandle application = platform::kNoWindow;  // TApplication, owns the taskbar button
};

// Makes the program's application window the foreground window (before one
// of our message boxes or dialogs).
void BringSelfToForeground(platform::WindowSystem& windows, const SelfWindows& self);

// After such a box: gives the foreground back to the target window, but only
// when the palette is not showing (main window hidden or application
// minimised).
void ReturnForegroundToTarget(platform::WindowSystem& windows, const SelfWindows& self,
                              const std::vector<std::string>& through_classes);

// The first visible top-level window of `process` that has no owner or is
// owned by a "TApplication" window; kNoWindow when there is none.
WindowHandle FindProcessWindow(platform::WindowSystem& windows, platform::ProcessId process);

// Escape pressed on the main window.
enum class EscapeAction { kNone, kHideMainWindow, kActivateTarget };

struct EscapeState {
  bool docked = false;
  bool tray_icon = false;  // TrayIcon
  bool esc_close = false;  // EscClose
};

// The decision alone: hide when undocked with TrayIcon and EscClose on,
// otherwise send the user back to the target window. Other keys: kNone.
EscapeAction DecideEscape(unsigned virtual_key, const EscapeState& state);

// FormKeyDown's Escape handling: decides and carries the activation out.
// Hiding the main window is the caller's (returned as kHideMainWindow).
EscapeAction FormKeyDown(platform::WindowSystem& windows, unsigned virtual_key, const EscapeState& state,
                         const std::vector<std::string>& through_classes);

}  // namespace tagsling::core
