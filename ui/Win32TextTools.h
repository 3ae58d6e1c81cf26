#pragma once
// The text-input commands' context in the running program: the Win32
// InputHost (busy flags, the main window, the dialogs of TColorForm, Yes/No,
// the shell, the base-folder display), the EditorProbe (process list and
// child-window text), the file system (UTF-16 paths), and the engine's
// paste towards a captured focus. One instance, set up once while
// the main window is created; every command that works on the editor's
// document (text tools, external programs) uses it.

#include <windows.h>

#include <functional>
#include <string>

#include "core/InsertionEngine.h"
#include "platform/win32/Win32Desktop.h"
#include "settings/AppSettings.h"
#include "texttools/TextToolsContext.h"

namespace tagsling::ui {

class ColorForm;

struct TextToolsSetup {
  HINSTANCE instance = nullptr;
  HWND main = nullptr;         // TTagslingMain
  HWND application = nullptr;  // TApplication, owner of TColorForm
  platform::win32::Win32Desktop& desktop;
  core::InsertionEngine& engine;
  settings::AppSettings& settings;
  // "Html.dat", where the abbreviation commands read their snippets.
  std::string template_path;
  // Draws the base-folder display the text tools computed
  // (texttools::RefreshBaseFolderDisplay).
  std::function<void(const texttools::BaseFolderDisplay&)> show_base_folder_display;
};

// Creates TColorForm and the context. A second call replaces both.
void SetUpTextTools(const TextToolsSetup& setup);

// The context and the dialog host; SetUpTextTools must have run.
texttools::TextToolsContext& MainTextToolsContext();
ColorForm& MainColorForm();

}  // namespace tagsling::ui
