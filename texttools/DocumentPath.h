#pragma once
// The HTML document open in the editor, found from the editor's window:
// TeraPad's file-name box, or the window title read by four rules in order
// (text in brackets, the text before the last " - ", the text after the first
// " - ", the text after the first ": "). A candidate becomes a path only
// through ResolveHtmlFile, so every answer names an existing .htm or .html
// file.
//
// With a base folder only the candidate's file name is used, inside the base
// folder; without one the candidate must be a full path (hold ":\"), and
// the TeraPad and colon rules take part.

#include <string>
#include <string_view>

#include "texttools/FileSystem.h"

namespace tagsling::texttools {

// TeraPad's main window and the class of its file-name box.
inline constexpr std::string_view kTeraPadClass = "TTeraPadMainForm";
inline constexpr std::string_view kTeraPadEditClass = "TEdit";

// The title patterns, exactly as the pattern object gets them.
inline constexpr std::string_view kBracketTitlePattern = "[\\[].*[\\]]";
inline constexpr std::string_view kPrefixTitlePattern = "^.*[ ][-][ ]";
inline constexpr std::string_view kSuffixTitlePattern = "[ ][-][ ].*$";
inline constexpr std::string_view kColonTitlePattern = "[:][ ].*$";

// Longest title read from a window, in bytes (GetWindowTextA's limit).
inline constexpr std::size_t kTitleLimit = 254;

// An existing HTML file derived from `path` (blanks trimmed): the path itself
// when its extension is ".htm" or ".html" (any case), else the path with the
// extension ".htm", else ".html"; empty when none exists.
std::string ResolveHtmlFile(std::string_view path, FileSystem& files);

// What the rules read from the editor's window.
struct EditorWindowText {
  std::string class_name;
  std::string title;
  std::string terapad_file_box;  // TeraPad's "TEdit" text, read only for TeraPad
};

// Rules 1 to 5 in order; the first non-empty answer wins. `base_folder` is
// Public_Dir. Empty when no rule finds an existing HTML file.
std::string DocumentPathFromWindow(const EditorWindowText& window, std::string_view base_folder, FileSystem& files);

// The folder of a document path as the base folder: without the trailing
// "\" (a root keeps it), blanks trimmed.
std::string DocumentFolder(std::string_view document_path);

}  // namespace tagsling::texttools
