// The insertion engine against the simulated desktop: a palette on top,
// Notepad with its edit control below it.
#include "core/InsertionEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "platform/sim/SimDesktop.h"

namespace tagsling::core {
namespace {

using platform::ClipboardMessage;
using platform::KeyEvent;
using platform::sim::EditorAction;
using platform::sim::SimDesktop;
namespace vk = platform::vk;

class Engine : public ::testing::Test {
 protected:
  SimDesktop desk;
  settings::AppSettings settings;
  std::map<std::string, std::string> templates = {
      {"Moji_B", "<B>%SELSTR%</B>"},
      {"P_P_P", "<P>%CR%%SELSTR%%CR%</P>"},
      {"P_Br", "<BR>"},
      {"Last", "<A>%SELSTR%"},
      {"Twice", "[%SELSTR%|%SELSTR%]"},
      {"Japanese", "<B title=\"\x93\xfa\x96\x7b\">%SELSTR%\x82\xa0</B>"},  // 日本, あ
  };
  std::vector<std::string> user_tags = {"<EM>%SELSTR%</EM>"};
  std::vector<std::string> through;
  int mode_changes = 0;
  WindowHandle palette = desk.AddWindow("TTagslingMain", SimDesktop::kOwnProcess, SimDesktop::kOwnThread);
  WindowHandle notepad = desk.AddWindow("Notepad", 2, 2);
  WindowHandle edit = desk.AddEditor(notepad);
  platform::sim::SimEditor& editor = desk.Editor(edit);
  InsertionEngine engine{desk.platform(), settings, Hooks()};

  EngineHooks Hooks() {
    EngineHooks hooks;
    hooks.read_template = [this](const std::string& key) { return templates[key]; };
    hooks.read_user_template = [this](int n) {
      return n >= 0 && n < static_cast<int>(user_tags.size()) ? user_tags[n] : std::string();
    };
    hooks.through_classes = &through;
    hooks.sandwich_mode_changed = [this] { ++mode_changes; };
    return hooks;
  }

  void SetUp() override { desk.SetForeground(palette); }

  // Runs a command with keys held down, releasing them when the command has
  // sampled them (the paste waits for the release).
  void RunHolding(const std::string& key, std::initializer_list<std::uint8_t> held) {
    for (auto k : held) desk.PressKey(k);
    for (auto k : held) desk.At(200, [this, k] { desk.ReleaseKey(k); });
    engine.RunTagCommand(key);
    desk.RunUntilIdle();
  }

  void Run(const std::string& key) { RunHolding(key, {}); }

  static std::uint64_t kPasteDelayMs() { return InsertionEngine::kPasteDelayMs; }

