#pragma once
// The base folder for relative paths (Public_Dir, empty = found from the
// editor's window each time), its display, its three commands, the
// relative-path switch, and the path text that file-name input inserts.
//
// Every report of GetEditorDocumentPath goes through the report bracket;
// the reports of MakeInsertPath and OpenBaseFolder are plain message boxes.
// No failure changes a setting.
//
// Paths are UTF-16; the base folder itself is a setting (code page 932), so
// a chosen folder whose name code page 932 cannot hold is refused with a
// report and the base folder stays as it was.

#include <string>

#include "texttools/PathText.h"
#include "texttools/TextToolsContext.h"

namespace tagsling::texttools {

// The editor's main window: the first top-level window in Z order that is
// visible, enabled and not minimised and whose class is EditorWindowClass
// (IsEditorClass: exact, or another version of a versioned class), or, without a class and outside "WinNT", whose
// process runs the executable named like EditorFile's file name (any case). None when EditorFile is empty.
platform::WindowHandle FindEditorWindow(TextToolsContext& context);

// How long the document lookup waits for an editor brought to the front to
// show its active title (the full path), and how often it looks.
inline constexpr unsigned kActiveTitleWaitMs = 1500;
inline constexpr unsigned kActiveTitlePollMs = 20;

// The full path of the HTML file open in the editor, or its folder when
// `want_folder`; empty after telling the user why. When the title names no
// document while another window is in front, the editor is brought to the
// front and its title read again once it changes (at most
// kActiveTitleWaitMs).
WideText GetEditorDocumentPath(TextToolsContext& context, bool want_folder);

// The path text inserted for a chosen file: the bare file name when relative
// input is off; otherwise the path relative to the base folder (or to the
// editor document's folder) with "/" separators. Empty when the automatic
// lookup failed (the user has been told).
WideText MakeInsertPath(TextToolsContext& context, const WideText& file);

// What the display shows for the current settings and screen width.
BaseFolderDisplay ComputeBaseFolderDisplay(const settings::AppSettings& settings, int screen_width);

// Updates the display; with a base folder the remembered folders of the
// file-name and editor-open dialogs are reset to it.
void RefreshBaseFolderDisplay(TextToolsContext& context);

// The commands.
void SetBaseFolder(TextToolsContext& context);
void ClearBaseFolder(TextToolsContext& context);
void OpenBaseFolder(TextToolsContext& context);
// The relative-path switch: `checked` is the clicked item's check mark.
void ToggleRelativePathInput(TextToolsContext& context, bool checked);

// The ShellExecute call that opens a folder in the given style (0 folder
// window, 1 Explorer with its tree); nullopt for any other style.
std::optional<ShellOpenRequest> BaseFolderOpenRequest(const WideText& folder, int open_style);

// The report of a folder chosen as the base folder whose name holds
// characters the settings file cannot store: the characters, then the
// folder, as they are.
WideText BaseFolderNotStorableMessage(const WideText& folder, platform::TextCodec& codec);

}  // namespace tagsling::texttools
