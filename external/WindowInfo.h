#pragma once
// What the external-program decisions need to know about one top-level
// window, gathered once so that the decisions are plain functions over values.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"
#include "platform/WindowSystem.h"
#include "texttools/DocumentPath.h"

namespace tagsling::external {

struct WindowInfo {
  platform::WindowHandle handle = platform::kNoWindow;
  std::string class_name;
  std::string title;  // at most texttools::kTitleLimit bytes
  // The whole title in UTF-16, for the rules of today's browsers, whose
  // titles code page 932 cannot carry.
  platform::WideText wide_title;
  // The owning process's executable as the system's process list names it
  // (EditorProbe::ProcessExecutableName: the file name, no folder); "" when
  // unknown.
  std::string exe_name;
  bool visible = false;
  bool enabled = false;
  bool minimised = false;
  bool maximised = false;
  platform::Rect rect;  // window rectangle, screen coordinates
};

// The first texttools::kTitleLimit bytes of a title (GetWindowTextA's
// limit), never ending in half of a double-byte character: a browser marker
// beyond them is not seen.
std::string LimitTitle(std::string_view title);

// Reads one window through the window system. The executable path is not
// known to it and stays empty; the caller fills it in when a decision needs it.
WindowInfo DescribeWindow(platform::WindowSystem& windows, platform::WindowHandle window);
// Every top-level window, topmost first.
std::vector<WindowInfo> DescribeTopLevelWindows(platform::WindowSystem& windows);

}  // namespace tagsling::external