  int LeftPresses() const {
    int n = 0;
    for (const KeyEvent& e : desk.sent_keys) n += e.vk == vk::kLeft && !e.up;
    return n;
  }
};

// ------------------------------------------------------------ deliveries

struct DeliveryCase {
  const char* name;
  const char* key;
  bool hasami_mode;
  std::initializer_list<std::uint8_t> held;
  std::u16string before;  // editor text
  std::size_t sel_start, sel_end;
  std::u16string after;
  std::size_t caret;
  int beeps;
};

TEST_F(Engine, EachDeliveryAndVariant) {
  const DeliveryCase cases[] = {
      {"normal, caret back inside", "Moji_B", false, {}, u"xy", 1, 1, u"x<B></B>y", 4, 0},
      {"normal, line breaks count one", "P_P_P", false, {}, u"", 0, 0, u"<P>\r\n\r\n</P>", 5, 0},
      {"normal, no placeholder", "P_Br", false, {}, u"a", 1, 1, u"a<BR>", 5, 0},
      {"normal, missing key pastes nothing", "Nope", false, {}, u"a", 1, 1, u"a", 1, 0},
      {"sandwich mode wraps the selection", "Moji_B", true, {}, u"a bc d", 2, 4, u"a <B>bc</B> d", 11, 0},
      {"Shift in normal mode sandwiches", "Moji_B", false, {vk::kShift}, u"abc", 0, 3, u"<B>abc</B>", 10, 0},
      {"every placeholder gets the selection", "Twice", true, {}, u"q", 0, 1, u"[q|q]", 5, 0},
      {"Ctrl pastes the opening part", "Moji_B", true, {vk::kControl}, u"ab", 1, 1, u"a<B>b", 4, 0},
      {"Ctrl+Shift pastes the closing part", "P_P_P", false, {vk::kControl, vk::kShift}, u"", 0, 0, u"\r\n</P>", 6, 0},
      {"Ctrl+Shift with the placeholder last", "Last", false, {vk::kControl, vk::kShift}, u"ab", 1, 1, u"ab", 1, 1},
      {"Ctrl without placeholder", "P_Br", false, {vk::kControl}, u"ab", 1, 1, u"ab", 1, 1},
      {"sandwich without placeholder", "P_Br", true, {}, u"ab", 0, 2, u"ab", 2, 1},
      {"sandwich of nothing selected", "Moji_B", true, {}, u"ab", 1, 1, u"ab", 1, 1},
      {"Japanese around the selection",
       "Japanese",
       true,
       {},
       u"\u5b57",
       0,
       1,
       u"<B title=\"\u65e5\u672c\">\u5b57\u3042</B>",
       20,
       0},
      {"emoji selection survives", "Moji_B", true, {}, u"\U0001F600\u5b57", 0, 3, u"<B>\U0001F600\u5b57</B>", 10, 0},
      {"placeholder in the selection stays literal", "Moji_B", true, {}, u"%SELSTR%", 0, 8, u"<B>%SELSTR%</B>", 15, 0},
  };
  for (const DeliveryCase& c : cases) {
    SCOPED_TRACE(c.name);
    SimDesktop d;
    settings::AppSettings s;
    s.HasamiMode = c.hasami_mode;
    d.AddWindow("TTagslingMain", SimDesktop::kOwnProcess, SimDesktop::kOwnThread);
    WindowHandle e = d.AddEditor(d.AddWindow("Notepad", 2, 2));
    d.Editor(e).SetText(c.before);
    d.Editor(e).Select(c.sel_start, c.sel_end);
    EngineHooks hooks = Hooks();
    InsertionEngine eng(d.platform(), s, hooks);
    for (auto k : c.held) d.PressKey(k);
    for (auto k : c.held) d.At(300, [&d, k] { d.ReleaseKey(k); });
    eng.RunTagCommand(c.key);
    d.RunUntilIdle();
    SCOPED_TRACE(c.key);
    EXPECT_EQ(d.Editor(e).text, c.after);
    EXPECT_EQ(d.Editor(e).caret, c.caret);
    EXPECT_EQ(d.beeps, c.beeps);
    EXPECT_FALSE(eng.IsBusy());
  }
}

TEST_F(Engine, NormalDeliveryPausesPastesAndPressesLeftOnceTheTextWasTaken) {
  desk.log.clear();
  const std::uint64_t start = desk.NowMs();
  engine.RunTagCommand("Moji_B");
  EXPECT_TRUE(engine.IsBusy()) << "the pause before the paste is a timer, not a sleep";
  desk.Advance(kPasteDelayMs() - 1);
  EXPECT_TRUE(desk.sent_keys.empty());
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"<B></B>");
  EXPECT_EQ(editor.caret, 3u);
  EXPECT_EQ(desk.clipboard_text, u"<B></B>");
  // The offer, target resolution during the pause, Ctrl+V (the editor asks
  // for the text at V), then Left x4.
  std::vector<std::string> expected = {"clip offer",  "attach 1 2",    "top Notepad", "detach 1 2", "key 11 down",
                                       "key 56 down", "clip rendered", "key 56 up",   "key 11 up"};
  for (int i = 0; i < 4; ++i) {
    expected.push_back("key 25 down");
    expected.push_back("key 25 up");
  }
  EXPECT_EQ(desk.log, expected);
  EXPECT_EQ(desk.sent_keys.back(), (KeyEvent{vk::kLeft, desk.ScanCodeOf(vk::kLeft), true}));
  EXPECT_LT(desk.NowMs() - start, 60u);
  EXPECT_FALSE(engine.IsBusy());
}

TEST_F(Engine, NoLeftWithoutCursorBakOrWithoutCount) {
  settings.CursorBak = false;
  Run("Moji_B");
  EXPECT_EQ(LeftPresses(), 0);
  EXPECT_EQ(editor.caret, 7u);
  settings.CursorBak = true;
  Run("P_Br");
  EXPECT_EQ(LeftPresses(), 0);
}

TEST_F(Engine, EveryPasteKeyIsUnderstoodByTheEditor) {
  for (int value = 0; value < 5; ++value) {
    settings.SendKey_Paste = value;
    editor.SetText(u"");
    Run("P_Br");
    EXPECT_EQ(editor.text, u"<BR>") << value;
  }
}

TEST_F(Engine, EveryCutAndCopyKeyFetchesTheSelection) {
  settings.HasamiMode = true;
  settings.PasteHasamiOff = false;
  struct Source {
    int hasami_sel_str;
    int values;
    EditorAction f8;
    int settings::AppSettings::*key;
  } const sources[] = {{0, 6, EditorAction::kCut, &settings::AppSettings::SendKey_Cut},
                       {1, 5, EditorAction::kCopy, &settings::AppSettings::SendKey_Copy}};
  for (const Source& source : sources) {
    for (int value = 0; value < source.values; ++value) {
      settings.HasamiSelStr = source.hasami_sel_str;
      settings.*source.key = value;
      editor.f8_action = source.f8;
      editor.SetText(u"word");
      editor.Select(0, 4);
      Run("Moji_B");
      // A copy leaves the selection in place; the paste replaces it.
      EXPECT_EQ(editor.text, u"<B>word</B>") << source.hasami_sel_str << " " << value;
    }
  }
}

TEST_F(Engine, KeyValueOutsideItsTableSendsNothing) {
  settings.SendKey_Paste = 7;
  Run("P_Br");
  EXPECT_EQ(editor.text, u"");
  EXPECT_EQ(desk.clipboard_text, u"<BR>") << "the clipboard was still set";
  EXPECT_TRUE(desk.sent_keys.empty());

  settings.SendKey_Paste = 0;
  settings.HasamiMode = true;
  settings.SendKey_Cut = 6;
  editor.SetText(u"ab");
  editor.Select(0, 2);
  Run("Moji_B");
  EXPECT_EQ(editor.text, u"ab");
  EXPECT_EQ(desk.beeps, 1) << "nothing was cut, so the selection read empty";
}

TEST_F(Engine, HasamiSelStrOutsideItsRangeFetchesNothing) {
  settings.HasamiMode = true;
  settings.HasamiSelStr = 2;
  editor.SetText(u"ab");
  editor.Select(0, 2);
  Run("Moji_B");
  EXPECT_TRUE(editor.actions.empty());
  EXPECT_EQ(desk.beeps, 1);
}

TEST_F(Engine, MessageModeSendsToTheCapturedFocusAndStillPressesLeft) {
  settings.SendMessage = 1;
  settings.HasamiMode = true;
  editor.SetText(u"abc");
  editor.Select(1, 2);
  Run("Moji_B");
  EXPECT_EQ(editor.text, u"a<B>b</B>c");
  settings.HasamiMode = false;
  Run("Moji_B");
  EXPECT_EQ(editor.text, u"a<B>b</B><B></B>c");
  EXPECT_EQ(editor.caret, 12u);
  ASSERT_EQ(desk.sent_messages.size(), 3u);
  EXPECT_EQ(desk.sent_messages[0], std::make_pair(edit, ClipboardMessage::kCut));
  EXPECT_EQ(desk.sent_messages[1], std::make_pair(edit, ClipboardMessage::kPaste));
  EXPECT_EQ(desk.sent_messages[2], std::make_pair(edit, ClipboardMessage::kPaste));
  EXPECT_EQ(LeftPresses(), 4);
}

TEST_F(Engine, OtherMessageModeValuesDoNothing) {
  settings.SendMessage = 2;
  Run("P_Br");
  EXPECT_TRUE(desk.sent_keys.empty());
  EXPECT_TRUE(desk.sent_messages.empty());
  EXPECT_EQ(editor.text, u"");
}

TEST_F(Engine, KeyUpPasteWaitsForShiftAndCtrlToBeReleased) {
  settings.HasamiMode = true;
  editor.SetText(u"ab");
  editor.Select(0, 2);
  desk.PressKey(vk::kShift);
  desk.At(700, [this] { desk.ReleaseKey(vk::kShift); });
  engine.RunTagCommand("Moji_B");
  // Shift held: sandwich, but the cut waits for the release, without
  // blocking the thread.
  EXPECT_LT(desk.NowMs(), 10u);
  desk.Advance(650);
  EXPECT_TRUE(editor.actions.empty());
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"<B>ab</B>");
  EXPECT_EQ(editor.actions.front(), EditorAction::kCut) << "not Shift+Ctrl+X";

