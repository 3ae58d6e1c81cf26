#pragma once
// The dialog commands that insert text from outside the templates:
// file-name input (InsertFileName: a path, a link, or an IMG tag or attributes with
// the picture's size), URL input from an Internet shortcut (InsertUrl),
// text-file insertion (InsertTextFile) and the RGB colour (InsertColour).
//
// Common frame: busy flag; the application window in front; the main window
// disabled and the dialog host in front; the dialog; the target window in
// front with its focused control captured as the paste destination; the
// paste when the dialog was confirmed; the main window enabled and the flag
// cleared, also when something throws. The texts are computed by the pure
// functions below, which the unit tests and tagsling-cli use directly.
//
// The chosen file's path stays UTF-16 from the dialog to the file system
// and into the pasted text, so a name code page 932 cannot hold
// ("café☕.png") is read and inserted as it is.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "texttools/ImageSize.h"
#include "texttools/PathText.h"
#include "texttools/TextToolsContext.h"

namespace tagsling::texttools {

// ---- file-name input ----

// The markup words, upper or lower case by InsTextLower.
struct TagVocabulary {
  std::string_view element;      // IMG
  std::string_view source;       // SRC="
  std::string_view width;        // WIDTH="
  std::string_view height;       // HEIGHT="
  std::string_view alternative;  // ALT="
  std::string_view link_start;   // <A HREF="
  std::string_view link_end;     // </A>
};
const TagVocabulary& VocabularyFor(bool lower);

enum class FileInsertForm { kPath, kLink, kSizeAttributes, kImgTag };

// The form for the keys held at OK: for pictures ImageSize exclusive-or Ctrl
// asks for the size, Shift for the full tag or link; for other files only
// Shift matters (link).
FileInsertForm ChooseFileInsertForm(bool picture, bool image_size, bool ctrl, bool shift);

// The inserted text of a form: P is the path text, N the file name.
WideText FormatFileInsertText(FileInsertForm form, const TagVocabulary& words, const WideText& path,
                              const WideText& name, PictureSize size = {});

// The text for a chosen file; empty when nothing is to be inserted (the
// picture size could not be read, or the path could not be computed; the
// user has been told).
WideText BuildFileInsertText(TextToolsContext& context, const WideText& file, bool size_toggle, bool full_tag);

// The dialogs' titles and filters; the command sets the folder they start
// in (DialogStartFolder).
// The file-name dialog: title by ImageSize, seven filters.
FileDialogSpec FileNameDialogSpec(const settings::AppSettings& settings);

void InsertFileName(TextToolsContext& context);

// ---- URL input ----

FileDialogSpec UrlDialogSpec(const settings::AppSettings& settings);
// The URL itself, or with `link` a link whose text is the shortcut's file
// name with every occurrence of its extension removed.
WideText UrlInsertText(const WideText& url, const WideText& shortcut_file, bool link, bool lower);
// The URL value of section "InternetShortcut" ("" when missing or when the
// file cannot be read), as the file holds it (code page 932).
std::string ReadShortcutUrl(FileSystem& files, const WideText& shortcut_file);
void InsertUrl(TextToolsContext& context);

// ---- text-file insertion ----

inline constexpr std::size_t kTextFileLimit = 100000;
FileDialogSpec TextDialogSpec(const settings::AppSettings& settings);
// The inserted part of a file's bytes: up to the first 0x1A (Ctrl+Z) or NUL
// (where clipboard text ends).
std::string InsertableText(std::string_view bytes);
// The file's text, or the message to report: too large, missing, or the
// system's error text when it cannot be read.
struct TextFileResult {
  std::optional<std::string> text;
  std::string message;
};
TextFileResult ReadInsertTextFile(FileSystem& files, const WideText& path);
void InsertTextFile(TextToolsContext& context);

// ---- colour input ----

// "#RRGGBB" in red, green, blue order; lower-case digits when `lower`.
std::string ColorText(Rgb colour, bool lower);
void InsertColour(TextToolsContext& context);

// ---- dialog start ----

// Sent when a dialog of the host appears: Alt released if held, then
// Shift+Tab to move the dialog's focus one control back.
void SendDialogStartKeys(platform::Keyboard& keyboard);

}  // namespace tagsling::texttools
