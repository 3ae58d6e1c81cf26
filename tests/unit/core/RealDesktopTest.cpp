// The insertion job on a busy desktop: programs that read every clipboard
// change (clipboard history, clipboard managers), editors that handle keys
// late, users who copy while a job runs. Whatever they do, the document gets
// the job's own text or nothing, a selection is never lost, and the
// clipboard ends with the user's content or the offer, never anything older.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "core/InsertionEngine.h"
#include "platform/sim/SimDesktop.h"

namespace tagsling::core {
namespace {

using platform::sim::EditorAction;
using platform::sim::SimClipboardReader;
using platform::sim::SimDesktop;
namespace vk = platform::vk;

constexpr std::uint64_t kBound = InsertionEngine::kPasteTakenBoundMs;

struct Desktop {
  SimDesktop desk;
  settings::AppSettings settings;
  std::map<std::string, std::string> templates = {{"Moji_B", "<B>%SELSTR%</B>"}, {"P_Br", "<BR>"}};
  WindowHandle palette = desk.AddWindow("TTagslingMain", SimDesktop::kOwnProcess, SimDesktop::kOwnThread);
  WindowHandle notepad = desk.AddWindow("Notepad", 2, 2);
  WindowHandle edit = desk.AddEditor(notepad);
  std::unique_ptr<InsertionEngine> engine;

