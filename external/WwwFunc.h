#pragma once
// Browser preview and sizing: which window is a browser, the DDE requests
// that make an open browser show the document, the commands that start a
// browser's DDE server, and the size a browser window is given.
//
// The functions decide; the Windows code carries a plan out (ShowWindow,
// DdeConnect/DdeClientTransaction, WinExec, ShellExecute, SetWindowPos).

#include <array>
#include <span>
#include <string>

#include "external/BrowserWindows.h"
#include "external/ShellStart.h"
#include "external/WindowInfo.h"

namespace tagsling::external {

enum class Browser { kInternetExplorer, kNetscapeNavigator };

// The title test of preview: Internet Explorer's " - Microsoft Internet
// Explorer" (or its half-width katakana form); Netscape's "Netscape" but not
// its folder, newsgroup or Composer windows.
bool IsBrowserTitle(Browser browser, std::string_view title);
// A preview target: the title test, visible and enabled.
bool IsPreviewBrowserWindow(Browser browser, const WindowInfo& window);
// The first preview target in `windows` (topmost first), or nullptr.
const WindowInfo* FindPreviewBrowserWindow(Browser browser, std::span<const WindowInfo> windows);

// One DDE client conversation: connect to service/topic, send one
// XTYP_REQUEST for `item` in CF_TEXT, wait at most kDdeTimeoutMs, disconnect.
// The answer is not used.
struct DdeConversation {
  std::string service;
  std::string topic;
  std::string item;
  bool operator==(const DdeConversation&) const = default;
};
inline constexpr unsigned kDdeTimeoutMs = 10000;

// A DDE string handle, which carries the request's item, holds at most 255
// characters. A longer item cannot be requested at all.
inline constexpr std::size_t kDdeItemLimit = 255;
bool FitsDdeItem(std::string_view item);

// "WWW_OpenURL" with the document, then "WWW_Activate", on the browser's
// service ("Iexplore" or "Netscape"). The path goes in unchanged.
std::array<DdeConversation, 2> PreviewConversations(Browser browser, const std::string& document_path);

// The command run (WinExec, minimised without activation) when no DDE server
// answers: the executable lower-cased without ".exe" in quotes, then
// " -nohome" for Internet Explorer, or " "file:///" and the path (left open,
// so the rest of the line is one argument) for Netscape.
std::string ServerStartCommand(Browser browser, const std::string& executable, const std::string& document_path);

// "Internet Explorer の実行ファイルを指定して下さい。" and the Netscape form:
// the command's report when the browser's executable setting is empty.
std::string BrowserNotSetMessage(Browser browser);
// "... を実行できませんでした。パス設定を確認して下さい。": the executable is
// missing or the shell could not start it.
std::string BrowserCannotRunMessage(Browser browser);

// What PreviewInBrowser does.
struct BrowserPreviewPlan {
  enum class Action {
    kNothing,       // no document (its lookup has reported)
    kReport,        // show `message`, nothing else
    kDriveWindow,   // show `window`, foreground it, run `conversations` in order
    kStartBrowser,  // ShellExecute `start`; on failure show `message`
  };
  Action action = Action::kNothing;
  std::string message;

  platform::WindowHandle window = platform::kNoWindow;
  bool show_maximized = false;  // SW_SHOWMAXIMIZED, else SW_SHOWNORMAL
  // Each conversation that finds no server runs `server_start_command`
  // and, when WinExec accepted it (result above 31), connects once more.
  // Failures of a conversation are silent and do not stop the next one.
  std::array<DdeConversation, 2> conversations;
  std::string server_start_command;

