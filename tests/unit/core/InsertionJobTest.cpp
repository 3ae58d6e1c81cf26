// The insertion job against the simulated desktop: it ends when the editor
// has taken the paste, a burst of commands runs only the first, the user's
// clipboard comes back, and reading the selection early never changes what
// the fixed paste lag would have given.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "core/InsertionEngine.h"
#include "platform/sim/SimDesktop.h"

namespace tagsling::core {
namespace {

using platform::KeyEvent;
using platform::sim::EditorAction;
using platform::sim::SimClipboardFormat;
using platform::sim::SimDesktop;
using platform::sim::SimEditor;
namespace vk = platform::vk;

constexpr std::uint64_t kPause = InsertionEngine::kPasteDelayMs;
constexpr std::uint64_t kBound = InsertionEngine::kPasteTakenBoundMs;

// A palette on top, Notepad with its edit control below it, an engine.
struct Scene {
  SimDesktop desk;
  settings::AppSettings settings;
  std::map<std::string, std::string> templates = {
      {"Moji_B", "<B>%SELSTR%</B>"}, {"P_Br", "<BR>"}, {"Li", "<LI>%SELSTR%</LI>"}};
  WindowHandle palette = desk.AddWindow("TTagslingMain", SimDesktop::kOwnProcess, SimDesktop::kOwnThread);
  WindowHandle notepad = desk.AddWindow("Notepad", 2, 2);
  WindowHandle edit = desk.AddEditor(notepad);
  std::unique_ptr<InsertionEngine> engine;

  Scene() { desk.SetForeground(palette); }

  SimEditor& editor() { return desk.Editor(edit); }

  InsertionEngine& Engine() {
    if (!engine) {
      EngineHooks hooks;
      hooks.read_template = [this](const std::string& key) { return templates[key]; };
      hooks.read_user_template = [](int) { return std::string("<EM>%SELSTR%</EM>"); };
      engine = std::make_unique<InsertionEngine>(desk.platform(), settings, hooks);
    }
    return *engine;
  }

