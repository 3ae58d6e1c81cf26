#include "ui/model/AppBarModel.h"

namespace tagsling::ui {

int DockedThickness(const settings::AppSettings& settings, bool no_menu_bar) {
  return no_menu_bar ? settings.DockedThicknessNoMenu : settings.DockedThicknessWithMenu;
}

TrackLimits WindowTrackLimits(int form_height, bool docked, int docked_thickness, int dpi) {
  const auto scale = [dpi](int pixels) { return (pixels * dpi + 48) / 96; };
  const int height = docked ? docked_thickness : scale(form_height);
  return {scale(kMinimumWindowWidth), height, height};
}

bool SwallowSysCommand(unsigned command, bool maximized) {
  constexpr unsigned kScMove = 0xF010;
  return maximized && (command & 0xFFF0u) == kScMove;
}

platform::Rect AppBarRequestRect(int screen_width, int thickness) { return {0, 0, screen_width, thickness}; }

platform::Rect AppBarRectAfterQuery(const platform::Rect& queried, int thickness) {
  return {queried.left, queried.top, queried.right, queried.top + thickness};
}

WindowBoundsRect AppBarWindowBounds(const platform::Rect& granted) {
  return {granted.left, granted.top, granted.right - granted.left, granted.bottom - granted.top};
}

bool RepositionOnAppBarNotification(bool appbar_setting, unsigned code) {
  constexpr unsigned kAbnStateChange = 0, kAbnPosChanged = 1;
  return appbar_setting && (code == kAbnStateChange || code == kAbnPosChanged);
}

}  // namespace tagsling::ui
