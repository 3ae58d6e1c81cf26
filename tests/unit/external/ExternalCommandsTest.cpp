#include "external/ExternalCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "external/ExternalMessages.h"
#include "tests/unit/support/TextToolsFakes.h"

namespace tagsling::external {
namespace {

using platform::WideText;
using platform::sim::SimDesktop;
using texttools::testing::Sjis;

// Records every call in the desktop's log, so one sequence shows the host's
// steps between the window activations and message boxes.
class FakeExternalHost : public ExternalHost {
 public:
  explicit FakeExternalHost(SimDesktop& desk) : desk_(desk) {}

  std::vector<settings::ToolEntry> tools;
  std::intptr_t shell_result = 42;
  bool command_accepted = true;
  int dde_servers_after_command = 0;  // servers that answer once the command ran
  bool dde_server = false;
  std::optional<platform::ProcessId> process = 42;
  std::function<void()> on_idle;  // the started editor shows its window
  platform::Rect work_area{0, 60, 1024, 740};
  PaletteState palette{true, true, false, false, {0, 0, 1024, 60}};
  std::vector<ShellStart> shell_starts;
  std::vector<EditorLaunchPlan> launches;

  settings::ToolEntry ReadTool(int entry) override { return tools.at(entry); }
  std::intptr_t StartThroughShell(const ShellStart& start) override {
    shell_starts.push_back(start);
    Log("shell " + Sjis(start.file) + " " + Sjis(start.parameters));
    return shell_result;
  }
  bool RunCommand(const std::string& command_line) override {
    Log("run " + command_line);
    if (command_accepted) dde_server = dde_server || dde_servers_after_command > 0;
    return command_accepted;
  }
  bool ConnectDde(const std::string& service, const std::string& topic) override {
    Log("connect " + service + " " + topic + (dde_server ? "" : " (none)"));
    return dde_server;
  }
  void RequestDde(const std::string& item, unsigned timeout_ms) override {
    Log("request " + item + " " + std::to_string(timeout_ms));
  }
  void DisconnectDde() override { Log("disconnect"); }
  std::optional<platform::ProcessId> StartProcess(const EditorLaunchPlan& plan) override {
    launches.push_back(plan);
    Log("start " + Sjis(plan.command_line) + " in " + Sjis(plan.directory));
    return process;
  }
  void WaitUntilIdle(platform::ProcessId) override {
    Log("idle");
    if (on_idle) on_idle();
  }
  void ShowWindowAs(platform::WindowHandle window, ShowCommand command) override {
    static const char* const kNames[] = {"normal", "maximized", "restore"};
    Log(std::string("show ") + kNames[static_cast<int>(command)] + " " + desk_.Window(window).class_name);
  }
  void ResizeWindow(platform::WindowHandle window, int width, int height) override {
    Log("size " + desk_.Window(window).class_name + " " + std::to_string(width) + "x" + std::to_string(height));
  }
  void PlaceWindow(platform::WindowHandle window, const WindowPlacement& p) override {
    Log("place " + desk_.Window(window).class_name + " " + std::to_string(p.x) + "," + std::to_string(p.y) + " " +
        std::to_string(p.width) + "x" + std::to_string(p.height));
  }
  int ScreenWidth() override { return 1024; }
  int ScreenHeight() override { return 768; }
  platform::Rect WorkArea() override { return work_area; }
  PaletteState Palette() override { return palette; }
  WideText OwnFolder() override { return u"C:\\Tagsling\\"; }

 private:
  void Log(const std::string& line) { desk_.log.push_back(line); }
  SimDesktop& desk_;
};

// The text tools' scene (own windows, Notepad as the editor with a document
// title) with the external host beside it.
struct ExternalScene : texttools::testing::Scene {
  FakeExternalHost external{desk};
  ExternalContext context{Scene::context, external};

