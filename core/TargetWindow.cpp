#include "core/TargetWindow.h"

#include <algorithm>
#include <array>

namespace tagsling::core {

namespace {

constexpr std::array<const char*, 9> kSkipClasses = {
    "Shell_TrayWnd", "ToolbarWindow32",     "BaseBar", "HOM Hit Class", "MOM Class", "TTagslingMain",
    "TApplication",  "TTagslingOptionForm", "Progman",
};

// A class name as read into a 255-byte buffer: at most 254 bytes.
constexpr std::size_t kClassNameLimit = 254;

bool Contains(std::span<const char* const> list, const std::string& name) {
  return std::any_of(list.begin(), list.end(), [&](const char* entry) { return name == entry; });
}

bool Contains(const std::vector<std::string>& list, const std::string& name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

}  // namespace

std::span<const char* const> SkipWindowClasses() { return kSkipClasses; }

WindowHandle ResolveTargetWindow(platform::WindowSystem& windows, const std::vector<std::string>& through_classes) {
  for (WindowHandle window : windows.TopLevelWindows()) {
    std::string class_name = windows.WindowClassName(window);
    if (class_name.size() > kClassNameLimit) class_name.resize(kClassNameLimit);
    if (!windows.IsWindowVisible(window) || !windows.IsWindowEnabled(window)) continue;
    if (Contains(SkipWindowClasses(), class_name)) continue;
    if (windows.IsWindowMinimised(window)) continue;
    if (Contains(through_classes, class_name)) continue;
    return window;  // the first candidate in stacking order
  }
  return platform::kNoWindow;
}

TargetFocus CaptureTargetFocus(platform::WindowSystem& windows, const std::vector<std::string>& through_classes) {
  TargetFocus result;
  result.target = ResolveTargetWindow(windows, through_classes);
  const platform::ThreadId own = windows.CurrentThread();
  const platform::ThreadId theirs = windows.ThreadOf(result.target);
  // Failures (no target, our own thread) are harmless: the steps go on.
  windows.AttachInput(own, theirs, true);
  windows.BringToTop(result.target);
  result.focus = windows.FocusWindow();
  windows.AttachInput(own, theirs, false);
  return result;
}

void BringToFrontAttached(platform::WindowSystem& windows, WindowHandle window) {
  const platform::ThreadId theirs = windows.ThreadOf(window);
  const platform::ThreadId foreground = windows.ThreadOf(windows.ForegroundWindow());
  if (theirs == foreground) {
    windows.BringToTop(window);
    return;
  }
  windows.AttachInput(theirs, foreground, true);
  windows.BringToTop(window);
  windows.AttachInput(theirs, foreground, false);
}

void BringSelfToForeground(platform::WindowSystem& windows, const SelfWindows& self) {
  windows.SetForeground(self.application);
}

void ReturnForegroundToTarget(platform::WindowSystem& windows, const SelfWindows& self,
                              const std::vector<std::string>& through_classes) {
  if (windows.IsWindowVisible(self.main) && !windows.IsWindowMinimised(self.application)) return;
  windows.SetForeground(ResolveTargetWindow(windows, through_classes));
}

WindowHandle FindProcessWindow(platform::WindowSystem& windows, platform::ProcessId process) {
  for (WindowHandle window : windows.TopLevelWindows()) {
    const WindowHandle owner = windows.OwnerOf(window);
    if (owner != platform::kNoWindow && windows.WindowClassName(owner) != "TApplication") continue;
    if (!windows.IsWindowVisible(window)) continue;
    if (windows.ProcessOf(window) == process) return window;
  }
  return platform::kNoWindow;
}

EscapeAction DecideEscape(unsigned virtual_key, const EscapeState& state) {
  constexpr unsigned kEscapeKey = 0x1B;
  if (virtual_key != kEscapeKey) return EscapeAction::kNone;
  if (!state.docked && state.tray_icon && state.esc_close) return EscapeAction::kHideMainWindow;
  return EscapeAction::kActivateTarget;
}

EscapeAction FormKeyDown(platform::WindowSystem& windows, unsigned virtual_key, const EscapeState& state,
                         const std::vector<std::string>& through_classes) {
  const EscapeAction action = DecideEscape(virtual_key, state);
  if (action == EscapeAction::kActivateTarget) {
    windows.SetForeground(ResolveTargetWindow(windows, through_classes));
  }
  return action;
}

}  // namespace tagsling::core
