// Which window receives the tag, and the activation steps around it.
#include "core/TargetWindow.h"

#include <gtest/gtest.h>

#include "platform/sim/SimDesktop.h"

namespace tagsling::core {
namespace {

using platform::sim::SimDesktop;

struct Scene {
  SimDesktop desk;
  std::vector<std::string> through;
  // Adds a window of another program (own thread per window) below the rest.
  WindowHandle Add(const std::string& class_name) {
    static platform::ThreadId next = 10;
    ++next;
    return desk.AddWindow(class_name, next, next);
  }
  WindowHandle Resolve() { return ResolveTargetWindow(desk, through); }
};

TEST(ResolveTargetWindow, PassesOverOurWindowsAndDesktopFurniture) {
  Scene s;
  for (const char* name : SkipWindowClasses()) s.Add(name);
  WindowHandle editor = s.Add("Notepad");
  EXPECT_EQ(s.Resolve(), editor);
}

TEST(ResolveTargetWindow, NullWhenOnlyFurnitureIsLeft) {
  Scene s;
  s.Add("TTagslingMain");
  s.Add("Shell_TrayWnd");
  s.Add("Progman");
  EXPECT_EQ(s.Resolve(), platform::kNoWindow);
  Scene empty;
  EXPECT_EQ(empty.Resolve(), platform::kNoWindow);
}

TEST(ResolveTargetWindow, PassThroughListIsExactAndCaseSensitive) {
  Scene s;
  s.Add("TTagslingMain");
  WindowHandle tool = s.Add("FloatingTool");
  WindowHandle editor = s.Add("Notepad");
  s.through = {"", "floatingtool"};
  EXPECT_EQ(s.Resolve(), tool) << "a different letter case is not passed over";
  s.through.push_back("FloatingTool");
  EXPECT_EQ(s.Resolve(), editor);
  s.through = {"Floating"};
  EXPECT_EQ(s.Resolve(), tool) << "no prefix matching";
}

TEST(ResolveTargetWindow, SkipsHiddenDisabledAndMinimisedWindows) {
  Scene s;
  s.Add("TTagslingMain");
  WindowHandle hidden = s.Add("A");
  WindowHandle disabled = s.Add("B");
  WindowHandle minimised = s.Add("C");
  WindowHandle dialog = s.Add("#32770");
  s.desk.Window(hidden).visible = false;
  s.desk.Window(disabled).enabled = false;  // an application under a modal dialog
  s.desk.Window(minimised).minimised = true;
  EXPECT_EQ(s.Resolve(), dialog);
}

TEST(CaptureTargetFocus, AttachesBringsToTopReadsFocusAndDetaches) {
  Scene s;
  s.desk.AddWindow("TTagslingMain", SimDesktop::kOwnProcess, SimDesktop::kOwnThread);
  WindowHandle notepad = s.desk.AddWindow("Notepad", 5, 42);
  WindowHandle edit = s.desk.AddEditor(notepad);
  TargetFocus result = CaptureTargetFocus(s.desk, s.through);
  EXPECT_EQ(result.target, notepad);
  EXPECT_EQ(result.focus, edit);
  EXPECT_EQ(s.desk.TopWindow(), notepad);
  EXPECT_TRUE(s.desk.attached_threads().empty());
  EXPECT_EQ(s.desk.log, (std::vector<std::string>{"attach 1 42", "top Notepad", "detach 1 42"}));
}

TEST(CaptureTargetFocus, WithoutTargetTheFocusIsOurOwn) {
  Scene s;
  WindowHandle palette = s.desk.AddWindow("TTagslingMain", SimDesktop::kOwnProcess, SimDesktop::kOwnThread);
  WindowHandle button = s.desk.AddEditor(palette);
  TargetFocus result = CaptureTargetFocus(s.desk, s.through);
  EXPECT_EQ(result.target, platform::kNoWindow);
  EXPECT_EQ(result.focus, button);
}

TEST(BringToFrontAttached, BorrowsTheForegroundThreadOnlyWhenNeeded) {
  Scene s;
  WindowHandle front = s.desk.AddWindow("Front", 3, 30);
  WindowHandle same = s.desk.AddWindow("Same", 3, 30);
  WindowHandle other = s.desk.AddWindow("Other", 4, 40);
  s.desk.SetForeground(front);
  s.desk.log.clear();
  BringToFrontAttached(s.desk, same);
  EXPECT_EQ(s.desk.log, (std::vector<std::string>{"top Same"}));
  s.desk.SetForeground(same);
  s.desk.log.clear();
  BringToFrontAttached(s.desk, other);
  EXPECT_EQ(s.desk.log, (std::vector<std::string>{"attach 40 30", "top Other", "detach 40 30"}));
}

TEST(ReturnForegroundToTarget, OnlyWhenThePaletteIsNotShowing) {
  Scene s;
  SelfWindows self;
  self.main = s.desk.AddWindow("TTagslingMain", 1, 1);
  self.application = s.desk.AddWindow("TApplication", 1, 1);
  WindowHandle editor = s.desk.AddWindow("Notepad", 2, 2);
  BringSelfToForeground(s.desk, self);
  EXPECT_EQ(s.desk.ForegroundWindow(), self.application);
  ReturnForegroundToTarget(s.desk, self, s.through);
  EXPECT_EQ(s.desk.ForegroundWindow(), self.application) << "palette showing";
  s.desk.Window(self.application).minimised = true;
  ReturnForegroundToTarget(s.desk, self, s.through);
  EXPECT_EQ(s.desk.ForegroundWindow(), editor);
  s.desk.Window(self.application).minimised = false;
  s.desk.SetForeground(self.application);
  s.desk.Window(self.main).visible = false;
  ReturnForegroundToTarget(s.desk, self, s.through);
  EXPECT_EQ(s.desk.ForegroundWindow(), editor);
}

TEST(FindProcessWindow, FirstVisibleUnownedOrApplicationOwnedWindow) {
  SimDesktop desk;
  WindowHandle app = desk.AddWindow("TApplication", 9, 9);
  WindowHandle owned_by_other = desk.AddWindow("Dialog", 9, 9);
  WindowHandle hidden = desk.AddWindow("Hidden", 9, 9);
  WindowHandle owned_by_app = desk.AddWindow("TEditorMain", 9, 9);
  WindowHandle plain = desk.AddWindow("Plain", 9, 9);
  desk.Window(app).visible = false;
  desk.Window(owned_by_other).owner = plain;
  desk.Window(hidden).visible = false;
  desk.Window(owned_by_app).owner = app;
  EXPECT_EQ(FindProcessWindow(desk, 9), owned_by_app);
  desk.Window(owned_by_app).visible = false;
  EXPECT_EQ(FindProcessWindow(desk, 9), plain);
  EXPECT_EQ(FindProcessWindow(desk, 77), platform::kNoWindow) << "no stale result";
}

TEST(FormKeyDown, EscapeHidesOnlyUndockedWithTrayIconAndEscClose) {
  struct Case {
    EscapeState state;
    EscapeAction action;
  } const cases[] = {
      {{false, true, true}, EscapeAction::kHideMainWindow},
      {{true, true, true}, EscapeAction::kActivateTarget},
      {{false, false, true}, EscapeAction::kActivateTarget},
      {{false, true, false}, EscapeAction::kActivateTarget},
  };
  for (const Case& c : cases) EXPECT_EQ(DecideEscape(0x1B, c.state), c.action);
  EXPECT_EQ(DecideEscape(0x0D, {false, true, true}), EscapeAction::kNone);

  SimDesktop desk;
  desk.AddWindow("TTagslingMain", 1, 1);
  WindowHandle editor = desk.AddWindow("Notepad", 2, 2);
  EXPECT_EQ(FormKeyDown(desk, 0x1B, {}, {}), EscapeAction::kActivateTarget);
  EXPECT_EQ(desk.ForegroundWindow(), editor);
}

}  // namespace
}  // namespace tagsling::core
