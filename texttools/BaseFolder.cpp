#include "texttools/BaseFolder.h"

#include <algorithm>
#include <cstdint>

#include "texttools/DocumentPath.h"
#include "texttools/EditorClass.h"
#include "texttools/LosslessSjis.h"
#include "texttools/Messages.h"
#include "texttools/PathText.h"

namespace tagsling::texttools {

namespace {

template <typename Show>
void Bracket(TextToolsContext& context, Show show) {
  core::BringSelfToForeground(context.platform.windows, context.self);
  show(context.platform.feedback);
  core::ReturnForegroundToTarget(context.platform.windows, context.self, context.through_classes);
}

std::string settings::AppSettings::*FolderSetting(DialogFolder folder) {
  switch (folder) {
    case DialogFolder::kFileName:
      return &settings::AppSettings::FileNameInsDir;
    case DialogFolder::kUrl:
      return &settings::AppSettings::UrlInsDir;
    case DialogFolder::kText:
      return &settings::AppSettings::TextInsDir;
    case DialogFolder::kHtmlOpen:
    case DialogFolder::kCount:
      break;
  }
  return &settings::AppSettings::HtmlOpenDir;
}

WideText& UnstorableFolder(TextToolsContext& context, DialogFolder folder) {
  return context.unstorable_folders[static_cast<std::size_t>(folder)];
}

// The document the editor's window names now.
WideText DocumentPathFromTitle(TextToolsContext& context, platform::WindowHandle editor) {
  EditorWindowText window;
  window.class_name = context.platform.windows.WindowClassName(editor);
  window.title = context.platform.windows.WindowTitleWide(editor);
  if (window.class_name == kTeraPadClass && context.settings.Public_Dir.empty()) {
    window.terapad_file_box = context.probe.ChildWindowText(editor, std::string(kTeraPadEditClass));
  }
  platform::TextCodec& codec = context.platform.codec;
  return DocumentPathFromWindow(window, codec.SjisToWide(context.settings.Public_Dir), context.files, codec);
}

// Some editors (Sakura Editor) show the document's full path in their title
// only while they are the active window; with the palette, a menu or one of
// our dialogs in front the title holds the file name alone. So when the
// title names no document and the editor is not in front, the editor is
// brought to the front (where the command's text or program goes next
// anyway) and its title is read again once it has changed.
WideText DocumentPathOfEditor(TextToolsContext& context, platform::WindowHandle editor) {
  WideText path = DocumentPathFromTitle(context, editor);
  platform::WindowSystem& windows = context.platform.windows;
  if (!path.empty() || windows.ForegroundWindow() == editor) return path;
  const WideText inactive_title = windows.WindowTitleWide(editor);
  core::BringToFrontAttached(windows, editor);
  platform::Timers& timers = context.platform.timers;
  const std::uint64_t start = timers.NowMs();
  while (windows.WindowTitleWide(editor) == inactive_title && timers.NowMs() - start < kActiveTitleWaitMs) {
    timers.Sleep(kActiveTitlePollMs);
  }
  return DocumentPathFromTitle(context, editor);
}

}  // namespace

void ReportWithBracket(TextToolsContext& context, const std::string& message) {
  Bracket(context, [&](platform::Feedback& feedback) { feedback.ShowMessage(message, platform::MessageIcon::kError); });
}

void ReportWithBracket(TextToolsContext& context, const WideText& message) {
  Bracket(context,
          [&](platform::Feedback& feedback) { feedback.ShowWideMessage(message, platform::MessageIcon::kError); });
}

WideText DialogStartFolder(TextToolsContext& context, DialogFolder folder) {
  const WideText& unstorable = UnstorableFolder(context, folder);
  if (!unstorable.empty()) return unstorable;
  return context.platform.codec.SjisToWide(context.settings.*FolderSetting(folder));
}

void RememberDialogFolder(TextToolsContext& context, DialogFolder folder, const WideText& chosen_file) {
  const WideText chosen_folder = FolderWithoutTrailingSeparator(chosen_file);
  if (std::optional<std::string> storable = ExactSjis(chosen_folder, context.platform.codec)) {
    SetDialogFolder(context, folder, *storable);
  } else {
    UnstorableFolder(context, folder) = chosen_folder;
  }
}

void SetDialogFolder(TextToolsContext& context, DialogFolder folder, const std::string& folder_setting) {
  context.settings.*FolderSetting(folder) = folder_setting;
  UnstorableFolder(context, folder).clear();
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
                     ? IsEditorClass(windows.WindowClassName(window), settings.EditorWindowClass)
                     : SameTextIgnoringCase(context.probe.ProcessExecutableName(windows.ProcessOf(window)), executable);
    if (match) return window;
  }
  return platform::kNoWindow;
}