  ShellStart start;
};

// The command checks an empty executable setting before it looks the
// document up (BrowserNotSetMessage); the plan repeats that check. An open
// browser window is driven through DDE unless the document's path makes the
// "WWW_OpenURL" item too long for DDE (FitsDdeItem): the browser is then
// started with the path, as when no window is open, so the whole path
// arrives.
// `executable` is the IeFile or NnFile setting and `executable_exists` tells
// whether it names an existing file; `document_path` comes from
// GetEditorDocumentPath; `windows` are the top-level windows, topmost first.
BrowserPreviewPlan PlanBrowserPreview(Browser browser, const std::string& executable, bool executable_exists,
                                      const std::string& document_path, std::span<const WindowInfo> windows);

// What "既定のブラウザで表示" (preview in the default browser) does.
struct DefaultBrowserPlan {
  enum class Action {
    kNothing,  // no document (its lookup has reported)
    kReload,   // bring `window` forward, F5, the editor back in front
    kOpen,     // ShellExecute `start`; on failure show `message`
  };
  Action action = Action::kNothing;
  platform::WindowHandle window = platform::kNoWindow;
  bool restore_first = false;  // the window is minimised: SW_RESTORE first
  ShellStart start;
  std::string message;
};

// A recognised browser window whose title shows `document_title`
// (DocumentTitle of the file) is reloaded, so repeated previews never pile
// up tabs; otherwise the document itself is opened through the shell, which
// hands it to the user's default browser, in the document's folder.
DefaultBrowserPlan PlanDefaultBrowserPreview(const std::string& document_path, std::u16string_view document_title,
                                             std::span<const WindowInfo> windows);

// The three sizes of the size commands and hot keys.
struct BrowserSize {
  int width;
  int height;
};
inline constexpr std::array<BrowserSize, 3> kBrowserSizes{{{640, 480}, {800, 600}, {1024, 768}}};

// The title test of sizing: any Internet Explorer title, or "Netscape"
// anywhere (Composer and the other Netscape windows included).
bool IsResizableBrowserTitle(std::string_view title);

// The window test of sizing: a window of a modern browser's class when that
// browser is recognised (RecognizeModernBrowser), any other window by the
// classic title test. A Chromium-based editor titled "Netscape notes" is
// thereby left alone.
bool IsResizableBrowserWindow(const WindowInfo& window);

// What ResizeBrowser does with the chosen window (the target window for the
// menu items, the foreground window for the hot keys).
struct BrowserResizePlan {
  bool resize = false;
  platform::WindowHandle window = platform::kNoWindow;
  bool restore_first = false;  // ShowWindow SW_RESTORE before sizing
  int width = 0;               // SetWindowPos with SWP_NOMOVE | SWP_NOZORDER
  int height = 0;
  // Today's browsers: `width` by `height` is the page area wanted. Once the
  // window is restored the command measures its page area (PageArea of the
  // child of `page_class`, or of the client area) and sizes the window with
  // WindowSizeForPage.
  bool fit_page = false;
  std::string page_class;
};

// Nothing when the size is not smaller than the screen in either direction,
// for no window, a dialog box, a window that is no browser
// (IsResizableBrowserWindow), a minimised window, or Internet Explorer's
// full-screen view. Otherwise a classic browser's window becomes
// width + 8 by height - 20 pixels: the frame of Internet Explorer and
// Netscape, sized as if maximised on a screen of that size. A modern
// browser's page area is fitted to width by height instead (fit_page).
BrowserResizePlan PlanBrowserResize(BrowserSize size, int screen_width, int screen_height, const WindowInfo& window);

// The page area of a modern browser's window: the rectangle of its page
// child when the browser has one and it was found (not empty), else its
// client area.
platform::Rect PageArea(const platform::Rect& page_child, const platform::Rect& client_area);

// The size SetWindowPos gives a window so that its page area comes out at
// `page`: the window keeps what it holds around its page area now (`window`
// and `page_area` in screen coordinates). The difference is measured on the
// window itself rather than assumed, because the frames of today's browsers
// differ between browsers, settings and scaling:
// - On Windows 10/11 GetWindowRect reports, and SetWindowPos sizes, a
//   rectangle that includes the invisible resize borders DWM draws outside
//   the visible frame (7 to 8 pixels at 100 % on the left, the right and the
//   bottom, more at higher scaling); the client area and the page child lie
//   inside them, so the measured difference carries them.
// - Chromium browsers keep their tab strip and toolbars (and a bookmarks bar
//   when shown) above a page child; its rectangle is the page itself, so the
//   page comes out exactly at the chosen size.
// - Firefox draws page and toolbars into one window: its client area is
//   sized, so the page width is right and the toolbars come off the height.
// Under Wine a plain overlapped stand-in window (frame 2 x 4 pixels wide,
// caption and frames 4 + 19 + 4 high) with a page child below an 80-pixel
// tool strip measures 8 x 107 around its page: 800 x 600 gives an 808 x 707
// window and an 800 x 600 page. An empty page area gives `page` unchanged.
// The system still bounds the result by the window's minimum and maximum
// tracking sizes: the page then comes out as near as the window allows.
BrowserSize WindowSizeForPage(BrowserSize page, const platform::Rect& window, const platform::Rect& page_area);

}  // namespace tagsling::external
