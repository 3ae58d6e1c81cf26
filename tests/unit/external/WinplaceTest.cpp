#include "external/Winplace.h"

#include <gtest/gtest.h>

namespace tagsling::external {
namespace {

TEST(WinplaceTest, FreeAreaInEachPaletteState) {
  struct Case {
    const char* name;
    platform::Rect work_area;
    PaletteState palette;
    std::optional<WindowPlacement> expected;
  };
  const platform::Rect work = {0, 0, 1024, 738};
  const platform::Rect strip = {-4, -4, 1028, 90};
  const Case cases[] = {
      {"docked", {0, 60, 1024, 740}, {true, true, false, false, {0, 0, 1024, 60}}, WindowPlacement{0, 60, 1024, 680}},
      {"maximised strip", work, {true, false, true, false, strip}, WindowPlacement{0, 90, 1024, 648}},
      {"strip, work area beside a left taskbar",
       {60, 0, 1024, 768},
       {true, false, true, false, strip},
       WindowPlacement{60, 90, 964, 678}},
      {"floating", work, {true, false, false, false, {100, 100, 717, 190}}, std::nullopt},
      {"strip, application minimised", work, {true, false, true, true, strip}, std::nullopt},
      {"strip, hidden", work, {false, false, true, false, strip}, std::nullopt},
      {"docked, hidden", work, {false, true, false, false, strip}, std::nullopt},
      {"strip reaching the bottom", work, {true, false, true, false, {-4, -4, 1028, 738}}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ComputeFreeArea(c.work_area, c.palette), c.expected);
  }
}

WindowInfo EditorWindow(const std::string& class_name, const std::string& exe_name) {
  WindowInfo window;
  window.handle = 9;
  window.class_name = class_name;
  window.exe_name = exe_name;
  window.visible = window.enabled = true;
  return window;
}

TEST(WinplaceTest, RecognisesTheEditorByClassOrExecutable) {
  settings::AppSettings by_class;
  by_class.EditorFile = "C:\\WINDOWS\\NOTEPAD.EXE";
  by_class.EditorWindowClass = "Notepad";
  settings::AppSettings by_exe = by_class;
  by_exe.EditorWindowClass = "";

  EXPECT_TRUE(IsEditorWindow(EditorWindow("Notepad", ""), by_class, "WinNT"));
  EXPECT_FALSE(IsEditorWindow(EditorWindow("notepad", "NOTEPAD.EXE"), by_class, "Win98"));
  // Without a class: the executable's name as the process list gives it
  // (EditorProbe::ProcessExecutableName) against EditorFile's file name.
  struct Case {
    const char* exe_name;
    const char* family;
    bool editor;
  };
  const Case cases[] = {
      {"notepad.exe", "Win98", true},
      {"NOTEPAD.EXE", "Win95", true},
      {"C:\\WINDOWS\\NOTEPAD.EXE", "Win95", true},  // a system that lists full paths
      {"notepad.exe", "WinNT", false},
      {"wordpad.exe", "Win98", false},
      {"notepad.exe.bak", "Win98", false},
      {"", "Win95", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.exe_name) + " on " + c.family);
    EXPECT_EQ(IsEditorWindow(EditorWindow("X", c.exe_name), by_exe, c.family), c.editor);
  }
}

TEST(WinplaceTest, PlansTheFit) {
  settings::AppSettings settings;
  settings.EditorFile = "C:\\Hidemaru\\Hidemaru.exe";
  settings.EditorWindowClass = "Hidemaru32Class";
  const WindowPlacement area{0, 60, 1024, 680};

  WindowInfo editor = EditorWindow("Hidemaru32Class", "");
  EditorFitPlan plan = PlanEditorFit(editor, settings, "WinNT", area);
  EXPECT_TRUE(plan.move);
  EXPECT_EQ(plan.window, 9u);
  EXPECT_FALSE(plan.restore_first);
  EXPECT_EQ(plan.placement, area);  // no Hidemaru adjustment when fitting

  editor.maximised = true;
  EXPECT_TRUE(PlanEditorFit(editor, settings, "WinNT", area).restore_first);

  WindowInfo minimised = EditorWindow("Hidemaru32Class", "");
  minimised.minimised = true;
  EXPECT_FALSE(PlanEditorFit(minimised, settings, "WinNT", area).move);
  EXPECT_FALSE(PlanEditorFit(EditorWindow("Hidemaru32Class", ""), settings, "WinNT", std::nullopt).move);
  EXPECT_FALSE(PlanEditorFit(EditorWindow("#32770", ""), settings, "WinNT", area).move);
  EXPECT_FALSE(PlanEditorFit(EditorWindow("Notepad", ""), settings, "WinNT", area).move);
  EXPECT_FALSE(PlanEditorFit(WindowInfo{}, settings, "WinNT", area).move);
}

}  // namespace
}  // namespace tagsling::external
