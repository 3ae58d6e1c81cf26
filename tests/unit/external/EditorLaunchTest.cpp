#include "external/EditorLaunch.h"

#include <gtest/gtest.h>

#include "external/ExternalMessages.h"
#include "tests/unit/support/TextToolsFakes.h"

namespace tagsling::external {
namespace {

using texttools::testing::W;

platform::TextCodec& Codec() {
  static platform::sim::SimDesktop desk;
  return desk;
}

TEST(EditorLaunchTest, CommandLineTable) {
  struct Case {
    const char* cmd_line;
    const char* file;
    const char* expected;
  };
  const Case cases[] = {
      {"/r", "C:\\web\\a.htm", "\"C:\\Ed\\ed.exe\" /r \"C:\\web\\a.htm\""},
      {"", "C:\\web\\a.htm", "\"C:\\Ed\\ed.exe\" \"C:\\web\\a.htm\""},
      {"/r", "", "\"C:\\Ed\\ed.exe\" /r"},
      {"", "", "\"C:\\Ed\\ed.exe\""},
      {"", "C:\\My Web\\a \"b\".htm", "\"C:\\Ed\\ed.exe\" \"C:\\My Web\\a \\\"b\\\".htm\""},
  };
  for (const Case& c : cases) EXPECT_EQ(EditorCommandLine(u"C:\\Ed\\ed.exe", W(c.cmd_line), W(c.file)), W(c.expected));
  EXPECT_EQ(EditorCommandLine(u"C:\\Ed\\ed.exe", u"", u"C:\\☕\\café.htm"), u"\"C:\\Ed\\ed.exe\" \"C:\\☕\\café.htm\"");
}

TEST(EditorLaunchTest, RecognisesHidemaru) {
  EXPECT_TRUE(IsHidemaru("C:\\Hidemaru\\Hidemaru.exe"));
  EXPECT_TRUE(IsHidemaru("HIDEMARU.EXE"));
  EXPECT_FALSE(IsHidemaru("C:\\hidemaru.exe\\notepad.exe"));
  EXPECT_FALSE(IsHidemaru("C:\\Hidemaru\\hidemaru.exe.bak"));
}

TEST(EditorLaunchTest, StartPlacementOfTheDockedExample) {
  // Palette docked at the top of a 1024 x 768 screen, work area 0, 60, 1024, 740.
  std::optional<WindowPlacement> area =
      ComputeFreeArea({0, 60, 1024, 740}, {true, true, false, false, {0, 0, 1024, 60}});
  EXPECT_EQ(EditorStartPlacement("C:\\WINDOWS\\NOTEPAD.EXE", true, area), (WindowPlacement{0, 60, 1024, 680}));
  EXPECT_EQ(EditorStartPlacement("C:\\Hidemaru\\Hidemaru.exe", true, area), (WindowPlacement{0, 61, 1024, 657}));
  EXPECT_EQ(EditorStartPlacement("C:\\WINDOWS\\NOTEPAD.EXE", false, area), std::nullopt);
  EXPECT_EQ(EditorStartPlacement("C:\\WINDOWS\\NOTEPAD.EXE", true, std::nullopt), std::nullopt);
  EXPECT_EQ(EditorStartPlacement("hidemaru.exe", true, WindowPlacement{0, 0, 800, 20}), std::nullopt);
}

TEST(EditorLaunchTest, PlansTheStart) {
  settings::AppSettings settings;
  settings.EditorFile = "C:\\WINDOWS\\NOTEPAD.EXE";
  settings.EditorCmdLine = "";
  settings.EditorWindowMax = true;
  EditorLaunchRequest request{
      u"C:\\web\\a.htm", true, u"C:\\web", true, u"C:\\Tagsling\\", WindowPlacement{0, 60, 1024, 680}};

  EditorLaunchPlan plan = PlanEditorLaunch(settings, request, Codec());
  EXPECT_EQ(plan.report, u"");
  EXPECT_EQ(plan.application, u"C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(plan.command_line, u"\"C:\\WINDOWS\\NOTEPAD.EXE\" \"C:\\web\\a.htm\"");
  EXPECT_EQ(plan.directory, u"C:\\web");
  StartupBlock block;
  block.x = 0;
  block.y = 60;
  block.width = 1024;
  block.height = 680;
  EXPECT_EQ(plan.startup, block);
  EXPECT_EQ(block.flags, 0x6u);  // STARTF_USEPOSITION | STARTF_USESIZE
  EXPECT_TRUE(plan.fit_after_start);
  EXPECT_EQ(plan.failure_report, W(text::kEditorStartFailed));

  EditorLaunchRequest blank = request;
  blank.file = u"";
  blank.file_exists = false;
  settings.EditorWindowMax = false;
  plan = PlanEditorLaunch(settings, blank, Codec());
  EXPECT_EQ(plan.report, u"");
  EXPECT_EQ(plan.command_line, u"\"C:\\WINDOWS\\NOTEPAD.EXE\"");
  EXPECT_EQ(plan.startup, std::nullopt);
  EXPECT_FALSE(plan.fit_after_start);

  // A document the open dialog gave in a folder code page 932 cannot hold.
  EditorLaunchRequest named = request;
  named.file = u"C:\\été☕\\a.htm";
  named.folder = u"C:\\été☕";
  settings.EditorFile = "C:\\\x95\x5c\\ed.exe";  // 表
  plan = PlanEditorLaunch(settings, named, Codec());
  EXPECT_EQ(plan.application, u"C:\\表\\ed.exe");
  EXPECT_EQ(plan.command_line, u"\"C:\\表\\ed.exe\" \"C:\\été☕\\a.htm\"");
  EXPECT_EQ(plan.directory, u"C:\\été☕");
  named.file_exists = false;
  EXPECT_EQ(PlanEditorLaunch(settings, named, Codec()).report, EditorFileMissingMessage(u"C:\\été☕\\a.htm", Codec()));
  EXPECT_EQ(EditorFileMissingMessage(u"C:\\été☕\\a.htm", Codec()),
            W(text::kFileMissingOpen) + u"C:\\été☕\\a.htm" + W(text::kFileMissingClose));

  settings.EditorFile = "";
  EXPECT_EQ(PlanEditorLaunch(settings, blank, Codec()).report, W(EditorNotSetMessage()));
}

TEST(EditorLaunchTest, OpenDialogFilters) {
  texttools::FileDialogSpec dialog = HtmlOpenDialogSpec(u"C:\\web");
  ASSERT_EQ(dialog.filters.size(), 2u);
  EXPECT_EQ(dialog.filters[0].patterns, "*.html;*.htm");
  EXPECT_EQ(dialog.filters[1].patterns, "*.*");
  EXPECT_EQ(dialog.initial_folder, u"C:\\web");
}

}  // namespace
}  // namespace tagsling::external
