#include "ui/model/AppBarModel.h"

#include <gtest/gtest.h>

namespace tagsling::ui {
namespace {

using platform::Rect;

TEST(Docking, ThicknessFollowsTheMenuBarChoice) {
  settings::AppSettings s;
  s.DockedThicknessWithMenu = 19 + 2 * 2 + 55;
  s.DockedThicknessNoMenu = 2 * 1 + 54;
  EXPECT_EQ(DockedThickness(s, false), 78);
  EXPECT_EQ(DockedThickness(s, true), 56);
}

TEST(Docking, TrackLimits) {
  EXPECT_EQ(WindowTrackLimits(120, false, 78, 96), (TrackLimits{617, 120, 120}));
  EXPECT_EQ(WindowTrackLimits(200, false, 78, 96), (TrackLimits{617, 200, 200}));
  EXPECT_EQ(WindowTrackLimits(120, true, 78, 96), (TrackLimits{617, 78, 78}));
  // At 150 % the palette's own sizes grow; the docked thickness comes from
  // the system's metrics at that scale already.
  EXPECT_EQ(WindowTrackLimits(120, false, 78, 144), (TrackLimits{926, 180, 180}));
  EXPECT_EQ(WindowTrackLimits(120, true, 117, 144), (TrackLimits{926, 117, 117}));
  EXPECT_EQ(WindowTrackLimits(121, false, 78, 120), (TrackLimits{771, 151, 151}));
}

TEST(Docking, MoveIsSwallowedOnlyWhileMaximized) {
  EXPECT_TRUE(SwallowSysCommand(0xF010, true));
  EXPECT_TRUE(SwallowSysCommand(0xF012, true));  // caption drag: SC_MOVE | HTCAPTION
  EXPECT_FALSE(SwallowSysCommand(0xF012, false));
  EXPECT_FALSE(SwallowSysCommand(0xF000, true));  // size
  EXPECT_FALSE(SwallowSysCommand(0xF120, true));  // restore
}

TEST(Docking, AppBarRectangles) {
  EXPECT_EQ(AppBarRequestRect(1280, 78), (Rect{0, 0, 1280, 78}));
  // Granted as asked: the window covers it exactly.
  EXPECT_EQ(AppBarWindowBounds(AppBarRectAfterQuery({0, 0, 1280, 78}, 78)), (WindowBoundsRect{0, 0, 1280, 78}));
  // Below another top toolbar: the bar keeps its thickness.
  EXPECT_EQ(AppBarRectAfterQuery({0, 30, 1280, 78}, 78), (Rect{0, 30, 1280, 108}));
  EXPECT_EQ(AppBarWindowBounds({0, 30, 1280, 108}), (WindowBoundsRect{0, 30, 1280, 78}));
  EXPECT_EQ(AppBarWindowBounds({100, 0, 1280, 78}), (WindowBoundsRect{100, 0, 1180, 78}));
}

TEST(Docking, NotificationsRepositionOnlyWhileTheSettingIsOn) {
  EXPECT_TRUE(RepositionOnAppBarNotification(true, 0));
  EXPECT_TRUE(RepositionOnAppBarNotification(true, 1));
  EXPECT_FALSE(RepositionOnAppBarNotification(true, 2));  // ABN_FULLSCREENAPP
  EXPECT_FALSE(RepositionOnAppBarNotification(true, 3));
  EXPECT_FALSE(RepositionOnAppBarNotification(false, 0));
  EXPECT_FALSE(RepositionOnAppBarNotification(false, 1));
}

}  // namespace
}  // namespace tagsling::ui
