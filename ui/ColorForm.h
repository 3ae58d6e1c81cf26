#pragma once
// The invisible window (class "TColorForm") that owns the program's common
// dialogs for the whole run. It is a borderless 0 x 0 window at (0, 0) that
// is never shown; the text-input commands bring it to the foreground before
// a dialog so that the dialog opens in front. It holds
// - the colour dialog, opening with the colour chosen last (black the first
//   time); custom colours live as long as the program;
// - the file dialogs of file-name, URL and text-file input, described by a
//   FileDialogSpec each. When one appears the dialog-start keys go out (Alt
//   released, Shift+Tab);
// - the folder picker of the base-folder command.
// Texts are code page 932; paths are UTF-16, as the dialogs give them.

#include <windows.h>

#include <optional>
#include <string>

#include "platform/Keyboard.h"
#include "texttools/TextToolsContext.h"
#include "win/Handles.h"

namespace tagsling::ui {

class ColorForm {
 public:
  // `owner` is the application window; the form goes with it.
  ColorForm(HWND owner, platform::Keyboard& keyboard);
  ColorForm(const ColorForm&) = delete;
  ColorForm& operator=(const ColorForm&) = delete;

  HWND Window() const { return window_.get(); }
  // The window's messages (win/Window.h): it handles none itself.
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  // The chosen file, or nullopt when cancelled.
  std::optional<platform::WideText> ShowOpenDialog(const texttools::FileDialogSpec& dialog);
  std::optional<texttools::Rgb> ShowColorDialog();
  std::optional<platform::WideText> ShowFolderPicker(const texttools::FolderPickerSpec& dialog);

 private:
  static UINT_PTR CALLBACK OpenDialogHook(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

  platform::Keyboard& keyboard_;
  win::UniqueWindow window_;
  COLORREF colour_ = RGB(0, 0, 0);
  COLORREF custom_colours_[16];
};

}  // namespace tagsling::ui
