#pragma once
// The part of the text tools' Windows context that the external-program
// commands use: the editor probe (process list, child window text) and the
// input host's main-window switch, palette test and the editor's open
// dialog. The colour, folder and base-folder services of the input host
// belong to the text-input commands' own dialogs and are not offered here.

#include <windows.h>

#include "platform/Keyboard.h"
#include "texttools/TextToolsContext.h"

namespace tagsling::ui {

class Win32EditorProbe final : public texttools::EditorProbe {
 public:
  // The executable's file name from the process snapshot.
  std::string ProcessExecutableName(platform::ProcessId process) override;
  std::string ChildWindowText(platform::WindowHandle parent, const std::string& child_class) override;
};

class ExternalCommandsInputHost final : public texttools::InputHost {
 public:
  ExternalCommandsInputHost(HWND main, HWND application, platform::Keyboard& keyboard)
      : main_(main), application_(application), keyboard_(keyboard) {}

  void SetMainWindowEnabled(bool enabled) override;
  bool PaletteShowing() override;
  // The open dialog, owned by the main window; it sends the dialog-start keys
  // when it appears.
  std::optional<std::string> ShowOpenDialog(const texttools::FileDialogSpec& spec) override;

  // Not used by the external-program commands.
  void SetBusy(texttools::InputCommand, bool) override {}
  std::optional<texttools::Rgb> ShowColorDialog() override { return std::nullopt; }
  std::optional<std::string> ShowFolderPicker(const texttools::FolderPickerSpec&) override { return std::nullopt; }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  bool ShellOpen(const texttools::ShellOpenRequest&) override { return false; }
  void ShowBaseFolderDisplay(const texttools::BaseFolderDisplay&) override {}
  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }

 private:
  HWND main_;
  HWND application_;
  platform::Keyboard& keyboard_;
};

}  // namespace tagsling::ui