  settings.KeyUpPaste = false;
  settings.HasamiMode = false;
  editor.SetText(u"");
  const std::uint64_t start = desk.NowMs();
  desk.PressKey(vk::kControl);
  engine.RunTagCommand("Moji_B");  // Ctrl: opening part, pasted with Ctrl still down
  desk.RunUntilIdle();
  EXPECT_LT(desk.NowMs() - start, 100u);
  EXPECT_EQ(editor.text, u"<B>");
}

TEST_F(Engine, NoSelStrTagPasteFallsBackToNormalDelivery) {
  settings.HasamiMode = true;
  settings.PasteHasamiOff = false;
  settings.NoSelStr_TagPaste = true;
  editor.SetText(u"ab");
  editor.Select(1, 1);
  Run("Moji_B");  // empty selection
  EXPECT_EQ(editor.text, u"a<B></B>b");
  EXPECT_EQ(editor.caret, 4u) << "with the caret back inside";
  Run("P_Br");  // no placeholder
  EXPECT_EQ(editor.text, u"a<B><BR></B>b");
  EXPECT_EQ(desk.beeps, 0);
}

TEST_F(Engine, PasteHasamiOffTurnsTheModeOffBeforeTheOutcomeIsKnown) {
  settings.HasamiMode = true;
  settings.PasteHasamiOff = true;
  Run("P_Br");  // fails for lack of a placeholder
  EXPECT_FALSE(settings.HasamiMode);
  EXPECT_EQ(mode_changes, 1);
  EXPECT_EQ(desk.beeps, 1);

  settings.HasamiMode = true;
  settings.PasteHasamiOff = false;
  Run("P_Br");
  EXPECT_TRUE(settings.HasamiMode);
  EXPECT_EQ(mode_changes, 1);

  desk.PressKey(vk::kControl);
  desk.At(100, [this] { desk.ReleaseKey(vk::kControl); });
  settings.PasteHasamiOff = true;
  engine.RunTagCommand("Moji_B");
  desk.RunUntilIdle();
  EXPECT_TRUE(settings.HasamiMode) << "the Ctrl variants leave the mode alone";
}

