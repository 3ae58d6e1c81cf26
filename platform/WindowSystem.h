#pragma once
// Top-level windows, activation, focus and the clipboard window messages.
// Class names and titles are code page 932 byte strings; WindowTitleWide
// gives a title as the system holds it, for titles that code page 932 cannot
// carry (today's browsers put a zero-width space or an em dash in theirs).

#include <string>
#include <vector>

#include "platform/Types.h"

namespace tagsling::platform {

// The standard clipboard messages an edit control understands.
enum class ClipboardMessage : unsigned { kCut = 0x0300, kCopy = 0x0301, kPaste = 0x0302 };

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Every top-level window in stacking order, topmost first (EnumWindows).
  virtual std::vector<WindowHandle> TopLevelWindows() = 0;
  // Whether the handle names a window that still exists (IsWindow).
  virtual bool WindowExists(WindowHandle window) = 0;

  virtual std::string WindowClassName(WindowHandle window) = 0;
  virtual std::string WindowTitle(WindowHandle window) = 0;
  // The title in UTF-16, unconverted and whole (GetWindowTextW).
  virtual WideText WindowTitleWide(WindowHandle window) = 0;
  virtual bool IsWindowVisible(WindowHandle window) = 0;
  virtual bool IsWindowEnabled(WindowHandle window) = 0;
  virtual bool IsWindowMinimised(WindowHandle window) = 0;
  virtual bool IsWindowMaximised(WindowHandle window) = 0;
  virtual WindowHandle OwnerOf(WindowHandle window) = 0;  // GetWindow(GW_OWNER)
  virtual ProcessId ProcessOf(WindowHandle window) = 0;   // 0 for no window
  virtual ThreadId ThreadOf(WindowHandle window) = 0;     // 0 for no window
  virtual ThreadId CurrentThread() = 0;
  virtual Rect WindowRect(WindowHandle window) = 0;  // screen coordinates
  // The client area in screen coordinates (GetClientRect mapped to the
  // screen); an empty rectangle for no window.
  virtual Rect ClientRect(WindowHandle window) = 0;
  // The window rectangle of the first visible descendant of `window` whose
  // class is `class_name` (EnumChildWindows order), or an empty rectangle.
  virtual Rect DescendantRect(WindowHandle window, const std::string& class_name) = 0;

  // AttachThreadInput. False on failure (same thread, no thread, ...).
  virtual bool AttachInput(ThreadId from, ThreadId to, bool attach) = 0;
  virtual bool BringToTop(WindowHandle window) = 0;  // BringWindowToTop
  virtual WindowHandle ForegroundWindow() = 0;
  virtual bool SetForeground(WindowHandle window) = 0;  // null does nothing
  // GetFocus: the control with the keyboard focus in the calling thread's
  // input state (which includes attached threads).
  virtual WindowHandle FocusWindow() = 0;
  // Screen position of the caret of the calling thread's input state, if any.
  virtual bool CaretScreenPosition(Point& position) = 0;

  // SendMessage(window, WM_CUT / WM_COPY / WM_PASTE, 0, 0); a null window
  // receives nothing.
  virtual void SendClipboardMessage(WindowHandle window, ClipboardMessage message) = 0;
};

}  // namespace tagsling::platform
