// The simulated desktop is the ground the engine tests stand on: its editor
// must react to exactly the keys real editors do, its clock must keep ticks
// and outside events apart, and its codec must be the real code page 932.
#include "platform/sim/SimDesktop.h"

#include <gtest/gtest.h>

namespace tagsling::platform::sim {
namespace {

struct Fixture {
  SimDesktop desk;
  WindowHandle notepad = desk.AddWindow("Notepad", 2, 2);
  WindowHandle edit = desk.AddEditor(notepad);
  SimEditor& editor = desk.Editor(edit);

  void Type(std::initializer_list<std::uint8_t> modifiers, std::uint8_t key) {
    for (auto m : modifiers) desk.SendKeyEvent({m, 0, false});
    desk.SendKeyEvent({key, 0, false});
    desk.SendKeyEvent({key, 0, true});
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) desk.SendKeyEvent({*it, 0, true});
  }
};

struct KeyCase {
  std::initializer_list<std::uint8_t> modifiers;
  std::uint8_t key;
  EditorAction action;
};

TEST(SimEditor, ReactsToEveryCutCopyPasteKeyAndNothingElse) {
  using namespace vk;
  const KeyCase cases[] = {
      {{kControl}, kX, EditorAction::kCut},
      {{kControl}, kDelete, EditorAction::kCut},
      {{kShift}, kDelete, EditorAction::kCut},
      {{}, kF7, EditorAction::kCut},
      {{}, kF8, EditorAction::kCut},
      {{kShift, kControl}, kDelete, EditorAction::kCut},
      {{kControl}, kC, EditorAction::kCopy},
      {{kControl}, kInsert, EditorAction::kCopy},
      {{kShift}, kF8, EditorAction::kCopy},
      {{kShift, kAlt}, kDelete, EditorAction::kCopy},
      {{kControl}, kV, EditorAction::kPaste},
      {{kShift}, kInsert, EditorAction::kPaste},
      {{}, kF9, EditorAction::kPaste},
      {{kShift}, kF9, EditorAction::kPaste},
      {{kShift, kAlt}, kInsert, EditorAction::kPaste},
      {{}, kLeft, EditorAction::kLeft},
  };
  for (const KeyCase& c : cases) {
    Fixture f;
    f.Type(c.modifiers, c.key);
    ASSERT_EQ(f.editor.actions.size(), 1u) << int(c.key);
    EXPECT_EQ(f.editor.actions[0], c.action) << int(c.key);
  }
  Fixture f;
  f.Type({kAlt}, kX);
  f.Type({}, kX);
  f.Type({kShift}, kV);
  EXPECT_TRUE(f.editor.actions.empty());
}

TEST(SimEditor, CutCopyPasteAndLeftMoveTextAndCaret) {
  Fixture f;
  f.editor.SetText(u"abcdef");
  f.editor.Select(1, 3);
  f.desk.SendClipboardMessage(f.edit, ClipboardMessage::kCut);
  EXPECT_EQ(f.editor.text, u"adef");
  EXPECT_EQ(f.desk.clipboard_text, u"bc");
  f.editor.Select(4, 4);
  f.desk.SendClipboardMessage(f.edit, ClipboardMessage::kPaste);
  EXPECT_EQ(f.editor.text, u"adefbc");
  EXPECT_EQ(f.editor.caret, 6u);
  f.Type({}, vk::kLeft);
  EXPECT_EQ(f.editor.caret, 5u);
  f.editor.SetText(u"a\r\n");
  f.Type({}, vk::kLeft);
  EXPECT_EQ(f.editor.caret, 1u) << "a line break is one caret stop";
  // Nothing selected: cut leaves the clipboard alone.
  f.desk.SendClipboardMessage(f.edit, ClipboardMessage::kCut);
  EXPECT_EQ(f.desk.clipboard_text, u"bc");
}

TEST(SimDesktop, HeldClipboardFailsOpensUntilReleased) {
  using platform::ClipboardWrite;
  Fixture f;
  f.desk.HoldClipboard(30);
  EXPECT_TRUE(f.desk.ClipboardHeldOpen());
  EXPECT_EQ(f.desk.SetClipboardText(u"x"), ClipboardWrite::kBusy);
  EXPECT_FALSE(f.desk.GetClipboardText());
  f.desk.Sleep(30);
  EXPECT_FALSE(f.desk.ClipboardHeldOpen());
  EXPECT_EQ(f.desk.SetClipboardText(u"x"), ClipboardWrite::kStored);
  f.desk.HoldClipboard(30, /*with_window=*/false);
  EXPECT_FALSE(f.desk.ClipboardHeldOpen());
  EXPECT_EQ(f.desk.SetClipboardText(u"y"), ClipboardWrite::kBusy);
  EXPECT_EQ(f.desk.clipboard_text, u"x");
}

TEST(SimDesktop, AStoreThatFailsLeavesTheClipboardEmpty) {
  using platform::ClipboardWrite;
  Fixture f;
  EXPECT_EQ(f.desk.SetClipboardText(u"before"), ClipboardWrite::kStored);
  f.desk.clipboard_store_fails = true;
  EXPECT_EQ(f.desk.SetClipboardText(u"x"), ClipboardWrite::kNotStored);
  EXPECT_FALSE(f.desk.ClipboardHasText());
  EXPECT_EQ(f.desk.GetClipboardText(), u"");
}

TEST(SimDesktop, SleepLetsOnlyTheOutsideWorldRun) {
  SimDesktop desk;
  int ticks = 0;
  int outside = 0;
  desk.StartTimer(1, 10, [&] { ++ticks; });
  desk.At(10, [&] { ++outside; });
  desk.Sleep(20);
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(outside, 1);
  desk.ProcessPendingMessages();
  EXPECT_EQ(ticks, 1);
  desk.ProcessPendingMessages();
  EXPECT_EQ(ticks, 1) << "timers are one-shot";
}

TEST(SimDesktop, FocusFollowsInputAttachment) {
  SimDesktop desk;
  WindowHandle palette = desk.AddWindow("TTagslingMain", SimDesktop::kOwnProcess, SimDesktop::kOwnThread);
  WindowHandle notepad = desk.AddWindow("Notepad", 2, 7);
  WindowHandle edit = desk.AddEditor(notepad);
  EXPECT_EQ(desk.FocusWindow(), kNoWindow);
  EXPECT_FALSE(desk.AttachInput(SimDesktop::kOwnThread, SimDesktop::kOwnThread, true));
  EXPECT_TRUE(desk.AttachInput(SimDesktop::kOwnThread, 7, true));
  EXPECT_EQ(desk.FocusWindow(), edit);
  EXPECT_TRUE(desk.AttachInput(SimDesktop::kOwnThread, 7, false));
  EXPECT_EQ(desk.FocusWindow(), kNoWindow);
  EXPECT_EQ(desk.TopWindow(), palette);
  desk.BringToTop(notepad);
  EXPECT_EQ(desk.TopWindow(), notepad);
  EXPECT_EQ(desk.ForegroundWindow(), notepad);
}

TEST(SimDesktop, CodecIsCodePage932AndMarksTheUnrepresentable) {
  SimDesktop desk;
  const std::string sjis = "a\x93\xfa\x96\x7b\xb1";  // a 日本 ｱ
  EXPECT_EQ(desk.SjisToWide(sjis), u"a\u65e5\u672c\uff71");
  EXPECT_EQ(desk.WideToSjis(u"a\u65e5\u672c\uff71"), sjis);
  EXPECT_EQ(desk.WideToSjis(u"x\U0001F600y"), "x?y");
}

}  // namespace
}  // namespace tagsling::platform::sim