TEST_F(Engine, NoTextFormatAfterTheCutSendsEscapeThenBeeps) {
  settings.HasamiMode = true;
  editor.copies_without_text = true;
  editor.SetText(u"ab");
  editor.Select(0, 2);
  Run("Moji_B");
  ASSERT_GE(desk.log.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(desk.log.end() - 3, desk.log.end()),
            (std::vector<std::string>{"key 1B down", "key 1B up", "beep"}));
  EXPECT_EQ(desk.sent_keys.back(), (KeyEvent{vk::kEscape, 0, true}));
  EXPECT_EQ(editor.actions.back(), EditorAction::kEscape);
}

TEST_F(Engine, TheSelectionIsReadOnlyAfterThePasteLag) {
  settings.HasamiMode = true;
  settings.HasamiTime = 400;
  desk.key_delivery_delay_ms = 300;  // a slow editor
  editor.SetText(u"slow");
  editor.Select(0, 4);
  Run("Moji_B");
  EXPECT_EQ(editor.text, u"<B>slow</B>");
}

TEST_F(Engine, UserTagsFollowUserTagNoLower) {
  settings.InsTextLower = true;
  Run("Moji_B");
  EXPECT_EQ(editor.text, u"<b></b>");
  editor.SetText(u"");
  engine.RunUserTag(0);
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"<em></em>");
  editor.SetText(u"");
  settings.UserTagNoLower = true;
  engine.RunUserTag(0);
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"<EM></EM>");
  EXPECT_EQ(editor.caret, 4u);
}

