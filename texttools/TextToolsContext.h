#pragma once
// Everything the text-input commands work with, handed around as one
// object. The Win32 main window fills it once: the platform services, the
// settings record, the file system, the two window queries the platform
// interface lacks, the dialog host, and the engine's paste step.
//
// Paths travel as UTF-16 (platform::WideText) from the dialogs to the file
// system and into the pasted text; settings stay code page 932.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/TargetWindow.h"
#include "platform/Platform.h"
#include "settings/AppSettings.h"
#include "texttools/FileSystem.h"

namespace tagsling::texttools {

// Window facts outside the platform's window interface.
class EditorProbe {
 public:
  virtual ~EditorProbe() = default;
  // File name of the executable of a process (from the system's process
  // list), "" when unknown.
  virtual std::string ProcessExecutableName(platform::ProcessId process) = 0;
  // Text of the first child window of `parent` with class `child_class`
  // (WM_GETTEXT, at most 255 characters); "" when there is none.
  virtual platform::WideText ChildWindowText(platform::WindowHandle parent, const std::string& child_class) = 0;
};

// The commands that run modally; the main window maps each to its busy flag.
enum class InputCommand { kFileName, kUrl, kTextFile, kColour, kBaseFolder, kEditorOpen, kAbbreviation, kCount };

// A colour as the colour dialog gives it.
struct Rgb {
  unsigned char red = 0;
  unsigned char green = 0;
  unsigned char blue = 0;
  bool operator==(const Rgb&) const = default;
};

// One filter of a file dialog: caption and pattern list ("*.htm;*.html").
struct FileFilter {
  std::string caption;
  std::string patterns;
  bool operator==(const FileFilter&) const = default;
};

// A file dialog of the dialog host. The file must exist; the read-only check
// box is hidden and the dialog can be resized.
struct FileDialogSpec {
  std::string title;
  std::vector<FileFilter> filters;
  platform::WideText initial_folder;
  bool follow_shortcuts = true;
};

// The folder picker of the base-folder command.
struct FolderPickerSpec {
  std::string caption;
  std::string text;
  platform::WideText selected;  // preselected folder
};

// What the base-folder display on the main window shows.
struct BaseFolderDisplay {
  std::string folder_text;         // the base folder or "[自動取得]"
  std::string base_folder_hint;    // "基本フォルダ - " and the same
  std::string relative_path_text;  // "" or "[相対パス入力OFF]"
  bool labels_visible = true;      // false: both drawn in the button-face colour
};

// ShellExecute for the base folder.
struct ShellOpenRequest {
  platform::WideText file;
  platform::WideText parameters;
  bool operator==(const ShellOpenRequest&) const = default;
};

// The main window and its dialog host window (TColorForm), as the commands
// need them. The host shows each dialog in the foreground and sends the
// dialog-start keys (SendDialogStartKeys) when the dialog appears.
class InputHost {
 public:
  virtual ~InputHost() = default;
  virtual void SetBusy(InputCommand command, bool busy) = 0;
  virtual void SetMainWindowEnabled(bool enabled) = 0;
  // The palette is visible and not minimised.
  virtual bool PaletteShowing() = 0;
  // Each dialog: the result, or nullopt when cancelled. Paths come back as
  // the system names them.
  virtual std::optional<platform::WideText> ShowOpenDialog(const FileDialogSpec& dialog) = 0;
  // Opens with the colour chosen last (black the first time).
  virtual std::optional<Rgb> ShowColorDialog() = 0;
  virtual std::optional<platform::WideText> ShowFolderPicker(const FolderPickerSpec& dialog) = 0;
  // The wrap command's dialog: a combo box listing `history` (newest first,
  // the newest one filled in), OK and キャンセル. The entry as typed.
  virtual std::optional<std::string> AskAbbreviation(const std::vector<std::string>& history) = 0;
  // A Yes/No question with the question icon; true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
  // ShellExecute with the verb "open" and SW_SHOW; true when it succeeded
  // (a result above 32).
  virtual bool ShellOpen(const ShellOpenRequest& request) = 0;
  virtual void ShowBaseFolderDisplay(const BaseFolderDisplay& display) = 0;
  // Screen width in pixels.
  virtual int ScreenWidth() = 0;
};

// While a command's dialog is up its busy flag is set and the main window is
// disabled (the command disables it once it has placed the foreground). The
// destructor undoes both, also when a dialog throws, so the palette is never
// left disabled or busy. Every command that sets a busy flag and disables the
// palette holds one.
class InputBusyScope {
 public:
  InputBusyScope(InputHost& host, InputCommand command) : host_(host), command_(command) {
    host_.SetBusy(command_, true);
  }
  ~InputBusyScope() {
    host_.SetMainWindowEnabled(true);
    host_.SetBusy(command_, false);
  }
  InputBusyScope(const InputBusyScope&) = delete;
  InputBusyScope& operator=(const InputBusyScope&) = delete;

 private:
  InputHost& host_;
  InputCommand command_;
};

// The folders the file dialogs start in, each the folder of the file chosen
// last in it: the "System" keys FileNameInsDir, UrlInsDir, TextInsDir and
// HtmlOpenDir.
enum class DialogFolder { kFileName, kUrl, kText, kHtmlOpen, kCount };

struct TextToolsContext {
  platform::Platform platform;
  settings::AppSettings& settings;
  FileSystem& files;
  EditorProbe& probe;
  core::SelfWindows self;
  const std::vector<std::string>& through_classes;
  // GetWindowsFamily: "WinNT", "Win95", ...
  std::string windows_family;
  // The dialog host window, TColorForm (brought to the foreground before a
  // dialog), and the host itself; may be null for code that shows no dialog.
  platform::WindowHandle dialog_host_window = platform::kNoWindow;
  InputHost* host = nullptr;
  // Puts the text on the clipboard and runs the engine's paste step towards
  // `focus`, the control captured as the paste destination.
  std::function<void(platform::WindowHandle focus, const platform::WideText& text)> paste;
  // Dialog folders the settings file cannot hold (code page 932), kept for
  // the rest of the run; empty where the settings field is current. See
  // DialogStartFolder.
  std::array<platform::WideText, static_cast<std::size_t>(DialogFolder::kCount)> unstorable_folders{};
};

// A report of the commands: a message box with the error icon between
// BringSelfToForeground and ReturnForegroundToTarget.
void ReportWithBracket(TextToolsContext& context, const std::string& message);
void ReportWithBracket(TextToolsContext& context, const platform::WideText& message);

// Where a file dialog starts: the folder remembered for this run when the
// settings file could not hold it, else the settings field.
platform::WideText DialogStartFolder(TextToolsContext& context, DialogFolder folder);
// Remembers the folder of `chosen_file` (without its trailing "\"; a root
// keeps it). The settings field takes it when code page 932 holds it;
// otherwise the field keeps the last folder it could hold, so no character
// is ever replaced in the settings file, and the dialog still starts in the
// chosen folder for the rest of the run.
void RememberDialogFolder(TextToolsContext& context, DialogFolder folder, const platform::WideText& chosen_file);
// Makes `folder_setting` (code page 932) the folder a dialog starts in.
void SetDialogFolder(TextToolsContext& context, DialogFolder folder, const std::string& folder_setting);

}  // namespace tagsling::texttools
