// The two abbreviation commands on the simulated desktop: the palette on
// top, Notepad below it, the whole capture through the insertion engine in
// both capture modes (cut and copy), the wrap dialog scripted by the fake
// dialog host.
#include "abbrev/AbbrevCommands.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "settings/ProfileFile.h"
#include "tests/unit/support/TextToolsFakes.h"

namespace tagsling::abbrev {
namespace {

using platform::WideText;
using platform::sim::EditorAction;

// The two ways of taking the selection (HasamiSelStr): cut and copy.
constexpr int kCaptureModes[] = {0, 1};

class AbbrevCommandsTest : public ::testing::TestWithParam<int> {
 protected:
  texttools::testing::Scene scene;
  platform::sim::SimEditor& editor = scene.desk.Editor(scene.editor_control);
  core::InsertionEngine engine{scene.desk.platform(), scene.settings, [this] {
                                 core::EngineHooks hooks;
                                 hooks.through_classes = &scene.through;
                                 return hooks;
                               }()};
  // One user snippet, read through the loader at every command.
  int snippet_loads = 0;
  SnippetLoader snippets = [this] {
    ++snippet_loads;
    SnippetSources sources;
    sources.user_snippet = [](const std::string& name) -> std::optional<std::string> {
      if (name == "card") return std::string("div.card>h2+p");
      return std::nullopt;
    };
    return sources;
  };

  void SetUp() override {
    scene.settings.HasamiSelStr = GetParam();
    scene.desk.SetForeground(scene.self.main);  // the palette was clicked
  }

  // `text` in the editor with [start, end) selected.
  void Type(const std::u16string& text, std::size_t start, std::size_t end) {
    editor.SetText(text);
    editor.Select(start, end);
  }

  void Expand() {
    ASSERT_TRUE(StartAbbreviationExpansion(engine, scene.context, snippets, true));
    scene.desk.RunUntilIdle();
  }

  void Wrap(std::optional<std::string> answer) {
    scene.host.abbreviation_answer = std::move(answer);
    ASSERT_TRUE(StartAbbreviationWrap(engine, scene.context, snippets, true));
    scene.desk.RunUntilIdle();
  }