TEST_F(Engine, PopupFormUsesTheCaretMenuFocusWithoutResolving) {
  settings.SendMessage = 1;
  WindowHandle other = desk.AddEditor(desk.AddWindow("Other", 3, 3));
  engine.BeginCaretMenu(other);
  engine.RunTagCommandFromPopup("P_Br");
  desk.RunUntilIdle();
  EXPECT_EQ(desk.Editor(other).text, u"<BR>");
  EXPECT_EQ(desk.TopWindow(), palette) << "nothing was brought to the top";
  engine.EndCaretMenu();
  engine.RunUserTagFromPopup(0);
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"<EM></EM>") << "without the flag it resolves like the palette";
}

// --------------------------------------------------------------- one job

TEST_F(Engine, ACommandWhileAJobIsPendingIsRefused) {
  settings.HasamiMode = true;
  settings.PasteHasamiOff = false;
  editor.SetText(u"ab");
  editor.Select(0, 2);
  engine.RunTagCommand("Moji_B");
  EXPECT_TRUE(engine.IsBusy());
  engine.RunTagCommand("P_Br");  // between the cut and the paste tick
  EXPECT_EQ(desk.beeps, 1);
  EXPECT_FALSE(engine.StartSelectionCapture(false, nullptr));
  EXPECT_EQ(desk.beeps, 2);
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"<B>ab</B>") << "the pending job pasted its own text";
  EXPECT_FALSE(engine.IsBusy());
  settings.HasamiMode = false;
  Run("P_Br");
  EXPECT_EQ(editor.text, u"<B>ab</B><BR>");
}

TEST_F(Engine, ACommandArrivingInsideAWaitIsRefused) {
  editor.SetText(u"");
  desk.PressKey(vk::kShift);
  settings.HasamiMode = false;
  desk.At(20, [this] { engine.RunTagCommand("P_Br"); });  // a click during the KeyUpPaste wait
  desk.At(200, [this] { desk.ReleaseKey(vk::kShift); });
  settings.KeyUpPaste = true;
  templates["Moji_B"] = "<B>";        // no placeholder: Shift makes a sandwich that beeps...
  settings.NoSelStr_TagPaste = true;  // ...or, here, falls back to a normal paste
  engine.RunTagCommand("Moji_B");
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"<B>");
  EXPECT_EQ(desk.beeps, 1);
}

// ------------------------------------------------------------- clipboard

TEST_F(Engine, ABrieflyHeldClipboardIsRetried) {
  desk.HoldClipboard(40, /*with_window=*/false);
  Run("P_Br");
  EXPECT_EQ(editor.text, u"<BR>");
  EXPECT_GT(desk.clipboard_open_failures, 0);
  EXPECT_TRUE(desk.message_boxes.empty());
}

TEST_F(Engine, AClipboardHeldLongerEndsTheJobWithAMessage) {
  desk.HoldClipboard(1000, false);
  Run("P_Br");
  EXPECT_EQ(editor.text, u"");
  ASSERT_EQ(desk.message_boxes.size(), 1u);
  EXPECT_EQ(desk.message_boxes[0], kCannotOpenClipboardMessage);
  EXPECT_TRUE(desk.sent_keys.empty());
  EXPECT_FALSE(engine.IsBusy());
  desk.Advance(1000);
  Run("P_Br");
  EXPECT_EQ(editor.text, u"<BR>");
}