WideText GetEditorDocumentPath(TextToolsContext& context, bool want_folder) {
  if (context.settings.EditorFile.empty()) {
    ReportWithBracket(context, kMsgNoEditorFile);
    return {};
  }
  platform::WindowHandle editor = FindEditorWindow(context);
  if (editor == platform::kNoWindow) {
    ReportWithBracket(context, kMsgNoEditorWindow);
    return {};
  }
  WideText path = DocumentPathOfEditor(context, editor);
  if (path.empty()) {
    ReportWithBracket(context, want_folder ? kMsgNoBaseFolderPath : kMsgNoHtmlFilePath);
    return {};
  }
  return want_folder ? DocumentFolder(path) : TrimBlanks(path);
}

WideText MakeInsertPath(TextToolsContext& context, const WideText& file) {
  const settings::AppSettings& settings = context.settings;
  if (!settings.SoutaiPathIns) return FileNamePart(file);
  WideText base = context.platform.codec.SjisToWide(settings.Public_Dir);
  if (!base.empty()) {
    if (!context.files.DirectoryExists(base)) {
      context.platform.feedback.ShowMessage(kMsgRelativePathFailed, platform::MessageIcon::kError);
      return FileNamePart(file);
    }
  } else {
    base = GetEditorDocumentPath(context, true);
    if (base.empty()) return {};
  }
  if (!EndsWithBackslash(base)) base += u'\\';
  WideText relative = RelativePath(base, file);
  std::replace(relative.begin(), relative.end(), u'\\', u'/');
  return relative;
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
    SetDialogFolder(context, DialogFolder::kFileName, settings.Public_Dir);
    SetDialogFolder(context, DialogFolder::kHtmlOpen, settings.Public_Dir);
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
    platform::TextCodec& codec = context.platform.codec;
    FolderPickerSpec dialog{kFolderPickerCaption, kFolderPickerText, codec.SjisToWide(context.settings.Public_Dir)};
    std::optional<WideText> folder = host.ShowFolderPicker(dialog);
    if (!folder) return;
    if (std::optional<std::string> storable = ExactSjis(*folder, codec)) {
      context.settings.Public_Dir = *storable;
      RefreshBaseFolderDisplay(context);
    } else {
      context.platform.feedback.ShowWideMessage(BaseFolderNotStorableMessage(*folder, codec),
                                                platform::MessageIcon::kError);
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

std::optional<ShellOpenRequest> BaseFolderOpenRequest(const WideText& folder, int open_style) {
  if (open_style == 0) return ShellOpenRequest{folder, u""};
  if (open_style == 1) return ShellOpenRequest{u"explorer.exe", u"/e,\"" + folder + u"\""};
  return std::nullopt;
}

WideText BaseFolderNotStorableMessage(const WideText& folder, platform::TextCodec& codec) {
  return codec.SjisToWide(kBaseFolderNotStorableOpen) + CharactersOutsideCp932(folder, codec) +
         codec.SjisToWide(kBaseFolderNotStorableClose) + u"\r\n\r\n" + folder;
}

void OpenBaseFolder(TextToolsContext& context) {
  WideText folder = context.platform.codec.SjisToWide(context.settings.Public_Dir);
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
