// The simulated desktop is the ground the engine tests stand on: its editor
// must react to exactly the keys real editors do, its clock must keep ticks
// and outside events apart, and its codec must be the real code page 932.
#include "platform/sim/SimDesktop.h"

#include <gtest/gtest.h>

#include <functional>

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

using platform::ClipboardContents;
using platform::ClipboardRestore;
using platform::ClipboardWrite;

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

TEST(SimDesktop, OfferedTextIsRenderedForItsFirstReaderAndAtTheEnd) {
  struct Case {
    const char* reader;
    std::function<void(Fixture&)> read;
    bool taken;
  };
  const Case cases[] = {
      {"the editor's paste key", [](Fixture& f) { f.Type({vk::kControl}, vk::kV); }, true},
      {"WM_PASTE", [](Fixture& f) { f.desk.SendClipboardMessage(f.edit, ClipboardMessage::kPaste); }, true},
      {"another program", [](Fixture& f) { f.desk.ReadClipboardAsOtherProgram(); }, true},
      {"an editor that ignores the paste",
       [](Fixture& f) {
         f.editor.paste_delay_ms = std::nullopt;
         f.Type({vk::kControl}, vk::kV);
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reader);
    Fixture f;
    int notified = 0;
    f.desk.SetClipboardObserver([&] { ++notified; });
    ASSERT_EQ(f.desk.OfferClipboardText(u"tag"), ClipboardWrite::kStored);
    EXPECT_TRUE(f.desk.ClipboardHasText()) << "announced before it is rendered";
    f.desk.ProcessPendingMessages();
    EXPECT_EQ(notified, 1) << "the change itself";
    EXPECT_FALSE(f.desk.OfferTaken());
    c.read(f);
    EXPECT_EQ(f.desk.OfferTaken(), c.taken);
    EXPECT_EQ(notified, 1) << "never inside the reader's call";
    f.desk.ProcessPendingMessages();
    EXPECT_EQ(notified, c.taken ? 2 : 1);
    EXPECT_EQ(f.editor.text, c.taken && c.reader[0] != 'a' ? u"tag" : u"");
    // A new offer starts untaken; the end of the program renders it for good.
    f.desk.OfferClipboardText(u"later");
    EXPECT_FALSE(f.desk.OfferTaken());
    f.desk.EndProgram();
    EXPECT_EQ(f.desk.ReadClipboardAsOtherProgram(), u"later");
  }
  Fixture lost;
  lost.desk.OfferClipboardText(u"gone");
  lost.desk.EndProgram(/*render_all=*/false);
  EXPECT_EQ(lost.desk.ReadClipboardAsOtherProgram(), u"") << "what an owner that never renders leaves";
}

TEST(SimDesktop, AnEditorAsksLateOrNever) {
  for (std::optional<std::uint64_t> delay : {std::optional<std::uint64_t>(40), std::optional<std::uint64_t>()}) {
    Fixture f;
    f.editor.paste_delay_ms = delay;
    f.desk.OfferClipboardText(u"tag");
    f.Type({vk::kControl}, vk::kV);
    f.desk.Advance(39);
    EXPECT_FALSE(f.desk.OfferTaken());
    f.desk.Advance(1);
    EXPECT_EQ(f.desk.OfferTaken(), delay.has_value());
    EXPECT_EQ(f.editor.text, delay ? u"tag" : u"");
  }
}

TEST(SimDesktop, TheSequenceNumberCountsEveryChange) {
  Fixture f;
  std::uint32_t last = f.desk.ClipboardSequence();
  auto changed = [&] {
    const std::uint32_t now = f.desk.ClipboardSequence();
    const bool different = now != last;
    last = now;
    return different;
  };
  f.desk.SetClipboardText(u"a");
  EXPECT_TRUE(changed());
  f.desk.OfferClipboardText(u"b");
  EXPECT_TRUE(changed());
  f.desk.ReadClipboardAsOtherProgram();
  EXPECT_FALSE(changed()) << "rendering is not a change";
  f.editor.SetText(u"xy");
  f.editor.Select(0, 1);
  f.Type({vk::kControl}, vk::kC);
  EXPECT_TRUE(changed());
  f.desk.ReplaceClipboard(u"other");
  EXPECT_TRUE(changed());
  f.desk.GetClipboardText();
  f.desk.SaveClipboard(100, 500);
  EXPECT_FALSE(changed());
}

TEST(SimDesktop, SaveAndRestoreKeepWhatFitsAndNeverOverwriteANewerClipboard) {
  Fixture f;
  const std::vector<SimClipboardFormat> formats = {
      {"HTML Format", "<b>", true}, {"Owner display", "", false}, {"Big", std::string(50, 'x'), true}};
  f.desk.ReplaceClipboard(u"text", formats);
  std::optional<ClipboardContents> saved = f.desk.SaveClipboard(60, 500);  // the text (8 bytes) and HTML fit
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->not_kept, (std::vector<std::string>{"Owner display", "Big"}));
  f.desk.SetClipboardText(u"tag");
  const std::uint32_t ours = f.desk.ClipboardSequence();
  f.desk.HoldClipboard(10);
  EXPECT_EQ(f.desk.RestoreClipboard(*saved, ours), ClipboardRestore::kBusy);
  f.desk.Sleep(10);
  EXPECT_EQ(f.desk.RestoreClipboard(*saved, ours + 1), ClipboardRestore::kChanged);
  EXPECT_EQ(f.desk.clipboard_text, u"tag");
  EXPECT_EQ(f.desk.RestoreClipboard(*saved, ours), ClipboardRestore::kRestored);
  EXPECT_EQ(f.desk.clipboard_text, u"text");
  EXPECT_EQ(f.desk.clipboard_formats, (std::vector<SimClipboardFormat>{formats[0]}));
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
