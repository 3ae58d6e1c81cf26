#pragma once
// Today's browsers (Edge, Chrome, Firefox and the other Chromium browsers):
// which top-level windows are theirs, where their page area is, which window
// already shows a document, and which of them are installed.
//
// A window is recognised by its class and the end of its title, read in
// UTF-16: Edge puts a zero-width space before the space of "Microsoft Edge"
// and Firefox an em dash before its name, and neither survives code page
// 932. Private windows and the other editions (Edge Beta, Firefox Nightly)
// are the same browsers and count as such. The class
// check keeps the other programs built on the same toolkits (editors, chat
// programs: Chrome_WidgetWin_1 is Chromium's class, not Chrome's) out of
// preview and sizing. One row per browser in kModernBrowsers: a new browser
// is one line.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "external/WindowInfo.h"
#include "platform/TextCodec.h"

namespace tagsling::external {

struct ModernBrowser {
  std::string_view name;  // as the options dialog lists it
  std::string_view class_name;
  // The title ends with one of these (the browser's name in its editions)...
  std::span<const std::u16string_view> title_suffixes;
  // ...or with one of them followed by one of these, which a private window
  // adds after the name (Chrome's "(Incognito)"); Edge marks its InPrivate
  // windows before the name instead, so its suffixes cover them.
  std::span<const std::u16string_view> private_additions;
  // The child window that covers exactly the page area, or "" when the
  // browser draws its page into its main window with the toolbars.
  std::string_view page_class;
  // The executable's "App Paths" entry that tells it is installed, or "".
  std::string_view app_paths_exe;
};

std::span<const ModernBrowser> ModernBrowsers();

// True when the window's class is one of a modern browser's: such a window
// is a browser only when RecognizeModernBrowser says so, whatever its title
// holds of the classic browsers' marks.
bool HasModernBrowserClass(const WindowInfo& window);

// The browser whose class the window has and whose suffix (with or without
// a private addition) its title ends with, when the window is also visible
// and enabled; nullptr otherwise.
const ModernBrowser* RecognizeModernBrowser(const WindowInfo& window);

// Whether a browser window titled `window_title` shows the document titled
// `document_title`: the window title begins with it and goes on with a space
// or ends there (every browser's suffix begins with a space, so "A" does not
// claim the window "About - Google Chrome"). Whatever the browser adds after
// the page's title (a tab count, a profile, "[InPrivate]", its name and
// edition, a private mark) is thereby ignored. An empty document title shows
// in no window.
bool TitleShowsDocument(std::u16string_view window_title, std::u16string_view document_title);

// The first recognised browser window (topmost first) that shows the
// document, or nullptr.
const WindowInfo* FindDocumentBrowserWindow(std::u16string_view document_title, std::span<const WindowInfo> windows);

// How much of a file is read for its title: the title belongs in the head.
inline constexpr std::size_t kTitleScanBytes = 64 * 1024;

// The title a browser shows for a document whose file starts with `html`:
// the text of the first <title> element, found with the pattern library
// (any letter case, attributes allowed), its character references decoded
// and its white space collapsed and trimmed as browsers do; or `file_name`
// when there is no title element or its text is empty.
// The title's bytes are read as UTF-8 when the file starts with the UTF-8
// byte-order mark or they are valid UTF-8, otherwise as code page 932.
std::u16string DocumentTitle(std::string_view html, std::u16string_view file_name, platform::TextCodec& codec);

// "Microsoft Edge, Google Chrome" — the browsers with an App Paths entry, in
// table order; "" when none is. `has_app_path` is asked with each
// executable name ("msedge.exe").
std::string InstalledBrowsersLine(const std::function<bool(std::string_view exe)>& has_app_path);

}  // namespace tagsling::external
