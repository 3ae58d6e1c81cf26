#pragma once
// The HTML document open in the editor, found from the editor's window:
// TeraPad's file-name box, or the window title read by four rules in order
// (text in brackets, the text before the last " - ", the text after the first
// " - ", the text after the first ": "). A candidate becomes a path only
// through ResolveHtmlFile, so every answer names an existing .htm or .html
// file.
//
// A candidate that names no file as it stands is tried once more without
// the modification mark an editor shows while the document is unsaved
// ("*", "●", "•" before the path, "(更新)" or " *" after the file name), so
// the document is found while it is being edited. A rule whose candidate
// names no file (Notepad++'s "[Administrator]") leaves the search to the
// next rule.
//
// With a base folder only the candidate's file name is used, inside the base
// folder; without one the candidate must be a full path (hold ":\"), and
// the TeraPad and colon rules take part.
//
// Titles and paths are UTF-16, so a document whose name code page 932
// cannot hold is found too. The rules' patterns work on code page 932: the
// title crosses into it through ToLosslessSjis, whose tokens hold none of
// the characters the patterns look for, and each candidate comes back
// through FromLosslessSjis unchanged.

#include <string>
#include <string_view>

#include "platform/TextCodec.h"
#include "texttools/FileSystem.h"
#include "texttools/PathText.h"

namespace tagsling::texttools {

// TeraPad's main window and the class of its file-name box.
inline constexpr std::string_view kTeraPadClass = "TTeraPadMainForm";
inline constexpr std::string_view kTeraPadEditClass = "TEdit";

// The title patterns, exactly as the pattern object gets them.
inline constexpr std::string_view kBracketTitlePattern = "[\\[].*[\\]]";
inline constexpr std::string_view kPrefixTitlePattern = "^.*[ ][-][ ]";
inline constexpr std::string_view kSuffixTitlePattern = "[ ][-][ ].*$";
inline constexpr std::string_view kColonTitlePattern = "[:][ ].*$";

// Longest title read from a window, in bytes of code page 932
// (GetWindowTextA's limit). A character code page 932 cannot hold counts
// with its token and is never cut.
inline constexpr std::size_t kTitleLimit = 254;

// An existing HTML file derived from `path` (blanks trimmed): the path itself
// when its extension is ".htm" or ".html" (any case), else the path with the
// extension ".htm", else ".html"; empty when none exists.
WideText ResolveHtmlFile(std::u16string_view path, FileSystem& files);

// What the rules read from the editor's window.
struct EditorWindowText {
  std::string class_name;
  WideText title;
  WideText terapad_file_box;  // TeraPad's "TEdit" text, read only for TeraPad
};

// Rules 1 to 5 in order; the first non-empty answer wins. `base_folder` is
// Public_Dir. Empty when no rule finds an existing HTML file.
WideText DocumentPathFromWindow(const EditorWindowText& window, std::u16string_view base_folder, FileSystem& files,
                                platform::TextCodec& codec);

// The folder of a document path as the base folder: without the trailing
// "\" (a root keeps it), blanks trimmed.
WideText DocumentFolder(std::u16string_view document_path);

}  // namespace tagsling::texttools