// A clipboard that opens but cannot store the n-th write (counted from 1),
// as when GlobalAlloc fails after EmptyClipboard; everything else goes to
// the simulated desktop.
class StoreFailingClipboard final : public platform::Clipboard {
 public:
  StoreFailingClipboard(SimDesktop& desk, int failing_write) : desk_(desk), failing_write_(failing_write) {}
  platform::ClipboardWrite SetClipboardText(std::u16string_view text) override {
    if (++writes_ != failing_write_) return desk_.SetClipboardText(text);
    desk_.ReplaceClipboard(std::nullopt);
    return platform::ClipboardWrite::kNotStored;
  }
  platform::ClipboardWrite OfferClipboardText(std::u16string_view text) override {
    if (++writes_ != failing_write_) return desk_.OfferClipboardText(text);
    desk_.ReplaceClipboard(std::nullopt);
    return platform::ClipboardWrite::kNotStored;
  }
  bool OfferTaken() override { return desk_.OfferTaken(); }
  std::optional<platform::ProcessId> OfferRenderer() override { return desk_.OfferRenderer(); }
  std::uint32_t ClipboardSequence() override { return desk_.ClipboardSequence(); }
  void SetClipboardObserver(std::function<void()> observer) override { desk_.SetClipboardObserver(observer); }
  std::optional<WideText> GetClipboardText() override { return desk_.GetClipboardText(); }
  bool ClipboardHasText() override { return desk_.ClipboardHasText(); }
  bool ClipboardHeldOpen() override { return desk_.ClipboardHeldOpen(); }
  std::optional<platform::ClipboardContents> SaveClipboard(std::size_t limit, unsigned bound_ms) override {
    return desk_.SaveClipboard(limit, bound_ms);
  }
  platform::ClipboardRestore RestoreClipboard(const platform::ClipboardContents& contents,
                                              std::uint32_t sequence) override {
    return desk_.RestoreClipboard(contents, sequence);
  }

 private:
  SimDesktop& desk_;
  int failing_write_;
  int writes_ = 0;
};

TEST_F(Engine, AClipboardThatTakesNoTextEndsTheJobWithNothingPasted) {
  struct Case {
    const char* name;
    bool sandwich;
    bool deletion;
    int failing_write;    // 1: the first write of the job
    bool selection_read;  // the editor copied its selection before the failure
  };
  const Case cases[] = {
      {"normal mode, the tag", false, false, 1, false},
      {"sandwich, the wrapped selection", true, false, 1, true},
      {"tag deletion, the result", false, true, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimDesktop d;
    settings::AppSettings s;
    s.HasamiMode = c.sandwich;
    s.HasamiSelStr = 1;  // copy: the editor's text stays where it is
    d.AddWindow("TTagslingMain", SimDesktop::kOwnProcess, SimDesktop::kOwnThread);
    WindowHandle e = d.AddEditor(d.AddWindow("Notepad", 2, 2));
    d.Editor(e).SetText(u"ab");
    d.Editor(e).Select(0, 2);
    StoreFailingClipboard clipboard(d, c.failing_write);
    InsertionEngine eng(platform::Platform{clipboard, d, d, d, d, d}, s, Hooks());
    if (c.deletion) {
      eng.StartSelectionCapture(true, [](const WideText&) { return std::optional<WideText>(u"X"); });
    } else {
      eng.RunTagCommand("Moji_B");
    }
    d.RunUntilIdle();
    EXPECT_EQ(d.Editor(e).text, u"ab");
    const auto& actions = d.Editor(e).actions;
    EXPECT_EQ(std::count(actions.begin(), actions.end(), EditorAction::kPaste), 0) << "nothing is pasted";
    EXPECT_EQ(std::count(actions.begin(), actions.end(), EditorAction::kCopy), c.selection_read ? 1 : 0);
    ASSERT_EQ(d.message_boxes.size(), 1u);
    EXPECT_EQ(d.message_boxes[0], kCannotStoreClipboardMessage);
    EXPECT_FALSE(eng.IsBusy());
    // The next job goes through.
    s.HasamiMode = false;
    eng.RunTagCommand("P_Br");
    d.RunUntilIdle();
    EXPECT_EQ(d.Editor(e).text, u"<BR>");
  }
}

TEST_F(Engine, AFailedStoreOnTheSimulatedDesktopIsNotRetried) {
  desk.clipboard_store_fails = true;
  Run("P_Br");
  EXPECT_EQ(editor.text, u"");
  EXPECT_TRUE(desk.sent_keys.empty());
  ASSERT_EQ(desk.message_boxes.size(), 1u);
  EXPECT_EQ(desk.message_boxes[0], kCannotStoreClipboardMessage);
  EXPECT_EQ(std::count(desk.log.begin(), desk.log.end(), "clip lost"), 1);
  EXPECT_FALSE(engine.IsBusy());
}

TEST_F(Engine, TheWaitForAFreeClipboardIsBounded) {
  settings.HasamiMode = true;
  settings.PasteHasamiOff = false;
  editor.SetText(u"ab");
  editor.Select(0, 2);
  // A viewer opens the clipboard right after the cut and keeps it 1 s: waited for.
  engine.RunTagCommand("Moji_B");
  desk.HoldClipboard(1000);
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"<B>ab</B>");
  EXPECT_TRUE(desk.message_boxes.empty());
  // Held for a minute: the job ends after a few seconds.
  editor.SetText(u"cd");
  editor.Select(0, 2);
  const std::uint64_t start = desk.NowMs();
  engine.RunTagCommand("Moji_B");
  desk.HoldClipboard(60000);
  desk.Advance(10000);
  EXPECT_EQ(desk.message_boxes.size(), 1u);
  EXPECT_FALSE(engine.IsBusy());
  EXPECT_FALSE(desk.TimerArmed(kSandwichLagTimer));
  EXPECT_LT(desk.NowMs() - start, 60000u);
  EXPECT_EQ(editor.text, u"") << "cut, and not put back (the clipboard is held)";
}