  int Pastes() const {
    int pastes = 0;
    for (EditorAction action : editor.actions) pastes += action == EditorAction::kPaste;
    return pastes;
  }
};

TEST_P(AbbrevCommandsTest, ExpandReplacesTheSelectionAndPutsTheCaretAtTheFirstPlaceToFill) {
  struct Case {
    const char16_t* abbreviation;
    const char16_t* result;  // what the selection becomes
    std::size_t caret;       // in the result, UTF-16 units
  };
  const Case kCases[] = {
      {u"ul>li*2", u"<ul>\r\n\t<li></li>\r\n\t<li></li>\r\n</ul>", 11},
      {u"a", u"<a href=\"\"></a>", 9},
      {u"card", u"<div class=\"card\">\r\n\t<h2></h2>\r\n\t<p></p>\r\n</div>", 25},
      // Nothing to fill: the caret stays after the text; text beyond code
      // page 932 comes through.
      {u"p{\U0001F600 \u20b9}", u"<p>\U0001F600 \u20b9</p>", 11},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "abbreviation " << scene.desk.WideToSjis(c.abbreviation));
    const WideText abbreviation = c.abbreviation;
    Type(u"x " + abbreviation + u" y", 2, 2 + abbreviation.size());
    Expand();
    EXPECT_EQ(editor.text, u"x " + WideText(c.result) + u" y");
    EXPECT_EQ(editor.caret, 2 + c.caret);
    EXPECT_EQ(editor.SelectionStart(), editor.SelectionEnd());
  }
  EXPECT_EQ(scene.desk.beeps, 0);
  EXPECT_EQ(snippet_loads, 4);
}

TEST_P(AbbrevCommandsTest, ExpandWithoutSelectionOnlyBeeps) {
  Type(u"ul>li*2", 7, 7);
  Expand();
  EXPECT_EQ(editor.text, u"ul>li*2");
  EXPECT_EQ(scene.desk.beeps, 1);
  EXPECT_EQ(Pastes(), 0);
  EXPECT_FALSE(engine.IsBusy());
}

TEST_P(AbbrevCommandsTest, ABadAbbreviationBeepsAndLeavesTheTextAsItWas) {
  const char16_t* kRefused[] = {u"ul>li*0", u"(a>b", u"a^^", u"div*1001", u"a[href=\U0001F600"};
  for (const char16_t* abbreviation : kRefused) {
    const int beeps = scene.desk.beeps;
    const WideText selected = abbreviation;
    Type(u"[" + selected + u"]", 1, 1 + selected.size());
    Expand();
    EXPECT_EQ(editor.text, u"[" + selected + u"]");
    EXPECT_EQ(scene.desk.beeps, beeps + 1);
    // Pasted back over itself: the caret after it, nothing selected.
    EXPECT_EQ(editor.caret, 1 + selected.size());
  }
  EXPECT_TRUE(scene.desk.message_boxes.empty());
}

TEST_P(AbbrevCommandsTest, WrapAsksThenWrapsEachLineInACopyAndRemembersTheEntry) {
  Type(u"one\r\n\U0001F600two\r\n", 0, 12);
  scene.host.events.clear();
  Wrap(" ul>li* ");
  EXPECT_EQ(editor.text, u"<ul>\r\n\t<li>one</li>\r\n\t<li>\U0001F600two</li>\r\n</ul>\r\n");
  EXPECT_EQ(scene.desk.beeps, 0);
  // The dialog came up in front, with the palette disabled and its busy flag
  // set; the paste went back to Notepad.
  EXPECT_EQ(scene.host.foreground_at_dialog, scene.dialog_host);
  const std::string busy = "busy " + std::to_string(static_cast<int>(texttools::InputCommand::kAbbreviation));
  const std::string idle = "idle " + std::to_string(static_cast<int>(texttools::InputCommand::kAbbreviation));
  EXPECT_EQ(scene.host.events, (std::vector<std::string>{busy, "disable", "dialog", "enable", idle}));
  EXPECT_EQ(scene.desk.ForegroundWindow(), scene.editor);
  EXPECT_EQ(AbbreviationHistory(scene.settings), std::vector<std::string>{"ul>li*"});
}

TEST_P(AbbrevCommandsTest, WrapPutsTheSelectionInTheInnermostElementWithTheCaretAtTheFirstPlace) {
  Type(u"Title", 0, 5);
  Wrap("a>span");
  EXPECT_EQ(editor.text, u"<a href=\"\"><span>Title</span></a>");
  EXPECT_EQ(editor.caret, 9u);
  // The dialog lists what was confirmed before, newest first.
  Type(u"x", 0, 1);
  Wrap("card");
  EXPECT_EQ(editor.text, u"<div class=\"card\">\r\n\t<h2></h2>\r\n\t<p>x</p>\r\n</div>");
  ASSERT_EQ(scene.host.abbreviation_histories.size(), 2u);
  EXPECT_EQ(scene.host.abbreviation_histories[0], std::vector<std::string>{});
  EXPECT_EQ(scene.host.abbreviation_histories[1], std::vector<std::string>{"a>span"});
}

TEST_P(AbbrevCommandsTest, CancelOrABadAbbreviationPastesTheSelectionBackUnchanged) {
  struct Case {
    std::optional<std::string> answer;
    int beeps;
  };
  const Case kCases[] = {{std::nullopt, 0}, {"ul>li*0", 1}, {"(", 1}};
  for (const Case& c : kCases) {
    const int beeps = scene.desk.beeps;
    Type(u"a \U0001F600\r\nb", 0, 6);
    Wrap(c.answer);
    EXPECT_EQ(editor.text, u"a \U0001F600\r\nb");
    EXPECT_EQ(scene.desk.beeps, beeps + c.beeps);
    EXPECT_EQ(scene.desk.ForegroundWindow(), scene.editor);
  }
  // A cancelled dialog leaves the history alone; a confirmed entry is kept
  // even when refused, so that it can be corrected.
  EXPECT_EQ(AbbreviationHistory(scene.settings), (std::vector<std::string>{"(", "ul>li*0"}));
}

TEST_P(AbbrevCommandsTest, WrapWithoutSelectionBeepsWithoutAsking) {
  Type(u"abc", 1, 1);
  Wrap("b");
  EXPECT_EQ(editor.text, u"abc");
  EXPECT_EQ(scene.desk.beeps, 1);
  EXPECT_TRUE(scene.host.abbreviation_histories.empty());
}

INSTANTIATE_TEST_SUITE_P(CutAndCopy, AbbrevCommandsTest, ::testing::ValuesIn(kCaptureModes),
                         [](const ::testing::TestParamInfo<int>& info) { return info.param == 0 ? "Cut" : "Copy"; });

// A dialog that fails is reported, and the selection still goes back.
class FailingDialogHost : public texttools::testing::FakeHost {
 public:
  std::optional<std::string> AskAbbreviation(const std::vector<std::string>&) override {
    throw std::runtime_error("no dialog");
  }
};

TEST(AbbrevCommands, AFailingDialogIsReportedAndTheCutSelectionGoesBack) {
  texttools::testing::Scene scene;
  FailingDialogHost host;
  scene.context.host = &host;
  core::InsertionEngine engine{scene.desk.platform(), scene.settings, core::EngineHooks{}};
  platform::sim::SimEditor& editor = scene.desk.Editor(scene.editor_control);
  editor.SetText(u"keep me");
  editor.Select(0, 7);
  scene.desk.SetForeground(scene.self.main);
  ASSERT_TRUE(StartAbbreviationWrap(engine, scene.context, nullptr, true));
  scene.desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"keep me");
  EXPECT_EQ(scene.desk.message_boxes, std::vector<std::string>{"no dialog"});
}

