#include "texttools/BaseFolder.h"

#include "texttools/DocumentPath.h"
#include "texttools/Messages.h"
#include "texttools/PathText.h"

namespace tagsling::texttools {

void ReportWithBracket(TextToolsContext& context, const std::string& message) {
  core::BringSelfToForeground(context.platform.windows, context.self);
  context.platform.feedback.ShowMessage(message, platform::MessageIcon::kError);
  core::ReturnForegroundToTarget(context.platform.windows, context.self, context.through_classes);
}

platform::WindowHandle FindEditorWindow(TextToolsContext& context) {
  const settings::AppSettings& settings = context.settings;
  platform::WindowSystem& windows = context.platform.windows;
  if (settings.EditorFile.empty()) return platform::kNoWindow;
  const bool by_class = !settings.EditorWindowClass.empty();
  if (!by_class && context.windows_family == "WinNT") return platform::kNoWindow;
  const std::string executable = FileNamePart(settings.EditorFile);
  for (platform::WindowHandle window : windows.TopLevelWindows()) {
    if (!windows.IsWindowVisible(window) || !windows.IsWindowEnabled(window) || windows.IsWindowMinimised(window)) {
      continue;
    }
    bool match = by_class
                     ? windows.WindowClassName(window) == settings.EditorWindowClass
                     : SameTextIgnoringCase(context.probe.ProcessExecutableName(windows.ProcessOf(window)), executable);
    if (match) return window;
  }
  return platform::kNoWindow;
}

std::string GetEditorDocumentPath(TextToolsContext& context, bool want_folder) {
  if (context.settings.EditorFile.empty()) {
    ReportWithBracket(context, kMsgNoEditorFile);
    return {};
  }
  platform::WindowHandle editor = FindEditorWindow(context);
  if (editor == platform::kNoWindow) {
    ReportWithBracket(context, kMsgNoEditorWindow);
    return {};
  }
  EditorWindowText window;
  window.class_name = context.platform.windows.WindowClassName(editor);
  window.title = context.platform.windows.WindowTitle(editor);
  if (window.class_name == kTeraPadClass && context.settings.Public_Dir.empty()) {
    window.terapad_file_box = context.probe.ChildWindowText(editor, std::string(kTeraPadEditClass));
  }
  std::string path = DocumentPathFromWindow(window, context.settings.Public_Dir, context.files);
  if (path.empty()) {
    ReportWithBracket(context, want_folder ? kMsgNoBaseFolderPath : kMsgNoHtmlFilePath);
    return {};
  }
  return want_folder ? DocumentFolder(path) : TrimBlanks(path);
}

std::string MakeInsertPath(TextToolsContext& context, const std::string& file) {
  const settings::AppSettings& settings = context.settings;
  if (!settings.SoutaiPathIns) return FileNamePart(file);
  std::string base = settings.Public_Dir;
  if (!base.empty()) {
    if (!context.files.DirectoryExists(base)) {
      context.platform.feedback.ShowMessage(kMsgRelativePathFailed, platform::MessageIcon::kError);
      return FileNamePart(file);
    }
  } else {
    base = GetEditorDocumentPath(context, true);
    if (base.empty()) return {};
  }
  if (!EndsWithBackslash(base)) base += '\\';
  return ReplaceSingleByteChar(RelativePath(base, file), '\\', '/');
}

BaseFolderDisplay ComputeBaseFolderDisplay(const settings::AppSettings& settings, int screen_width) {
  BaseFolderDisplay display;
  display.folder_text = settings.Public_Dir.empty() ? std::string(kAutomaticBaseFolder) : settings.Public_Dir;
  display.base_folder_hint = kBaseFolderHintPrefix + display.folder_text;
  display.relative_path_text = settings.SoutaiPathIns ? std::string() : std::string(kRelativePathOff);
  display.labels_visible = screen_width > 640;
  return display;
}

void RefreshBaseFolderDisplay(TextToolsContext& context) {
  settings::AppSettings& settings = context.settings;
  if (!settings.Public_Dir.empty()) {
    settings.FileNameInsDir = settings.Public_Dir;
    settings.HtmlOpenDir = settings.Public_Dir;
  }
  if (context.host)
    context.host->ShowBaseFolderDisplay(ComputeBaseFolderDisplay(settings, context.host->ScreenWidth()));
}

namespace {

// The frame of the set and clear commands: busy flag, the application in
// front, the main window disabled, and the reverse afterwards.
template <typename Body>
void RunBaseFolderCommand(TextToolsContext& context, Body body) {
  InputHost& host = *context.host;
  platform::WindowSystem& windows = context.platform.windows;
  InputBusyScope busy(host, InputCommand::kBaseFolder);
  windows.SetForeground(context.self.application);
  host.SetMainWindowEnabled(false);
  body(host);
}

}  // namespace

void SetBaseFolder(TextToolsContext& context) {
  RunBaseFolderCommand(context, [&](InputHost& host) {
    FolderPickerSpec dialog{kFolderPickerCaption, kFolderPickerText, context.settings.Public_Dir};
    if (std::optional<std::string> folder = host.ShowFolderPicker(dialog)) {
      context.settings.Public_Dir = *folder;
      RefreshBaseFolderDisplay(context);
    }
  });
  platform::WindowSystem& windows = context.platform.windows;
  windows.SetForeground(context.host->PaletteShowing() ? context.self.main
                                                       : core::ResolveTargetWindow(windows, context.through_classes));
}

void ClearBaseFolder(TextToolsContext& context) {
  RunBaseFolderCommand(context, [&](InputHost& host) {
    if (host.AskYesNo(kClearBaseFolderQuestion, kClearBaseFolderCaption)) {
      context.settings.Public_Dir.clear();
      RefreshBaseFolderDisplay(context);
    }
  });
  if (!context.host->PaletteShowing()) {
    platform::WindowSystem& windows = context.platform.windows;
    windows.SetForeground(core::ResolveTargetWindow(windows, context.through_classes));
  }
}

std::optional<ShellOpenRequest> BaseFolderOpenRequest(const std::string& folder, int open_style) {
  if (open_style == 0) return ShellOpenRequest{folder, ""};
  if (open_style == 1) return ShellOpenRequest{"explorer.exe", "/e,\"" + folder + "\""};
  return std::nullopt;
}

void OpenBaseFolder(TextToolsContext& context) {
  std::string folder = context.settings.Public_Dir;
  if (folder.empty()) folder = GetEditorDocumentPath(context, true);
  if (folder.empty()) return;
  std::optional<ShellOpenRequest> request = BaseFolderOpenRequest(folder, context.settings.KihonDirOpenStyle);
  if (!request || !context.host->ShellOpen(*request)) {
    context.platform.feedback.ShowMessage(kMsgCannotOpenBaseFolder, platform::MessageIcon::kError);
  }
}

void ToggleRelativePathInput(TextToolsContext& context, bool checked) {
  context.settings.SoutaiPathIns = !checked;
  RefreshBaseFolderDisplay(context);
}

}  // namespace tagsling::texttools