// ---------------------------------------------------- tag deletion capture

TEST_F(Engine, SelectionCaptureHandsTheSelectionToTheTransformation) {
  editor.SetText(u"<b>x\U0001F600</b>");
  editor.Select(0, editor.text.size());
  WideText seen;
  ASSERT_TRUE(engine.StartSelectionCapture(true, [&](const WideText& s) -> std::optional<WideText> {
    seen = s;
    return u"x\U0001F600";
  }));
  desk.RunUntilIdle();
  EXPECT_EQ(seen, u"<b>x\U0001F600</b>");
  EXPECT_EQ(editor.text, u"x\U0001F600");
  EXPECT_FALSE(desk.TimerArmed(kSandwichPollTimer));
}

TEST_F(Engine, ATransformationTakesTheCaretBackIntoItsTextUnlessCursorBakIsOff) {
  // Left presses: one per UTF-16 unit in the editor, a line break counting one.
  for (const bool cursor_bak : {true, false}) {
    for (const int cut_or_copy : {0, 1}) {
      SCOPED_TRACE(testing::Message() << "CursorBak " << cursor_bak << ", HasamiSelStr " << cut_or_copy);
      settings.CursorBak = cursor_bak;
      settings.HasamiSelStr = cut_or_copy;
      desk.sent_keys.clear();
      editor.SetText(u"[ul]");
      editor.Select(1, 3);
      ASSERT_TRUE(engine.StartSelectionCapture(true, [](const WideText&) {
        return std::optional<SelectionResult>(SelectionResult(u"<ul>\r\n\t<li></li>\r\n</ul>", 11));
      }));
      desk.RunUntilIdle();
      EXPECT_EQ(editor.text, u"[<ul>\r\n\t<li></li>\r\n</ul>]");
      EXPECT_EQ(LeftPresses(), cursor_bak ? 11 : 0);
      // Eleven Left presses from the end of the pasted text: inside the li.
      EXPECT_EQ(editor.caret, cursor_bak ? 12u : 24u);
    }
  }
}

TEST_F(Engine, SelectionCaptureBeepsOnEmptySelectionEvenWithFallbackOn) {
  settings.NoSelStr_TagPaste = true;
  editor.SetText(u"ab");
  bool called = false;
  engine.StartSelectionCapture(true, [&](const WideText&) -> std::optional<WideText> {
    called = true;
    return u"";
  });
  desk.RunUntilIdle();
  EXPECT_FALSE(called);
  EXPECT_EQ(desk.beeps, 1);
  EXPECT_EQ(editor.text, u"ab");
}

