#pragma once
// What the external-program decisions need to know about one top-level
// window, gathered once so that the decisions are plain functions over values.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"
#include "platform/WindowSystem.h"

namespace tagsling::external {

// Window titles are read with room for this many bytes (GetWindowTextA with
// a 255-byte buffer); a browser marker beyond them is not seen.
inline constexpr std::size_t kWindowTitleLimit = 254;

struct WindowInfo {
  platform::WindowHandle handle = platform::kNoWindow;
  std::string class_name;
  std::string title;     // at most kWindowTitleLimit bytes
  std::string exe_path;  // full path of the owning process's executable; "" when unknown
  bool visible = false;
  bool enabled = false;
  bool minimised = false;
  bool maximised = false;
  platform::Rect rect;  // window rectangle, screen coordinates
};

// The first kWindowTitleLimit bytes of a title, never ending in half of a
// double-byte character.
std::string LimitTitle(std::string_view title);

// Reads one window through the window system. The executable path is not
// known to it and stays empty; the caller fills it in when a decision needs it.
WindowInfo DescribeWindow(platform::WindowSystem& windows, platform::WindowHandle window);
// Every top-level window, topmost first.
std::vector<WindowInfo> DescribeTopLevelWindows(platform::WindowSystem& windows);

}  // namespace tagsling::external