  int LeftPresses() const {
    return static_cast<int>(std::count_if(desk.sent_keys.begin(), desk.sent_keys.end(),
                                          [](const KeyEvent& e) { return e.vk == vk::kLeft && !e.up; }));
  }
};

std::optional<SelectionResult> Bracket(const WideText& selection) { return SelectionResult(u"[" + selection + u"]"); }

enum class Command { kTag, kUserTag, kPopupTag, kDeletion, kInputPaste };

void Issue(Scene& s, Command command, const std::string& key) {
  switch (command) {
    case Command::kTag:
      return s.Engine().RunTagCommand(key);
    case Command::kUserTag:
      return s.Engine().RunUserTag(0);
    case Command::kPopupTag:
      return s.Engine().RunTagCommandFromPopup(key);
    case Command::kDeletion:
      s.Engine().StartSelectionCapture(true, Bracket);
      return;
    case Command::kInputPaste:
      // The input commands hand the focus back to the editor first.
      s.desk.SetForeground(s.notepad);
      s.Engine().PasteTextTo(s.edit, "#FF0000");
      return;
  }
}

// ------------------------------------------------------------ the handshake

TEST(InsertionJob, LastsUntilTheEditorHasTakenThePaste) {
  struct Case {
    std::optional<std::uint64_t> asks_after;  // nullopt: the editor never asks
    int send_message;
  };
  const Case cases[] = {{0, 0}, {30, 0},  {400, 0},         {kBound - 1, 0}, {std::nullopt, 0},
                        {0, 1}, {250, 1}, {std::nullopt, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "asks after " << (c.asks_after ? int(*c.asks_after) : -1) << " ms, SendMessage "
                                    << c.send_message);
    Scene s;
    s.settings.SendMessage = c.send_message;
    s.editor().paste_delay_ms = c.asks_after;
    s.Engine().RunTagCommand("Moji_B");
    const std::uint64_t taken_at = kPause + c.asks_after.value_or(kBound);
    s.desk.Advance(taken_at - 1);
    EXPECT_TRUE(s.Engine().IsBusy());
    EXPECT_EQ(s.LeftPresses(), 0) << "no Left before the editor has the text";
    s.desk.RunUntilIdle();
    EXPECT_FALSE(s.Engine().IsBusy());
    EXPECT_LE(s.desk.NowMs(), taken_at + InsertionEngine::kPollMs);
    if (c.asks_after) {
      EXPECT_EQ(s.editor().text, u"<B></B>");
      EXPECT_EQ(s.editor().caret, 3u);
      EXPECT_EQ(s.desk.beeps, 0);
      // Left follows the editor's request for the text.
      auto rendered = std::find(s.desk.log.begin(), s.desk.log.end(), "clip rendered");
      EXPECT_EQ(std::find(s.desk.log.begin(), rendered, "key 25 down"), rendered);
      EXPECT_EQ(s.LeftPresses(), 4);
    } else {
      EXPECT_EQ(s.editor().text, u"");
      EXPECT_EQ(s.desk.beeps, 1) << "a paste that is never taken ends with a beep";
      EXPECT_EQ(s.LeftPresses(), 0);
    }
    // The next command runs.
    s.editor().paste_delay_ms = 0;
    s.Engine().RunTagCommand("P_Br");
    s.desk.RunUntilIdle();
    EXPECT_NE(s.editor().text.find(u"<BR>"), WideText::npos);
  }
}

TEST(InsertionJob, APasteThatSendsNothingEndsAtOnceWithoutABeep) {
  for (int setting : {0, 1}) {
    Scene s;
    if (setting == 0) s.settings.SendKey_Paste = 7;  // no key for the value
    if (setting == 1) s.settings.SendMessage = 2;    // neither keys nor messages
    s.Engine().RunTagCommand("Moji_B");
    s.desk.RunUntilIdle();
    EXPECT_LE(s.desk.NowMs(), kPause + 1) << setting;
    EXPECT_EQ(s.desk.beeps, 0) << setting;
    EXPECT_EQ(s.LeftPresses(), 0) << "nothing was pasted, so the caret stays";
  }
}

TEST(InsertionJob, AnEarlyReaderOfTheOfferDoesNotHoldTheJobUp) {
  // A clipboard viewer renders the offer before the paste keys: the job
  // offers again, lets the viewer finish and sees the editor's own request.
  Scene s;
  s.Engine().RunTagCommand("Moji_B");
  s.desk.At(10, [&] { EXPECT_EQ(s.desk.ReadClipboardAsOtherProgram(), u"<B></B>"); });
  s.desk.RunUntilIdle();
  EXPECT_EQ(s.editor().text, u"<B></B>");
  EXPECT_EQ(s.editor().caret, 3u);
  EXPECT_EQ(s.desk.beeps, 0);
  EXPECT_LE(s.desk.NowMs(), kPause + InsertionEngine::kSettleMs + 3 * InsertionEngine::kPollMs);
}

TEST(InsertionJob, ATransformationCanPutTheCaretBackAfterItsPaste) {
  for (bool cursor_bak : {true, false}) {
    Scene s;
    s.settings.CursorBak = cursor_bak;
    s.editor().SetText(u"li");
    s.editor().Select(0, 2);
    s.Engine().StartSelectionCapture(true, [](const WideText& selection) {
      return std::optional<SelectionResult>(SelectionResult(u"<" + selection + u"></" + selection + u">", 5));
    });
    s.desk.RunUntilIdle();
    EXPECT_EQ(s.editor().text, u"<li></li>");
    EXPECT_EQ(s.editor().caret, cursor_bak ? 4u : 9u);
    // The input helpers' paste takes a count too.
    s.Engine().PasteWideText(u"<b></b>", 4);
    s.desk.RunUntilIdle();
    EXPECT_EQ(s.editor().caret, cursor_bak ? 7u : 16u);
  }
}

// ------------------------------------------------------------------ bursts

TEST(InsertionJob, ABurstOfCommandsRunsOnlyTheFirstAndNoKeysInterleave) {
  struct Case {
    const char* name;
    Command first;
    const char* key;
    bool sandwich;
    int sel_str;
    std::vector<std::uint8_t> held;  // released 100 ms after the command
    std::optional<std::uint64_t> asks_after;
    int send_message;
  };
  const Case cases[] = {
      {"normal", Command::kTag, "Moji_B", false, 0, {}, 0, 0},
      {"normal, a slow editor", Command::kTag, "Moji_B", false, 0, {}, 300, 0},
      {"normal, messages", Command::kTag, "Moji_B", false, 0, {}, 0, 1},
      {"sandwich by cut", Command::kTag, "Moji_B", true, 0, {}, 0, 0},
      {"sandwich by copy, a slow editor", Command::kTag, "Moji_B", true, 1, {}, 200, 0},
      {"Ctrl part", Command::kTag, "Moji_B", false, 0, {vk::kControl}, 0, 0},
      {"Ctrl+Shift part", Command::kTag, "Moji_B", false, 0, {vk::kControl, vk::kShift}, 0, 0},
      {"user tag", Command::kUserTag, "", false, 0, {}, 0, 0},
      {"popup tag", Command::kPopupTag, "Li", false, 0, {}, 0, 0},
      {"tag deletion", Command::kDeletion, "", false, 0, {}, 0, 0},
      {"input paste", Command::kInputPaste, "", false, 0, {}, 50, 0},
  };
  const Command others[] = {Command::kTag, Command::kUserTag, Command::kPopupTag, Command::kDeletion,
                            Command::kInputPaste};
  constexpr int kOthers = 19;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto run = [&](bool burst) {
      auto s = std::make_unique<Scene>();
      s->settings.HasamiMode = c.sandwich;
      s->settings.HasamiSelStr = c.sel_str;
      s->settings.SendMessage = c.send_message;
      s->editor().paste_delay_ms = c.asks_after;
      s->editor().SetText(u"x word y");
      s->editor().Select(2, 6);
      for (auto key : c.held) s->desk.PressKey(key);
      for (auto key : c.held) s->desk.At(100, [&desk = s->desk, key] { desk.ReleaseKey(key); });
      if (burst) {
        // The first arrives while the command lets pending messages through,
        // the rest while its job runs (it lasts at least the 50 ms pause).
        for (int i = 0; i < kOthers; ++i) {
          s->desk.At(i * 45 / kOthers, [&scene = *s, i, &others] { Issue(scene, others[i % 5], "P_Br"); });
        }
      }
      Issue(*s, c.first, c.key);
      s->desk.RunUntilIdle();
      return s;
    };
    auto alone = run(false);
    auto burst = run(true);
    EXPECT_EQ(burst->desk.sent_keys, alone->desk.sent_keys) << "only the first job's keys, in order";
    EXPECT_EQ(burst->desk.sent_messages, alone->desk.sent_messages);
    EXPECT_EQ(burst->editor().text, alone->editor().text);
    EXPECT_EQ(burst->editor().caret, alone->editor().caret);
    EXPECT_EQ(burst->desk.beeps - alone->desk.beeps, kOthers) << "every other command was refused with a beep";
    EXPECT_NE(alone->editor().text, u"x word y") << "the first job did its work";
  }
}

// ---------------------------------------------------- the user's clipboard

const std::vector<SimClipboardFormat> kUserFormats = {
    {"HTML Format", "Version:0.9\r\n<b>x</b>", true},
    {"Tagsling Private", std::string("\0\x01\x02\xff", 4), true},
    {"Owner display", "", false},
};
const std::vector<SimClipboardFormat> kKeptFormats(kUserFormats.begin(), kUserFormats.begin() + 2);

TEST(RestoreClipboard, EveryKeptFormatComesBackAfterTheJob) {
  struct Case {
    const char* name;
    Command command;
    bool sandwich;
    int sel_str;
    std::uint8_t held;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"normal", Command::kTag, false, 0, 0, u"x <B></B> y"},
      {"sandwich by cut", Command::kTag, true, 0, 0, u"x <B>word</B> y"},
      {"sandwich by copy", Command::kTag, true, 1, 0, u"x <B>word</B> y"},
      {"Ctrl part", Command::kTag, false, 0, vk::kControl, u"x <B> y"},
      {"tag deletion", Command::kDeletion, false, 0, 0, u"x [word] y"},
      {"input paste", Command::kInputPaste, false, 0, 0, u"x #FF0000 y"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scene s;
    s.settings.RestoreClipboard = true;
    s.settings.HasamiMode = c.sandwich;
    s.settings.HasamiSelStr = c.sel_str;
    s.desk.ReplaceClipboard(u"the user's text", kUserFormats);
    s.editor().SetText(u"x word y");
    s.editor().Select(2, 6);
    if (c.held) {
      s.desk.PressKey(c.held);
      s.desk.At(20, [&] { s.desk.ReleaseKey(c.held); });
    }
    Issue(s, c.command, "Moji_B");
    s.desk.RunUntilIdle();
    EXPECT_EQ(s.editor().text, c.expected);
    EXPECT_EQ(s.desk.clipboard_text, u"the user's text");
    EXPECT_EQ(s.desk.clipboard_formats, kKeptFormats);
    // The format that could not be kept is named, once per run.
    ASSERT_EQ(s.desk.message_boxes.size(), 1u);
    EXPECT_EQ(s.desk.message_boxes[0], std::string(kFormatsNotKeptMessage) + "\r\nOwner display");
    s.desk.ReplaceClipboard(u"again", kUserFormats);
    s.editor().SetText(u"");
    s.Engine().RunTagCommand("P_Br");
    s.desk.RunUntilIdle();
    EXPECT_EQ(s.editor().text, u"<BR>");
    EXPECT_EQ(s.desk.clipboard_text, u"again");
    EXPECT_EQ(s.desk.message_boxes.size(), 1u);
  }
}

TEST(RestoreClipboard, OffByDefaultTheTagStaysOnTheClipboard) {
  Scene s;
  s.desk.ReplaceClipboard(u"the user's text", kKeptFormats);
  s.Engine().RunTagCommand("Moji_B");
  s.desk.RunUntilIdle();
  EXPECT_EQ(s.desk.clipboard_text, u"<B></B>");
  for (const SimClipboardFormat& format : s.desk.clipboard_formats) {
    EXPECT_TRUE(format.name.starts_with("Exclude") || format.name.starts_with("Can")) << "only the offer's own marks";
  }
}

TEST(RestoreClipboard, ContentsOverTheLimitAreNamedAndNothingElseIsLost) {
  Scene s;
  s.settings.RestoreClipboard = true;
  s.desk.ReplaceClipboard(
      u"small", {{"Huge", std::string(InsertionEngine::kSavedClipboardLimit, 'x'), true}, {"Small", "abc", true}});
  s.Engine().RunTagCommand("P_Br");
  s.desk.RunUntilIdle();
  EXPECT_EQ(s.desk.clipboard_text, u"small");
  EXPECT_EQ(s.desk.clipboard_formats, (std::vector<SimClipboardFormat>{{"Small", "abc", true}}));
  EXPECT_EQ(s.desk.message_boxes, std::vector<std::string>{std::string(kFormatsNotKeptMessage) + "\r\nHuge"});
}

TEST(RestoreClipboard, ANewerClipboardOfAnotherProgramWins) {
  // The editor asks for the text 10 ms after the paste keys (sent 1 + 50 ms
  // after the command).
  constexpr std::uint64_t kAsked = 1 + kPause + 10;
  struct Case {
    const char* name;
    std::uint64_t at;        // when the other program copies, from the command
    bool behind_the_editor;  // queued behind the editor's request, before the engine hears of it
    const char16_t* editor;  // what the editor ends up with
    int beeps;
  };
  const Case cases[] = {
      {"during the pause: the job ends with nothing pasted", 20, false, u"", 1},
      {"right after the editor took the paste", kAsked, true, u"<B></B>", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scene s;
    s.settings.RestoreClipboard = true;
    s.editor().paste_delay_ms = 10;
    s.desk.ReplaceClipboard(u"old");
    auto copy = [&] { s.desk.ReplaceClipboard(u"newer"); };
    if (c.behind_the_editor) {
      s.desk.At(c.at, [&] { s.desk.At(0, copy); });
    } else {
      s.desk.At(c.at, copy);
    }
    s.Engine().RunTagCommand("Moji_B");
    s.desk.RunUntilIdle();
    EXPECT_EQ(s.editor().text, c.editor);
    EXPECT_EQ(s.desk.clipboard_text, u"newer");
    EXPECT_EQ(s.desk.beeps, c.beeps);
    EXPECT_EQ(std::count(s.desk.log.begin(), s.desk.log.end(), "clip restored"), 0);
  }
}

TEST(RestoreClipboard, TextCutFromTheEditorIsNeverLost) {
  struct Case {
    const char* name;
    int sel_str;
    bool without_text;                        // the editor's cut puts no text there
    std::optional<std::uint64_t> asks_after;  // nullopt: the editor never takes the paste
    bool transform_refuses;
    std::optional<WideText> clipboard;  // what the clipboard keeps
  };
  const Case cases[] = {
      {"the cut put no text there", 0, true, 0, false, std::nullopt},
      {"the wrapped selection was never taken", 0, false, std::nullopt, false, u"[word]"},
      {"the transformation pasted nothing", 0, false, 0, true, u"word"},
      {"copied, never taken: the offer stays for a late paste", 1, false, std::nullopt, false, u"[word]"},
      {"cut and pasted back", 0, false, 0, false, u"user"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scene s;
    s.settings.RestoreClipboard = true;
    s.settings.HasamiSelStr = c.sel_str;
    s.desk.ReplaceClipboard(u"user");
    s.editor().SetText(u"x word y");
    s.editor().Select(2, 6);
    s.editor().copies_without_text = c.without_text;
    s.editor().paste_delay_ms = c.asks_after;
    s.Engine().StartSelectionCapture(true, [&](const WideText& selection) -> std::optional<SelectionResult> {
      if (c.transform_refuses) return std::nullopt;
      return Bracket(selection);
    });
    s.desk.RunUntilIdle();
    EXPECT_FALSE(s.Engine().IsBusy());
    EXPECT_EQ(s.desk.clipboard_text, c.clipboard);
  }
}

TEST(RestoreClipboard, AClipboardThatCannotBeSavedChangesNothing) {
  Scene s;
  s.settings.RestoreClipboard = true;
  s.desk.ReplaceClipboard(u"user");
  s.desk.HoldClipboard(1000, false);
  s.Engine().RunTagCommand("Moji_B");
  s.desk.RunUntilIdle();
  EXPECT_EQ(s.desk.message_boxes, std::vector<std::string>{kCannotOpenClipboardMessage});
  EXPECT_EQ(s.desk.clipboard_text, u"user");
  EXPECT_TRUE(s.desk.sent_keys.empty());
  EXPECT_FALSE(s.Engine().IsBusy());
}

TEST(RestoreClipboard, WaitsForTheEditorToCloseTheClipboard) {
  // The editor keeps the clipboard open a little after taking the paste
  // (10 ms after the keys, sent 1 + 50 ms after the command).
  constexpr std::uint64_t kAsked = 1 + kPause + 10;
  Scene s;
  s.settings.RestoreClipboard = true;
  s.editor().paste_delay_ms = 10;
  s.desk.ReplaceClipboard(u"user");
  s.desk.At(kAsked, [&] { s.desk.At(0, [&] { s.desk.HoldClipboard(30); }); });
  s.Engine().RunTagCommand("Moji_B");
  s.desk.RunUntilIdle();
  EXPECT_EQ(s.editor().text, u"<B></B>");
  EXPECT_EQ(s.desk.clipboard_text, u"user");
  EXPECT_TRUE(s.desk.message_boxes.empty());
  EXPECT_GE(s.desk.NowMs(), kAsked + 30);
}

TEST(InsertionJob, AnOfferNobodyTookIsRenderedWhenTheProgramEnds) {
  Scene s;
  s.editor().paste_delay_ms = std::nullopt;
  s.Engine().RunTagCommand("Moji_B");
  s.desk.RunUntilIdle();
  EXPECT_EQ(s.desk.beeps, 1);
  EXPECT_TRUE(s.desk.OfferUnrendered());
  s.engine.reset();
  s.desk.EndProgram();
  EXPECT_EQ(s.desk.ReadClipboardAsOtherProgram(), u"<B></B>") << "a later paste still finds the tag";
}

// ------------------------------------------------------ the adaptive lag

// Everything a user can observe at the end of a job.
struct Outcome {
  WideText text;
  std::size_t caret;
  int beeps;
  std::vector<std::string> messages;
  std::optional<WideText> clipboard;
  std::vector<EditorAction> actions;
  std::vector<KeyEvent> keys;
  bool operator==(const Outcome&) const = default;
};

std::string Narrow(const WideText& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

void PrintTo(const Outcome& o, std::ostream* os) {
  *os << "text \"" << Narrow(o.text) << "\" caret " << o.caret << " beeps " << o.beeps << " messages "
      << o.messages.size() << " clipboard ";
  if (o.clipboard) {
    *os << '"' << Narrow(*o.clipboard) << '"';
  } else {
    *os << "none";
  }
  *os << " actions " << o.actions.size() << " keys " << o.keys.size();
}

TEST(AdaptivePasteLag, GivesWhatTheFixedLagGives) {
  struct Editor {
    const char* name;
    std::uint64_t key_delay;  // the editor handles keys this late
    bool selected = true;
    bool without_text = false;
    int cut_key = 0;                // SendKey_Cut; 6 sends nothing
    std::uint64_t viewer_hold = 0;  // a viewer holds the clipboard after the cut
  };
  const Editor editors[] = {
      {"at once", 0},
      {"late", 40},
      {"just within the lag", 99},
      {"at the lag", 100},
      {"just after the lag", 101},
      {"long after the lag", 400},
      {"nothing selected", 0, false},
      {"no text format", 0, true, true},
      {"never (no key sent)", 0, true, false, 6},
      {"a viewer holds the clipboard after the cut", 20, true, false, 0, 30},
  };
  for (const Editor& e : editors) {
    for (Command command : {Command::kTag, Command::kDeletion}) {
      for (int sel_str : {0, 1}) {
        for (bool fallback : {false, true}) {
          SCOPED_TRACE(testing::Message() << e.name << (command == Command::kTag ? ", sandwich" : ", deletion")
                                          << ", HasamiSelStr " << sel_str << ", NoSelStr_TagPaste " << fallback);
          auto run = [&](bool adaptive, std::uint64_t& paste_at) {
            Scene s;
            s.settings.AdaptivePasteLag = adaptive;
            s.settings.HasamiMode = true;
            s.settings.HasamiSelStr = sel_str;
            s.settings.SendKey_Cut = e.cut_key;
            s.settings.NoSelStr_TagPaste = fallback;
            s.desk.key_delivery_delay_ms = e.key_delay;
            s.editor().copies_without_text = e.without_text;
            s.editor().SetText(u"x word y");
            if (e.selected) s.editor().Select(2, 6);
            // The cut goes out 1 ms after the command; the viewer opens the
            // clipboard right after the editor has handled it.
            if (e.viewer_hold) {
              s.desk.At(e.key_delay + 1, [&] { s.desk.At(0, [&] { s.desk.HoldClipboard(e.viewer_hold); }); });
            }
            Issue(s, command, "Moji_B");
            paste_at = 0;
            while (s.Engine().IsBusy() && s.desk.NowMs() < 20000) {
              s.desk.Advance(1);
              if (!paste_at && std::count(s.desk.log.begin(), s.desk.log.end(), "clip offer"))
                paste_at = s.desk.NowMs();
            }
            s.desk.RunUntilIdle();
            return Outcome{s.editor().text,       s.editor().caret,   s.desk.beeps,    s.desk.message_boxes,
                           s.desk.clipboard_text, s.editor().actions, s.desk.sent_keys};
          };
          std::uint64_t fixed_at = 0, adaptive_at = 0;
          const Outcome fixed = run(false, fixed_at);
          const Outcome adaptive = run(true, adaptive_at);
          EXPECT_EQ(adaptive, fixed);
          EXPECT_LE(adaptive_at, fixed_at) << "never later than the fixed lag";
          if (e.key_delay == 0 && e.selected && !e.without_text && !e.cut_key && !e.viewer_hold) {
            EXPECT_LT(adaptive_at, 10u) << "the selection is read as soon as it is there";
            EXPECT_GT(fixed_at, 100u);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace tagsling::core