  ExternalScene() : Scene("C:\\web\\index.html - Notepad") {
    files.files[u"C:\\web\\index.html"] = "";
    files.folders.insert(u"C:\\web");
    desk.log.clear();
  }
  // The log lines that are not bookkeeping of the simulated desktop.
  std::vector<std::string> Steps(const std::vector<std::string>& prefixes) const {
    std::vector<std::string> steps;
    for (const std::string& line : desk.log)
      for (const std::string& prefix : prefixes)
        if (line.rfind(prefix, 0) == 0) {
          steps.push_back(line);
          break;
        }
    return steps;
  }
};

TEST(ExternalCommandsTest, RunsAToolWithTheEditorsDocument) {
  ExternalScene scene;
  scene.external.tools = {{"Tidy", "C:\\tools\\tidy.exe", "-m %f -o %d", ""}};
  RunExternalTool(scene.context, 0);
  ASSERT_EQ(scene.external.shell_starts.size(), 1u);
  EXPECT_EQ(scene.external.shell_starts[0], (ShellStart{u"open", u"C:\\tools\\tidy.exe",
                                                        u"-m \"C:\\web\\index.html\" -o \"C:\\web\"", u"C:\\tools\\"}));
  EXPECT_TRUE(scene.desk.message_boxes.empty());

  // The shell refuses: the report names the file, the code and the title.
  scene.external.shell_result = 2;
  RunExternalTool(scene.context, 0);
  ASSERT_EQ(scene.desk.message_boxes.size(), 1u);
  EXPECT_EQ(scene.desk.message_boxes[0], ToolStartFailedMessage(scene.external.tools[0], 2));
}

TEST(ExternalCommandsTest, AToolNeedsTheEditorOnlyWhenItsTemplateSaysSo) {
  ExternalScene scene;
  scene.desk.Window(scene.editor).minimised = true;  // no editor window to read
  scene.external.tools = {{"Up", "C:\\up.exe", "%F", ""}, {"Plain", "C:\\plain.exe", "--all", "D:\\work"}};
  RunExternalTool(scene.context, 0);
  EXPECT_TRUE(scene.external.shell_starts.empty());
  EXPECT_EQ(scene.desk.message_boxes.size(), 1u);  // the lookup's own report

  RunExternalTool(scene.context, 1);
  ASSERT_EQ(scene.external.shell_starts.size(), 1u);
  EXPECT_EQ(scene.external.shell_starts[0], (ShellStart{u"open", u"C:\\plain.exe", u"--all", u"D:\\work"}));
}

TEST(ExternalCommandsTest, PreviewDrivesAnOpenBrowserThroughDde) {
  ExternalScene scene;
  scene.settings.IeFile = "C:\\IE\\IEXPLORE.EXE";
  scene.files.files[u"C:\\IE\\IEXPLORE.EXE"] = "";
  platform::WindowHandle browser = scene.desk.AddWindow("IEFrame", 9, 90);
  scene.desk.Window(browser).title = "index - Microsoft Internet Explorer";
  scene.external.dde_servers_after_command = 1;  // the server answers once started

  PreviewCommand(scene.context, Browser::kInternetExplorer);
  EXPECT_EQ(scene.Steps({"show", "foreground", "connect", "run", "request", "disconnect"}),
            (std::vector<std::string>{
                "show normal IEFrame",
                "foreground IEFrame",
                "connect Iexplore WWW_OpenURL (none)",
                "run \"c:\\ie\\iexplore\" -nohome",
                "connect Iexplore WWW_OpenURL",
                "request \"file:C:\\web\\index.html\",,-1,,,,, 10000",
                "disconnect",
                "connect Iexplore WWW_Activate",
                "request 0xFFFFFFFF,0x0 10000",
                "disconnect",
            }));
  EXPECT_TRUE(scene.desk.message_boxes.empty());
}

TEST(ExternalCommandsTest, PreviewStartsTheBrowserOrReports) {
  ExternalScene scene;
  PreviewCommand(scene.context, Browser::kNetscapeNavigator);  // NnFile empty
  ASSERT_EQ(scene.desk.message_boxes.size(), 1u);
  EXPECT_EQ(scene.desk.message_boxes[0], text::kNnNotSet);

  scene.settings.NnFile = "C:\\NS\\netscape.exe";
  PreviewCommand(scene.context, Browser::kNetscapeNavigator);  // the file is missing
  ASSERT_EQ(scene.desk.message_boxes.size(), 2u);
  EXPECT_EQ(scene.desk.message_boxes[1], text::kNnCannotRun);
  EXPECT_TRUE(scene.external.shell_starts.empty());

  // A Composer window is no preview target: the browser is started.
  scene.files.files[u"C:\\NS\\netscape.exe"] = "";
  platform::WindowHandle composer = scene.desk.AddWindow("Composer", 9, 90);
  scene.desk.Window(composer).title = "Netscape Composer - [index.html]";
  PreviewCommand(scene.context, Browser::kNetscapeNavigator);
  ASSERT_EQ(scene.external.shell_starts.size(), 1u);
  EXPECT_EQ(scene.external.shell_starts[0],
            (ShellStart{u"open", u"C:\\NS\\netscape.exe", u"\"C:\\web\\index.html\"", u"C:\\web\\"}));
  EXPECT_EQ(scene.desk.message_boxes.size(), 2u);

  scene.external.shell_result = 31;
  PreviewCommand(scene.context, Browser::kNetscapeNavigator);
  ASSERT_EQ(scene.desk.message_boxes.size(), 3u);
  EXPECT_EQ(scene.desk.message_boxes[2], text::kNnCannotRun);
}

TEST(ExternalCommandsTest, ResizesTheTargetOrForegroundBrowser) {
  ExternalScene scene;
  platform::WindowHandle browser = scene.desk.AddWindow("IEFrame", 9, 90);
  scene.desk.Window(browser).title = "index - Microsoft Internet Explorer";
  scene.desk.Window(browser).maximised = true;
  scene.desk.Window(browser).rect = {-4, -4, 1028, 744};

  // The target is Notepad, the topmost candidate below the palette.
  ResizeBrowser(scene.context, kBrowserSizes[1], WindowChoice::kTarget);
  EXPECT_TRUE(scene.Steps({"show", "size"}).empty());

  scene.desk.SetForeground(browser);
  ResizeBrowser(scene.context, kBrowserSizes[1], WindowChoice::kForeground);
  EXPECT_EQ(scene.Steps({"show", "size"}), (std::vector<std::string>{"show restore IEFrame", "size IEFrame 808x580"}));
}

TEST(ExternalCommandsTest, SizesTheChosenSizeIntoAModernBrowsersPageArea) {
  ExternalScene scene;
  platform::WindowHandle chrome = scene.desk.AddWindow("Chrome_WidgetWin_1", 9, 90);
  scene.desk.SetWideTitle(chrome, u"Page - Google Chrome");
  // 8-pixel invisible borders, 87 pixels of tab strip and toolbar.
  scene.desk.Window(chrome).rect = {92, 42, 1108, 822};
  scene.desk.Window(chrome).client = {100, 42, 1100, 814};
  scene.desk.Window(chrome).descendants = {{"Chrome_RenderWidgetHostHWND", {100, 129, 1100, 814}}};
  platform::WindowHandle firefox = scene.desk.AddWindow("MozillaWindowClass", 8, 80);
  scene.desk.SetWideTitle(firefox, u"Page \u2014 Mozilla Firefox");
  scene.desk.Window(firefox).rect = {92, 42, 1108, 822};
  scene.desk.Window(firefox).client = {100, 42, 1100, 814};
  scene.desk.Window(firefox).maximised = true;
  platform::WindowHandle code = scene.desk.AddWindow("Chrome_WidgetWin_1", 7, 70);
  scene.desk.SetWideTitle(code, u"Netscape.md - Visual Studio Code");

  scene.desk.SetForeground(chrome);
  ResizeBrowser(scene.context, kBrowserSizes[1], WindowChoice::kForeground);
  scene.desk.SetForeground(firefox);
  ResizeBrowser(scene.context, kBrowserSizes[0], WindowChoice::kForeground);
  scene.desk.SetForeground(code);
  ResizeBrowser(scene.context, kBrowserSizes[0], WindowChoice::kForeground);
  EXPECT_EQ(scene.Steps({"show", "size"}),
            (std::vector<std::string>{"size Chrome_WidgetWin_1 816x695", "show restore MozillaWindowClass",
                                      "size MozillaWindowClass 656x488"}));
}

TEST(ExternalCommandsTest, DefaultBrowserPreviewReloadsTheWindowShowingTheDocument) {
  ExternalScene scene;
  scene.files.files[u"C:\\web\\index.html"] = "<html><head><title>My page</title>";
  platform::WindowHandle other = scene.desk.AddWindow("Chrome_WidgetWin_1", 9, 90);
  scene.desk.SetWideTitle(other, u"My page - Visual Studio Code");
  platform::WindowHandle edge = scene.desk.AddWindow("Chrome_WidgetWin_1", 9, 91);
  scene.desk.SetWideTitle(edge, u"My page and 2 more pages - Personal - Microsoft\u200B Edge");
  scene.desk.Window(edge).minimised = true;
  // The user still holds the hot key's Ctrl for a moment.
  scene.desk.PressKey(platform::vk::kControl);
  scene.desk.At(300, [&] { scene.desk.ReleaseKey(platform::vk::kControl); });
  scene.desk.log.clear();

  PreviewInDefaultBrowserCommand(scene.context);
  std::vector<std::string> steps = scene.Steps({"show", "foreground", "key", "shell"});
  EXPECT_EQ(steps, (std::vector<std::string>{"show restore Chrome_WidgetWin_1", "foreground Chrome_WidgetWin_1",
                                             "key 74 down", "key 74 up", "foreground Notepad"}));
  EXPECT_GE(scene.desk.NowMs(), 300u);  // F5 went only after Ctrl was up
  EXPECT_EQ(scene.desk.ForegroundWindow(), scene.editor);
  EXPECT_TRUE(scene.external.shell_starts.empty());
  EXPECT_TRUE(scene.desk.message_boxes.empty());
}

TEST(ExternalCommandsTest, DefaultBrowserPreviewOpensTheDocumentOrReports) {
  ExternalScene scene;
  // A Chrome window with another page, and no title in the file: the file
  // name is looked for, and not found.
  platform::WindowHandle chrome = scene.desk.AddWindow("Chrome_WidgetWin_1", 9, 90);
  scene.desk.SetWideTitle(chrome, u"index - Google Chrome");
  PreviewInDefaultBrowserCommand(scene.context);
  ASSERT_EQ(scene.external.shell_starts.size(), 1u);
  EXPECT_EQ(scene.external.shell_starts[0], (ShellStart{u"open", u"C:\\web\\index.html", u"", u"C:\\web\\"}));
  EXPECT_TRUE(scene.Steps({"key"}).empty());
  EXPECT_TRUE(scene.desk.message_boxes.empty());

  scene.external.shell_result = 31;
  PreviewInDefaultBrowserCommand(scene.context);
  ASSERT_EQ(scene.desk.message_boxes.size(), 1u);
  EXPECT_EQ(scene.desk.message_boxes[0], text::kDefaultBrowserCannotRun);
  EXPECT_EQ(scene.desk.SjisToWide(text::kDefaultBrowserCannotRun),
            u"\u65e2\u5b9a\u306e\u30d6\u30e9\u30a6\u30b6\u3092\u5b9f\u884c\u3067\u304d\u307e\u305b\u3093\u3067"
            u"\u3057\u305f\u3002\u30d5\u30a1\u30a4\u30eb\u306e\u95a2\u9023\u4ed8\u3051\u3092\u78ba\u8a8d\u3057"
            u"\u3066\u4e0b\u3055\u3044\u3002");

  // No document: the lookup reports, nothing starts.
  scene.desk.Window(scene.editor).title = "Untitled - Notepad";
  PreviewInDefaultBrowserCommand(scene.context);
  EXPECT_EQ(scene.external.shell_starts.size(), 2u);
  EXPECT_EQ(scene.desk.message_boxes.size(), 2u);
}

TEST(ExternalCommandsTest, NewDocumentStartsTheEditorInTheFreeArea) {
  ExternalScene scene;
  scene.settings.HtmlOpenDir = "C:\\gone";
  platform::WindowHandle started = platform::kNoWindow;
  scene.external.on_idle = [&] {
    started = scene.desk.AddWindow("Notepad", 42, 420);
    scene.desk.BringToTop(started);
    scene.desk.BringToTop(scene.self.application);
    scene.desk.BringToTop(scene.self.main);
  };

  EditorNewCommand(scene.context);
  ASSERT_EQ(scene.external.launches.size(), 1u);
  const EditorLaunchPlan& plan = scene.external.launches[0];
  EXPECT_EQ(plan.application, u"C:\\Windows\\notepad.exe");
  ASSERT_TRUE(plan.startup);
  EXPECT_EQ((WindowPlacement{plan.startup->x, plan.startup->y, plan.startup->width, plan.startup->height}),
            (WindowPlacement{0, 60, 1024, 680}));
  EXPECT_EQ(scene.Steps({"start", "idle", "place"}),
            (std::vector<std::string>{"start \"C:\\Windows\\notepad.exe\" in C:\\Tagsling\\", "idle",
                                      "place Notepad 0,60 1024x680"}));
  EXPECT_NE(started, platform::kNoWindow);
}

TEST(ExternalCommandsTest, EditorStartWithoutPlacementOrFailing) {
  ExternalScene scene;
  scene.settings.EditorWindowMax = false;
  scene.external.palette = {true, false, false, false, {100, 100, 717, 190}};  // floating: no free area
  LaunchEditor(scene.context, u"C:\\web\\index.html", u"C:\\web");
  ASSERT_EQ(scene.external.launches.size(), 1u);
  EXPECT_FALSE(scene.external.launches[0].startup);
  EXPECT_EQ(scene.Steps({"start", "idle", "place"}),
            (std::vector<std::string>{"start \"C:\\Windows\\notepad.exe\" \"C:\\web\\index.html\" in C:\\web"}));

  scene.external.process = std::nullopt;
  LaunchEditor(scene.context, u"", u"C:\\web");
  ASSERT_EQ(scene.desk.message_boxes.size(), 1u);
  EXPECT_EQ(scene.desk.message_boxes[0], text::kEditorStartFailed);

  LaunchEditor(scene.context, u"C:\\web\\none.html", u"C:\\web");
  EXPECT_EQ(scene.external.launches.size(), 2u);
  ASSERT_EQ(scene.desk.wide_message_boxes.size(), 2u);
  EXPECT_EQ(scene.desk.wide_message_boxes[1], EditorFileMissingMessage(u"C:\\web\\none.html", scene.desk));
}

TEST(ExternalCommandsTest, OpenCommandRemembersTheFolderAndStartsTheEditor) {
  ExternalScene scene;
  scene.settings.EditorWindowMax = false;
  scene.settings.HtmlOpenDir = "C:\\start";
  scene.host.open_dialog_answer = u"C:\\web\\index.html";
  EditorOpenCommand(scene.context);
  ASSERT_EQ(scene.host.open_dialogs.size(), 1u);
  EXPECT_EQ(scene.host.open_dialogs[0].initial_folder, u"C:\\start");
  EXPECT_EQ(scene.settings.HtmlOpenDir, "C:\\web");
  EXPECT_EQ(scene.Steps({"start"}),
            (std::vector<std::string>{"start \"C:\\Windows\\notepad.exe\" \"C:\\web\\index.html\" in C:\\web"}));
  // The editor starts while the palette is still disabled and busy.
  EXPECT_EQ(scene.host.events, (std::vector<std::string>{"busy 5", "disable", "dialog", "enable", "idle 5"}));

  // Cancelled: nothing starts, the folder stays.
  scene.host.open_dialog_answer = std::nullopt;
  EditorOpenCommand(scene.context);
  EXPECT_EQ(scene.external.launches.size(), 1u);
  EXPECT_EQ(scene.settings.HtmlOpenDir, "C:\\web");

  scene.settings.EditorFile = "";
  EditorOpenCommand(scene.context);
  EXPECT_EQ(scene.host.open_dialogs.size(), 2u);
  ASSERT_EQ(scene.desk.message_boxes.size(), 1u);
  EXPECT_EQ(scene.desk.message_boxes[0], EditorNotSetMessage());
}

TEST(ExternalCommandsTest, OpenCommandGivesThePaletteBackWhenTheDialogFails) {
  ExternalScene scene;
  scene.host.open_dialog_throws = true;
  EXPECT_THROW(EditorOpenCommand(scene.context), std::runtime_error);
  EXPECT_EQ(scene.host.events, (std::vector<std::string>{"busy 5", "disable", "dialog", "enable", "idle 5"}));
  EXPECT_TRUE(scene.external.launches.empty());
}

TEST(ExternalCommandsTest, FitsOnlyTheEditor) {
  ExternalScene scene;
  scene.desk.Window(scene.editor).maximised = true;
  FitEditorToFreeArea(scene.context, WindowChoice::kTarget);
  EXPECT_EQ(scene.Steps({"show", "place"}),
            (std::vector<std::string>{"show restore Notepad", "place Notepad 0,60 1024x680"}));

  scene.desk.log.clear();
  platform::WindowHandle dialog = scene.desk.AddWindow("#32770", 9, 90);
  scene.desk.SetForeground(dialog);
  FitEditorToFreeArea(scene.context, WindowChoice::kForeground);
  scene.external.palette.visible = false;
  FitEditorToFreeArea(scene.context, WindowChoice::kTarget);
  EXPECT_TRUE(scene.Steps({"show", "place"}).empty());
}

// Documents and files whose names code page 932 cannot hold: the editor's
// title names them, the tools, the default browser and the editor get them
// unchanged; the classic browsers, which read DDE items as code page 932,
// are started with the path instead.
TEST(ExternalCommandsTest, DocumentsNamedOutsideCodePage932) {
  ExternalScene scene;
  const WideText document = u"C:\\Café ☕\\😀.html";
  scene.desk.Window(scene.editor).wide_title = document + u" - Notepad";
  scene.files.files[document] = "<title></title>";
  scene.files.folders.insert(u"C:\\Café ☕");
  scene.external.tools = {{"Tidy", "C:\\tools\\tidy.exe", "-m %f -o %d", ""}};
  RunExternalTool(scene.context, 0);
  ASSERT_EQ(scene.external.shell_starts.size(), 1u);
  EXPECT_EQ(scene.external.shell_starts[0].parameters, u"-m \"C:\\Café ☕\\😀.html\" -o \"C:\\Café ☕\"");

  PreviewInDefaultBrowserCommand(scene.context);
  ASSERT_EQ(scene.external.shell_starts.size(), 2u);
  EXPECT_EQ(scene.external.shell_starts[1], (ShellStart{u"open", document, u"", u"C:\\Café ☕\\"}));

  scene.settings.IeFile = "C:\\IE\\IEXPLORE.EXE";
  scene.files.files[u"C:\\IE\\IEXPLORE.EXE"] = "";
  platform::WindowHandle browser = scene.desk.AddWindow("IEFrame", 9, 90);
  scene.desk.Window(browser).title = "x - Microsoft Internet Explorer";
  scene.external.dde_server = true;
  PreviewCommand(scene.context, Browser::kInternetExplorer);
  ASSERT_EQ(scene.external.shell_starts.size(), 3u);
  EXPECT_EQ(scene.external.shell_starts[2],
            (ShellStart{u"open", u"C:\\IE\\IEXPLORE.EXE", u"\"C:\\Café ☕\\😀.html\"", u"C:\\Café ☕\\"}));
  EXPECT_TRUE(scene.Steps({"connect", "request"}).empty());

  scene.settings.EditorWindowMax = false;
  scene.host.open_dialog_answer = document;
  EditorOpenCommand(scene.context);
  ASSERT_EQ(scene.external.launches.size(), 1u);
  EXPECT_EQ(scene.external.launches[0].command_line, u"\"C:\\Windows\\notepad.exe\" \"C:\\Café ☕\\😀.html\"");
  EXPECT_EQ(scene.external.launches[0].directory, u"C:\\Café ☕");
  // The open dialog and the new document start there for the rest of the
  // run; the settings keep the folder they held.
  EXPECT_EQ(scene.settings.HtmlOpenDir, "");
  EditorNewCommand(scene.context);
  ASSERT_EQ(scene.external.launches.size(), 2u);
  EXPECT_EQ(scene.external.launches[1].directory, u"C:\\Café ☕");
  EXPECT_TRUE(scene.desk.message_boxes.empty());
}

}  // namespace
}  // namespace tagsling::external
