#include "external/WindowInfo.h"

#include "common/Sjis.h"

namespace tagsling::external {

std::string LimitTitle(std::string_view title) {
  std::size_t end = 0;
  while (end < title.size()) {
    std::size_t next = end + SjisCharLength(title, end);
    if (next > texttools::kTitleLimit) break;
    end = next;
  }
  return std::string(title.substr(0, end));
}

WindowInfo DescribeWindow(platform::WindowSystem& windows, platform::WindowHandle window) {
  WindowInfo info;
  info.handle = window;
  if (window == platform::kNoWindow) return info;
  info.class_name = windows.WindowClassName(window);
  info.wide_title = windows.WindowTitleWide(window);
  info.title = LimitTitle(windows.WindowTitle(window));
  info.visible = windows.IsWindowVisible(window);
  info.enabled = windows.IsWindowEnabled(window);
  info.minimised = windows.IsWindowMinimised(window);
  info.maximised = windows.IsWindowMaximised(window);
  info.rect = windows.WindowRect(window);
  return info;
}

std::vector<WindowInfo> DescribeTopLevelWindows(platform::WindowSystem& windows) {
  std::vector<WindowInfo> infos;
  for (platform::WindowHandle window : windows.TopLevelWindows()) infos.push_back(DescribeWindow(windows, window));
  return infos;
}

}  // namespace tagsling::external
