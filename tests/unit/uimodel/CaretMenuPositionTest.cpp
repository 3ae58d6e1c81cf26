#include "ui/model/CaretMenuPosition.h"

#include <gtest/gtest.h>

namespace tagsling::ui {
namespace {

using platform::Point;

TEST(CaretMenuPosition, PointByMode) {
  const CaretMenuInputs with_caret{{12, 30}, {412, 230}, {400, 200}, {700, 500}};
  const CaretMenuInputs no_caret{{0, 0}, {400, 200}, {400, 200}, {700, 500}};
  const CaretMenuInputs caret_on_top_row{{5, 0}, {405, 200}, {400, 200}, {700, 500}};
  struct Case {
    int mode;
    const CaretMenuInputs& inputs;
    Point expected;
  };
  const Case cases[] = {
      {kAtCaret, with_caret, {412, 230}},
      {kAtCaret, no_caret, {700, 500}},          // (0, 0) counts as no caret
      {kAtCaret, caret_on_top_row, {405, 200}},  // only both zero falls back
      {kAtWindowTopLeft, with_caret, {400, 200}},
      {kAtWindowTopLeft, no_caret, {400, 200}},
      {kAtMouseCursor, with_caret, {700, 500}},
      {3, with_caret, {700, 500}},
      {-1, with_caret, {700, 500}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseCaretMenuPoint(c.mode, c.inputs), c.expected) << c.mode;
  }
}

TEST(CaretMenuPosition, MessagesProcessedBeforeCancelModeExceptForTheShortMenu) {
  EXPECT_TRUE(ProcessMessagesBeforeCancelMode(MenuId::kTagPopup));
  EXPECT_TRUE(ProcessMessagesBeforeCancelMode(MenuId::kToolHotKeyMenu));
  EXPECT_TRUE(ProcessMessagesBeforeCancelMode(MenuId::kOuterToolHotKeyMenu));
  EXPECT_FALSE(ProcessMessagesBeforeCancelMode(MenuId::kShortTagPopup));
}

TEST(CaretMenuPosition, MenuClickFlagFollowsButtonPresses) {
  struct Case {
    bool current;
    int code;
    unsigned message;
    const char* cls;
    bool expected;
  };
  const Case cases[] = {
      {false, 0, kWmLButtonDown, "#32768", true},
      {false, 0, kWmRButtonDown, "#32768", true},
      {true, 0, kWmLButtonDown, "Edit", false},
      {true, 0, kWmRButtonDown, nullptr, false},
      {true, -1, kWmLButtonDown, "Edit", true},  // negative code: passed on untouched
      {false, 0, 0x0200, "#32768", false},       // moves leave it
      {true, 0, 0x0202, "Edit", true},           // button up leaves it
      {false, 3, kWmLButtonDown, "#32768x", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MenuClickFlagAfterMouseEvent(c.current, c.code, c.message, c.cls), c.expected)
        << c.message << " " << (c.cls ? c.cls : "null");
  }
}

}  // namespace
}  // namespace tagsling::ui