  Desktop() {
    desk.SetForeground(palette);
    EngineHooks hooks;
    hooks.read_template = [this](const std::string& key) { return templates[key]; };
    engine = std::make_unique<InsertionEngine>(desk.platform(), settings, hooks);
  }
  platform::sim::SimEditor& editor() { return desk.Editor(edit); }
};

enum class Mode { kNormal, kSandwich, kDeletion };

void Issue(Desktop& d, Mode mode) {
  if (mode == Mode::kDeletion) {
    d.engine->StartSelectionCapture(
        true, [](const WideText& s) { return std::optional<SelectionResult>(SelectionResult(u"[" + s + u"]")); });
  } else {
    d.engine->RunTagCommand("Moji_B");
  }
}

struct Outcome {
  WideText text;
  std::optional<WideText> clipboard;
};

struct GridCase {
  Mode mode;
  std::optional<SimClipboardReader> reader;
  bool restore;
  std::optional<std::uint64_t> second_at;  // a normal "<BR>" command this long after the first
  std::uint64_t key_delay;
};

Outcome RunCase(const GridCase& c, bool with_reader, bool with_second) {
  Desktop d;
  d.settings.RestoreClipboard = c.restore;
  d.settings.HasamiMode = c.mode == Mode::kSandwich;
  d.settings.PasteHasamiOff = true;  // the second command is a normal insertion
  d.desk.key_delivery_delay_ms = c.key_delay;
  d.editor().cut_deletes_when_clipboard_busy = true;
  d.desk.ReplaceClipboard(u"user");
  d.editor().SetText(u"x word y");
  d.editor().Select(2, 6);
  if (with_reader && c.reader) d.desk.AddClipboardReader(*c.reader);
  if (with_second && c.second_at) d.desk.At(*c.second_at, [&d] { d.engine->RunTagCommand("P_Br"); });
  Issue(d, c.mode);
  d.desk.RunUntilIdle();
  d.desk.Advance(2000);  // late pastes
  EXPECT_FALSE(d.engine->IsBusy());
  return {d.editor().text, d.desk.clipboard_text};
}

std::string Describe(const GridCase& c) {
  std::string s = c.mode == Mode::kNormal ? "normal" : c.mode == Mode::kSandwich ? "sandwich" : "deletion";
  if (c.reader) {
    s += std::string(c.reader->polite ? ", polite" : ", rude") + " reader after " + std::to_string(c.reader->delay_ms) +
         " ms";
  }
  s += c.restore ? ", RestoreClipboard" : "";
  if (c.second_at) s += ", second command at " + std::to_string(*c.second_at) + " ms";
  s += ", keys late by " + std::to_string(c.key_delay) + " ms";
  return s;
}

TEST(RealDesktop, ReadersNeverPutOtherTextIntoTheDocument) {
  const std::optional<SimClipboardReader> readers[] = {
      SimClipboardReader{90, 0, 1, true}, SimClipboardReader{90, 0, 1, false}, SimClipboardReader{90, 10, 2, false},
      SimClipboardReader{90, 52, 1, false},  // reads the offer made just before the paste keys, after them
  };
  const std::optional<std::uint64_t> seconds[] = {std::nullopt, 20, 55};
  for (Mode mode : {Mode::kNormal, Mode::kSandwich, Mode::kDeletion}) {
    for (const auto& reader : readers) {
      for (bool restore : {false, true}) {
        for (const auto& second : seconds) {
          for (std::uint64_t key_delay : {0u, 30u}) {
            const GridCase c{mode, reader, restore, second, key_delay};
            SCOPED_TRACE(Describe(c));
            const Outcome quiet = RunCase(c, false, true);
            const Outcome busy = RunCase(c, true, true);
            if (reader->polite) {
              // Offers carry the exclusion format: a polite reader changes nothing.
              EXPECT_EQ(busy.text, quiet.text);
              EXPECT_EQ(busy.clipboard, quiet.clipboard);
              continue;
            }
            // A rude reader may only make the job hold longer, so that the
            // second command is refused.
            const Outcome alone = RunCase(c, false, false);
            EXPECT_TRUE(busy.text == quiet.text || busy.text == alone.text)
                << "got \"" << std::string(busy.text.begin(), busy.text.end()) << "\"";
            EXPECT_EQ(busy.text.find(u"user"), WideText::npos) << "the user's clipboard was pasted";
            if (mode != Mode::kNormal) {
              EXPECT_NE(busy.text.find(u"word"), WideText::npos) << "the selection was lost";
            }
            ASSERT_TRUE(busy.clipboard);
            if (!restore) {
              EXPECT_NE(*busy.clipboard, u"user");
            }
          }
        }
      }
    }
  }
}

TEST(RealDesktop, AnEarlyReaderDoesNotEndTheJobBeforeTheEditorPasted) {
  // The reader renders the offer during the pause; the editor handles its
  // keys 30 ms late. The job offers again before the keys and waits for the
  // editor's own request, then puts the user's clipboard back.
  Desktop d;
  d.settings.RestoreClipboard = true;
  d.desk.key_delivery_delay_ms = 30;
  d.desk.ReplaceClipboard(u"user");
  d.desk.At(10, [&] { d.desk.ReadClipboardAsOtherProgram(90); });
  d.engine->RunTagCommand("Moji_B");
  d.desk.Advance(60);
  EXPECT_TRUE(d.engine->IsBusy()) << "still waiting for the editor";
  d.desk.RunUntilIdle();
  EXPECT_EQ(d.editor().text, u"<B></B>");
  EXPECT_EQ(d.editor().caret, 3u);
  EXPECT_EQ(d.desk.clipboard_text, u"user");
  EXPECT_TRUE(d.desk.message_boxes.empty());
}

TEST(RealDesktop, AReaderThatTakesEveryOfferLeavesTheOfferAndTellsOnce) {
  Desktop d;
  d.settings.RestoreClipboard = true;
  d.desk.key_delivery_delay_ms = 5;
  d.desk.AddClipboardReader({90, 0, 1, false});
  d.desk.ReplaceClipboard(u"user");
  for (int i = 0; i < 2; ++i) {
    d.engine->RunTagCommand("Moji_B");
    d.desk.Advance(100);
    EXPECT_TRUE(d.engine->IsBusy()) << "no later job may replace the offer under a slow editor";
    d.desk.RunUntilIdle();
  }
  EXPECT_EQ(d.editor().text, u"<B><B></B></B>");
  EXPECT_EQ(d.desk.clipboard_text, u"<B></B>");
  EXPECT_EQ(d.desk.message_boxes, std::vector<std::string>{kClipboardNotRestoredMessage});
  EXPECT_EQ(d.desk.beeps, 0);
}

TEST(RealDesktop, ASlowEditorPastesTheTagLateNeverTheUsersClipboard) {
  for (bool restore : {false, true}) {
    SCOPED_TRACE(restore);
    Desktop d;
    d.settings.RestoreClipboard = restore;
    d.desk.key_delivery_delay_ms = kBound + 500;
    d.desk.ReplaceClipboard(u"password");
    d.engine->RunTagCommand("Moji_B");
    d.desk.RunUntilIdle();
    EXPECT_EQ(d.editor().text, u"<B></B>");
    EXPECT_EQ(d.desk.beeps, 1) << "the bound passed without the paste";
    EXPECT_EQ(d.desk.clipboard_text, u"<B></B>") << "the offer stays";
  }
}

TEST(RealDesktop, TheNewerContentWins) {
  struct Case {
    const char* name;
    Mode mode;
    std::uint64_t copy_at;  // the user copies this long after the command
    const char16_t* text;
    int beeps;
  };
  const Case cases[] = {
      {"normal: a copy during the pause ends the job", Mode::kNormal, 20, u"x word y", 1},
      {"sandwich: the selection still goes back", Mode::kSandwich, 60, u"x <B>word</B> y", 0},
      {"deletion: the selection still goes back", Mode::kDeletion, 60, u"x [word] y", 0},
  };
  for (const Case& c : cases) {
    for (bool restore : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.name << (restore ? ", RestoreClipboard" : ""));
      Desktop d;
      d.settings.RestoreClipboard = restore;
      d.settings.HasamiMode = c.mode == Mode::kSandwich;
      d.settings.HasamiTime = 40;
      d.settings.AdaptivePasteLag = false;  // the copy falls into the pause before the paste
      d.desk.ReplaceClipboard(u"old");
      d.editor().SetText(u"x word y");
      d.editor().Select(2, 6);
      d.desk.At(c.copy_at, [&] { d.desk.ReplaceClipboard(u"newer"); });
      Issue(d, c.mode);
      d.desk.RunUntilIdle();
      EXPECT_EQ(d.editor().text, c.text);
      EXPECT_EQ(d.desk.beeps, c.beeps);
      if (restore || c.mode == Mode::kNormal) {
        EXPECT_EQ(d.desk.clipboard_text, u"newer");
      }
    }
  }
}

TEST(RealDesktop, ACopyWhileTheCommandsDialogIsOpenIsWhatComesBack) {
  // The transformation stands for the wrap dialog: the user copies while it
  // is open.
  Desktop d;
  d.settings.RestoreClipboard = true;
  d.desk.ReplaceClipboard(u"old");
  d.editor().SetText(u"x word y");
  d.editor().Select(2, 6);
  d.engine->StartSelectionCapture(true, [&](const WideText& s) {
    d.desk.ReplaceClipboard(u"copied in the dialog");
    return std::optional<SelectionResult>(SelectionResult(u"<" + s + u">"));
  });
  d.desk.RunUntilIdle();
  EXPECT_EQ(d.editor().text, u"x <word> y");
  EXPECT_EQ(d.desk.clipboard_text, u"copied in the dialog");
}

TEST(RealDesktop, TheCutWaitsForAReaderAndThenCopies) {
  Desktop d;
  d.settings.HasamiMode = true;
  d.editor().cut_deletes_when_clipboard_busy = true;
  d.editor().SetText(u"x word y");
  d.editor().Select(2, 6);
  d.desk.ReplaceClipboard(u"user");
  d.desk.HoldClipboard(20);  // a reader is reading the user's copy
  d.engine->RunTagCommand("Moji_B");
  d.desk.RunUntilIdle();
  EXPECT_EQ(d.editor().text, u"x <B>word</B> y");
  EXPECT_EQ(d.editor().actions.front(), EditorAction::kCopy);
}

TEST(RealDesktop, MessageModeEndsWhenTheEditorIgnoresTheCut) {
  // Sakura Editor handles WM_COPY and WM_PASTE but not WM_CUT.
  Desktop d;
  d.settings.SendMessage = 1;
  d.settings.HasamiMode = true;
  d.editor().SetText(u"x word y");
  d.editor().Select(2, 2);  // the cut gives nothing, as an ignored WM_CUT does
  d.settings.NoSelStr_TagPaste = true;
  d.desk.ReplaceClipboard(u"user");
  d.engine->RunTagCommand("Moji_B");
  d.desk.RunUntilIdle();
  EXPECT_EQ(d.editor().text, u"x word y");
  EXPECT_EQ(d.desk.beeps, 1);
  EXPECT_EQ(d.desk.clipboard_text, u"user");
}

TEST(RealDesktop, AHeldModifierEndsTheKeyUpWait) {
  Desktop d;
  d.desk.PressKey(vk::kControl);
  d.desk.PressKey(vk::kShift);
  d.settings.HasamiMode = true;
  d.editor().SetText(u"ab");
  d.editor().Select(0, 2);
  d.engine->RunTagCommand("Moji_B");  // Shift+Ctrl: the closing part, after the wait
  d.desk.Advance(InsertionEngine::kKeyUpBoundMs + 100);
  EXPECT_FALSE(d.engine->IsBusy());
  EXPECT_EQ(d.desk.beeps, 1);
  EXPECT_EQ(d.editor().text, u"ab");
  d.desk.ReleaseKey(vk::kControl);
  d.desk.ReleaseKey(vk::kShift);
  d.settings.HasamiMode = false;
  d.engine->RunTagCommand("P_Br");
  d.desk.RunUntilIdle();
  EXPECT_EQ(d.editor().text, u"<BR>");
}

TEST(RealDesktop, AHungOwnerCostsTheRestoreNotTheInsertion) {
  Desktop d;
  d.settings.RestoreClipboard = true;
  d.desk.ReplaceClipboard(u"user");
  d.desk.save_render_ms = 5000;
  d.engine->RunTagCommand("P_Br");
  d.desk.RunUntilIdle();
  EXPECT_EQ(d.editor().text, u"<BR>");
  EXPECT_EQ(d.desk.message_boxes, std::vector<std::string>{kClipboardNotRestoredMessage});
}

}  // namespace
}  // namespace tagsling::core