TEST(AbbrevCommands, TheHotKeyMenuFormsUseTheFocusTheMenuGaveBack) {
  // Window messages to the remembered control, no target search: a
  // pass-through class would otherwise be passed over.
  texttools::testing::Scene scene;
  scene.settings.SendMessage = 1;
  scene.through.push_back("Notepad");
  core::InsertionEngine engine{scene.desk.platform(), scene.settings, [&] {
                                 core::EngineHooks hooks;
                                 hooks.through_classes = &scene.through;
                                 return hooks;
                               }()};
  platform::sim::SimEditor& editor = scene.desk.Editor(scene.editor_control);
  scene.host.abbreviation_answer = "li";
  for (const bool wrap : {false, true}) {
    editor.SetText(wrap ? u"x" : u"em");
    editor.Select(0, editor.text.size());
    scene.desk.SetForeground(scene.editor);
    engine.BeginCaretMenu(scene.editor_control);
    ASSERT_TRUE(wrap ? StartAbbreviationWrap(engine, scene.context, nullptr, false)
                     : StartAbbreviationExpansion(engine, scene.context, nullptr, false));
    engine.EndCaretMenu();
    scene.desk.RunUntilIdle();
    EXPECT_EQ(editor.text, wrap ? u"<li>x</li>" : u"<em></em>");
  }
  EXPECT_EQ(scene.desk.sent_messages.front().first, scene.editor_control);
}

TEST(AbbrevCommands, TheDialogEntryWithoutSurroundingBlanks) {
  const std::pair<std::string_view, std::string_view> kCases[] = {
      {"", ""}, {" \t ", ""}, {"ul>li*", "ul>li*"}, {"\t p{a b} ", "p{a b}"}, {"p{ }", "p{ }"}};
  for (const auto& [entry, trimmed] : kCases) EXPECT_EQ(TrimmedAbbreviation(entry), trimmed) << entry;
}

TEST(AbbrevCommands, TheHistoryKeepsTheTenNewestEntriesWithoutRepeats) {
  settings::AppSettings settings;
  EXPECT_TRUE(AbbreviationHistory(settings).empty());
  for (int i = 1; i <= 12; ++i) RememberAbbreviation(settings, "p*" + std::to_string(i));
  std::vector<std::string> expected;
  for (int i = 12; i >= 3; --i) expected.push_back("p*" + std::to_string(i));
  EXPECT_EQ(AbbreviationHistory(settings), expected);
  // Used again: moved to the front, not listed twice.
  RememberAbbreviation(settings, "p*7");
  EXPECT_EQ(AbbreviationHistory(settings).size(), 10u);
  EXPECT_EQ(AbbreviationHistory(settings)[0], "p*7");
  int sevens = 0;
  for (const std::string& entry : AbbreviationHistory(settings)) sevens += entry == "p*7";
  EXPECT_EQ(sevens, 1);
  // Places emptied by a hand edit are skipped.
  settings.AbbrevHistory[1].clear();
  EXPECT_EQ(AbbreviationHistory(settings).size(), 9u);
}

class PlainEnvironment : public settings::SettingsEnvironment {
 public:
  settings::WindowBounds MainWindowBounds() const override { return {}; }
  bool MainWindowZoomed() const override { return false; }
  bool MainWindowDocked() const override { return true; }  // the window section stays out of it
  void ApplyMainWindowPlacement(int, int, int, bool) override {}
  int GetSystemMetric(settings::SystemMetric) const override { return 0; }
  std::string WindowsDirectory() const override { return "C:\\WINDOWS"; }
  settings::OsVersion GetOsVersion() const override { return {}; }
  std::optional<std::string> ReadMachineRegistryDefault(const std::string&) const override { return std::nullopt; }
  std::string FirstCommandLineArgument() const override { return {}; }
};

TEST(AbbrevCommands, TheHistoryIsKeptInTheSettingsFile) {
  PlainEnvironment environment;
  settings::AppSettings written;
  for (const char* entry : {"ul>li*", " p{lead} ", "a[title=\"x y\"]", "\"q\""}) {
    RememberAbbreviation(written, entry);
  }
  settings::ProfileDocument file;
  ASSERT_TRUE(settings::StoreSettings(written, environment, file));
  EXPECT_EQ(file.Get("System", "AbbrevHistory0"), "\"q\"");
  EXPECT_EQ(file.Get("System", "AbbrevHistory3"), "ul>li*");
  EXPECT_EQ(file.Get("System", "AbbrevHistory4", "none"), "");
  settings::AppSettings read;
  settings::LoadSettings(read, environment, settings::ProfileDocument::FromText(file.Text()));
  EXPECT_EQ(AbbreviationHistory(read), AbbreviationHistory(written));
}

}  // namespace
}  // namespace tagsling::abbrev