TEST_F(Engine, AFailingTransformationEndsTheJobWithItsMessage) {
  editor.SetText(u"ab");
  editor.Select(0, 2);
  engine.StartSelectionCapture(
      true, [](const WideText&) -> std::optional<WideText> { throw std::runtime_error("bad pattern"); });
  desk.RunUntilIdle();
  EXPECT_EQ(desk.message_boxes, (std::vector<std::string>{"bad pattern"}));
  EXPECT_FALSE(engine.IsBusy());
}

TEST_F(Engine, SelectionCaptureWithoutCaptureUsesTheCaretMenuFocus) {
  settings.SendMessage = 1;
  editor.SetText(u"<b>x</b>");
  editor.Select(0, editor.text.size());
  engine.BeginCaretMenu(edit);
  engine.EndCaretMenu();
  ASSERT_TRUE(engine.StartSelectionCapture(false, [](const WideText&) -> std::optional<WideText> { return u"x"; }));
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"x");
  EXPECT_EQ(desk.sent_messages.front(), std::make_pair(edit, ClipboardMessage::kCut));
}

// ------------------------------------------------- the input commands' paste

TEST_F(Engine, PasteTextToSendsToTheGivenFocus) {
  settings.SendMessage = 1;
  editor.SetText(u"");
  EXPECT_TRUE(engine.PasteTextTo(edit, "#FF0000\x82\xa0"));  // あ
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"#FF0000\u3042");
  EXPECT_EQ(desk.sent_messages.back(), std::make_pair(edit, ClipboardMessage::kPaste));
  // Another focus: the message goes there and the editor is left alone.
  EXPECT_TRUE(engine.PasteTextTo(platform::kNoWindow, "x"));
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"#FF0000\u3042");
  EXPECT_EQ(desk.beeps, 0);
  EXPECT_FALSE(engine.IsBusy());
}

// Paths that code page 932 cannot hold reach the editor as they are.
TEST_F(Engine, PasteTextToTakesUtf16Text) {
  settings.SendMessage = 1;
  editor.SetText(u"");
  EXPECT_TRUE(engine.PasteTextTo(edit, u"<IMG SRC=\"caf\u00e9\u2615/\U0001F600.png\">"));
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"<IMG SRC=\"caf\u00e9\u2615/\U0001F600.png\">");
  EXPECT_EQ(desk.sent_messages.back(), std::make_pair(edit, ClipboardMessage::kPaste));
  EXPECT_FALSE(engine.IsBusy());
}

TEST_F(Engine, PasteTextToIsRefusedWhileAJobIsPending) {
  settings.HasamiMode = true;
  editor.SetText(u"ab");
  editor.Select(0, 2);
  engine.RunTagCommand("Moji_B");
  EXPECT_FALSE(engine.PasteTextTo(edit, u"caf\u00e9"));
  EXPECT_EQ(desk.beeps, 1);
  EXPECT_FALSE(engine.PasteTextTo(edit, "#000000"));
  EXPECT_EQ(desk.beeps, 2);
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"<B>ab</B>") << "the capture read the colour instead of the selection";
}

TEST(ComposeSandwich, MatchesTheShieldedReplacementAndKeepsTheSelection) {
  SimDesktop desk;
  EXPECT_EQ(ComposeSandwich(desk, "<A>%SELSTR%</A>%SELSTR%", u"s"), u"<A>s</A>s");
  EXPECT_EQ(ComposeSandwich(desk, "no placeholder", u"s"), u"no placeholder");
  EXPECT_EQ(ComposeSandwich(desk, "[%SELSTR%]", u"%TAGSLING_TMP_SELSTR%"), u"[%SELSTR%]");
  EXPECT_EQ(ComposeSandwich(desk, "%TAGSLING_TMP_SELSTR%%SELSTR%", u"\U0001F600"), u"%SELSTR%\U0001F600");
}

}  // namespace
}  // namespace tagsling::core
