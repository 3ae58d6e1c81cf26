#include "external/ExternalCommands.h"

#include <memory>

#include "core/TargetWindow.h"
#include "texttools/BaseFolder.h"
#include "texttools/PathText.h"

namespace tagsling::external {

namespace {

void Report(ExternalContext& context, const std::string& message) {
  texttools::ReportWithBracket(context.text, message);
}

void Report(ExternalContext& context, const platform::WideText& message) {
  texttools::ReportWithBracket(context.text, message);
}

const std::string& ExecutableSetting(const settings::AppSettings& settings, Browser browser) {
  return browser == Browser::kInternetExplorer ? settings.IeFile : settings.NnFile;
}

constexpr std::uint8_t kF5Key = 0x74;
// Bounds of the waits around the reload key: the user letting go of a hot
// key's modifiers, and the system taking each F5 event into the browser's
// input (then the key state shows it).
constexpr std::uint64_t kModifierReleaseWaitMs = 1000;
constexpr std::uint64_t kKeyTakenWaitMs = 500;
// How long the browser may take to come to the front, and how long it stays
// there after the key went up, so that its thread takes the key from its
// queue before the editor comes back (a busy machine delays both).
constexpr std::uint64_t kActivationWaitMs = 2000;
constexpr std::uint64_t kKeySettleMs = 100;
constexpr unsigned kKeyPollMs = 10;

// Lets messages flow until `done` or `limit_ms` have passed.
template <typename Done>
void WaitUntil(platform::Timers& timers, std::uint64_t limit_ms, Done done) {
  const std::uint64_t start = timers.NowMs();
  while (!done() && timers.NowMs() - start < limit_ms) {
    timers.ProcessPendingMessages();
    timers.Sleep(kKeyPollMs);
  }
}

// The title of the document as a browser shows it, from the start of the
// file; the file name when it cannot be read.
std::u16string ReadDocumentTitle(ExternalContext& context, const platform::WideText& path) {
  std::string error;
  std::string head;
  if (std::unique_ptr<texttools::ByteSource> source = context.text.files.OpenFile(path, error))
    head = source->ReadAt(0, kTitleScanBytes);
  return DocumentTitle(head, texttools::FileNamePart(path), context.text.platform.codec);
}

// SetForegroundWindow from a background process succeeds while its input is
// attached to the thread that owns the foreground.
void GiveForegroundTo(platform::WindowSystem& windows, platform::WindowHandle window) {
  const platform::ThreadId ours = windows.CurrentThread();
  const platform::ThreadId foreground = windows.ThreadOf(windows.ForegroundWindow());
  const bool attached = foreground != 0 && foreground != ours && windows.AttachInput(ours, foreground, true);
  windows.SetForeground(window);
  if (attached) windows.AttachInput(ours, foreground, false);
}

void ReloadBrowserWindow(ExternalContext& context, const DefaultBrowserPlan& plan, platform::WindowHandle editor) {
  platform::WindowSystem& windows = context.text.platform.windows;
  platform::Keyboard& keyboard = context.text.platform.keyboard;
  platform::Timers& timers = context.text.platform.timers;
  if (plan.restore_first) context.host.ShowWindowAs(plan.window, ShowCommand::kRestore);
  GiveForegroundTo(windows, plan.window);
  // The system may activate the window a little later: F5 pressed before it
  // is in front would go to the editor.
  WaitUntil(timers, kActivationWaitMs, [&] { return windows.ForegroundWindow() == plan.window; });
  WaitUntil(timers, kModifierReleaseWaitMs, [&] {
    return !keyboard.IsKeyDown(platform::vk::kShift) && !keyboard.IsKeyDown(platform::vk::kControl) &&
           !keyboard.IsKeyDown(platform::vk::kAlt);
  });
  // Injected keys reach whichever window is in front when the system takes
  // them from the input stream: the editor must not come back before both
  // events have gone to the browser (Notepad would insert the date on F5).
  const std::uint8_t scan = keyboard.ScanCodeOf(kF5Key);
  keyboard.SendKeyEvent({kF5Key, scan, false});
  WaitUntil(timers, kKeyTakenWaitMs, [&] { return keyboard.IsKeyDown(kF5Key); });
  keyboard.SendKeyEvent({kF5Key, scan, true});
  WaitUntil(timers, kKeyTakenWaitMs, [&] { return !keyboard.IsKeyDown(kF5Key); });
  WaitUntil(timers, kKeySettleMs, [] { return false; });
  GiveForegroundTo(windows, editor);
}

// The chosen window with what the decisions need to know about it.
WindowInfo ChosenWindow(ExternalContext& context, WindowChoice choice) {
  platform::WindowSystem& windows = context.text.platform.windows;
  platform::WindowHandle window = choice == WindowChoice::kTarget
                                      ? core::ResolveTargetWindow(windows, context.text.through_classes)
                                      : windows.ForegroundWindow();
  return DescribeWindow(windows, window);
}

}  // namespace

void RunExternalTool(ExternalContext& context, int entry) {
  settings::ToolEntry tool = context.host.ReadTool(entry);
  DocumentLookup lookup = [&context](bool want_folder) {
    return texttools::GetEditorDocumentPath(context.text, want_folder);
  };
  std::optional<ShellStart> start =
      PlanExternalTool(tool, context.text.settings.Public_Dir, lookup, context.text.platform.codec);
  if (!start) return;
  std::intptr_t result = context.host.StartThroughShell(*start);
  if (ShellStartFailed(result)) Report(context, ToolStartFailedMessage(tool, result));
}

void PreviewCommand(ExternalContext& context, Browser browser) {
  if (ExecutableSetting(context.text.settings, browser).empty()) {
    Report(context, BrowserNotSetMessage(browser));
    return;
  }
  PreviewInBrowser(context, browser, texttools::GetEditorDocumentPath(context.text, false));
}

void PreviewInBrowser(ExternalContext& context, Browser browser, const platform::WideText& document_path) {
  platform::TextCodec& codec = context.text.platform.codec;
  const std::string& executable = ExecutableSetting(context.text.settings, browser);
  bool exists = !executable.empty() && context.text.files.FileExists(codec.SjisToWide(executable));
  std::vector<WindowInfo> windows = DescribeTopLevelWindows(context.text.platform.windows);
  BrowserPreviewPlan plan = PlanBrowserPreview(browser, executable, exists, document_path, windows, codec);
  ExternalHost& host = context.host;
  switch (plan.action) {
    case BrowserPreviewPlan::Action::kNothing:
      return;
    case BrowserPreviewPlan::Action::kReport:
      Report(context, plan.message);
      return;
    case BrowserPreviewPlan::Action::kStartBrowser:
      if (ShellStartFailed(host.StartThroughShell(plan.start))) Report(context, plan.message);
      return;
    case BrowserPreviewPlan::Action::kDriveWindow:
      break;
  }
  host.ShowWindowAs(plan.window, plan.show_maximized ? ShowCommand::kShowMaximized : ShowCommand::kShowNormal);
  context.text.platform.windows.SetForeground(plan.window);
  for (const DdeConversation& conversation : plan.conversations) {
    bool connected = host.ConnectDde(conversation.service, conversation.topic);
    if (!connected && host.RunCommand(plan.server_start_command))
      connected = host.ConnectDde(conversation.service, conversation.topic);
    if (!connected) continue;
    host.RequestDde(conversation.item, kDdeTimeoutMs);
    host.DisconnectDde();
  }
}

void PreviewInDefaultBrowserCommand(ExternalContext& context) {
  platform::WindowSystem& windows = context.text.platform.windows;
  const platform::WindowHandle editor = core::ResolveTargetWindow(windows, context.text.through_classes);
  const platform::WideText path = texttools::GetEditorDocumentPath(context.text, false);
  if (path.empty()) return;
  const std::u16string title = ReadDocumentTitle(context, path);
  const std::vector<WindowInfo> infos = DescribeTopLevelWindows(windows);
  DefaultBrowserPlan plan = PlanDefaultBrowserPreview(path, title, infos);
  switch (plan.action) {
    case DefaultBrowserPlan::Action::kNothing:
      return;
    case DefaultBrowserPlan::Action::kOpen:
      if (ShellStartFailed(context.host.StartThroughShell(plan.start))) Report(context, plan.message);
      return;
    case DefaultBrowserPlan::Action::kReload:
      ReloadBrowserWindow(context, plan, editor);
      return;
  }
}

void ResizeBrowser(ExternalContext& context, BrowserSize size, WindowChoice choice) {
  BrowserResizePlan plan =
      PlanBrowserResize(size, context.host.ScreenWidth(), context.host.ScreenHeight(), ChosenWindow(context, choice));
  if (!plan.resize) return;
  if (plan.restore_first) context.host.ShowWindowAs(plan.window, ShowCommand::kRestore);
  BrowserSize window_size{plan.width, plan.height};
  if (plan.fit_page) {
    // Measured after the restore: a maximised frame differs from a normal one.
    platform::WindowSystem& windows = context.text.platform.windows;
    const platform::Rect page_child =
        plan.page_class.empty() ? platform::Rect{} : windows.DescendantRect(plan.window, plan.page_class);
    window_size = WindowSizeForPage(window_size, windows.WindowRect(plan.window),
                                    PageArea(page_child, windows.ClientRect(plan.window)));
  }
  context.host.ResizeWindow(plan.window, window_size.width, window_size.height);
}

std::optional<WindowPlacement> CurrentFreeArea(ExternalContext& context) {
  return ComputeFreeArea(context.host.WorkArea(), context.host.Palette());
}

void LaunchEditor(ExternalContext& context, const platform::WideText& file, const platform::WideText& folder) {
  texttools::FileSystem& files = context.text.files;
  EditorLaunchRequest request;
  request.file = file;
  request.file_exists = !file.empty() && files.FileExists(file);
  request.folder = folder;
  request.folder_exists = !folder.empty() && files.DirectoryExists(folder);
  request.own_folder = context.host.OwnFolder();
  request.free_area = CurrentFreeArea(context);
  EditorLaunchPlan plan = PlanEditorLaunch(context.text.settings, request, context.text.platform.codec);
  if (!plan.report.empty()) {
    Report(context, plan.report);
    return;
  }
  std::optional<platform::ProcessId> process = context.host.StartProcess(plan);
  if (!process) {
    Report(context, plan.failure_report);
    return;
  }
  if (!plan.fit_after_start) return;
  context.host.WaitUntilIdle(*process);
  if (core::FindProcessWindow(context.text.platform.windows, *process) != platform::kNoWindow)
    FitEditorToFreeArea(context, WindowChoice::kTarget);
}

void FitEditorToFreeArea(ExternalContext& context, WindowChoice choice) {
  WindowInfo window = ChosenWindow(context, choice);
  if (window.handle != platform::kNoWindow)
    window.exe_name = context.text.probe.ProcessExecutableName(context.text.platform.windows.ProcessOf(window.handle));
  EditorFitPlan plan =
      PlanEditorFit(window, context.text.settings, context.text.windows_family, CurrentFreeArea(context));
  if (!plan.move) return;
  if (plan.restore_first) context.host.ShowWindowAs(plan.window, ShowCommand::kRestore);
  context.host.PlaceWindow(plan.window, plan.placement);
}

void EditorNewCommand(ExternalContext& context) {
  if (context.text.settings.EditorFile.empty()) {
    Report(context, EditorNotSetMessage());
    return;
  }
  LaunchEditor(context, u"", texttools::DialogStartFolder(context.text, texttools::DialogFolder::kHtmlOpen));
}

void EditorOpenCommand(ExternalContext& context) {
  texttools::TextToolsContext& text = context.text;
  if (text.settings.EditorFile.empty()) {
    Report(context, EditorNotSetMessage());
    return;
  }
  texttools::InputHost& input = *text.host;
  platform::WindowSystem& windows = text.platform.windows;
  {
    // The open-dialog busy flag and the disabled palette, undone on every
    // way out of the dialog and the editor start.
    texttools::InputBusyScope busy(input, texttools::InputCommand::kEditorOpen);
    if (input.PaletteShowing()) {
      core::BringToFrontAttached(windows, text.self.application);
    } else {
      windows.SetForeground(text.self.application);
    }
    input.SetMainWindowEnabled(false);
    const texttools::DialogFolder folder = texttools::DialogFolder::kHtmlOpen;
    if (std::optional<platform::WideText> file =
            input.ShowOpenDialog(HtmlOpenDialogSpec(texttools::DialogStartFolder(text, folder)))) {
      texttools::RememberDialogFolder(text, folder, *file);
      LaunchEditor(context, *file, texttools::DialogStartFolder(text, folder));
    }
  }
  if (!input.PaletteShowing()) windows.SetForeground(core::ResolveTargetWindow(windows, text.through_classes));
}

}  // namespace tagsling::external
