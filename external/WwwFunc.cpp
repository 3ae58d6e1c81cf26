#include "external/WwwFunc.h"

#include "common/Sjis.h"
#include "external/ExternalMessages.h"
#include "external/PathText.h"
#include "texttools/PathText.h"

namespace tagsling::external {

namespace {

constexpr const char* kDialogClass = "#32770";
constexpr const char* kOpenUrlTopic = "WWW_OpenURL";
constexpr const char* kActivateTopic = "WWW_Activate";
constexpr const char* kActivateItem = "0xFFFFFFFF,0x0";

bool HasIeMark(std::string_view title) {
  return ContainsText(title, text::kIeTitleMark) || ContainsText(title, text::kIeTitleMarkKana);
}

const char* ServiceOf(Browser browser) { return browser == Browser::kInternetExplorer ? "Iexplore" : "Netscape"; }

}  // namespace

bool IsBrowserTitle(Browser browser, std::string_view title) {
  if (browser == Browser::kInternetExplorer) return HasIeMark(title);
  return ContainsText(title, text::kNetscapeTitleMark) && !ContainsText(title, text::kNetscapeFolders) &&
         !ContainsText(title, text::kNetscapeNewsgroups) && !ContainsText(title, text::kNetscapeComposer);
}

bool IsPreviewBrowserWindow(Browser browser, const WindowInfo& window) {
  return window.visible && window.enabled && IsBrowserTitle(browser, window.title);
}

const WindowInfo* FindPreviewBrowserWindow(Browser browser, std::span<const WindowInfo> windows) {
  for (const WindowInfo& window : windows)
    if (IsPreviewBrowserWindow(browser, window)) return &window;
  return nullptr;
}

std::array<DdeConversation, 2> PreviewConversations(Browser browser, const std::string& document_path) {
  std::string open_item(browser == Browser::kInternetExplorer ? "\"file:" : "\"file:///");
  open_item.append(document_path);
  open_item.append(browser == Browser::kInternetExplorer ? "\",,-1,,,,," : "\",,0xFFFFFFFF,0x3,,,");
  return {
      {{ServiceOf(browser), kOpenUrlTopic, std::move(open_item)}, {ServiceOf(browser), kActivateTopic, kActivateItem}}};
}

bool FitsDdeItem(std::string_view item) { return SjisCharCount(item) <= kDdeItemLimit; }

std::string ServerStartCommand(Browser browser, const std::string& executable, const std::string& document_path) {
  std::string command(1, '"');
  command.append(RemoveEvery(SjisToLower(executable), ".exe"));
  if (browser == Browser::kInternetExplorer) return command.append("\" -nohome");
  return command.append("\" \"file:///").append(document_path);
}

std::string BrowserNotSetMessage(Browser browser) {
  return browser == Browser::kInternetExplorer ? text::kIeNotSet : text::kNnNotSet;
}

std::string BrowserCannotRunMessage(Browser browser) {
  return browser == Browser::kInternetExplorer ? text::kIeCannotRun : text::kNnCannotRun;
}

BrowserPreviewPlan PlanBrowserPreview(Browser browser, const std::string& executable, bool executable_exists,
                                      const std::string& document_path, std::span<const WindowInfo> windows) {
  BrowserPreviewPlan plan;
  if (executable.empty()) {
    plan.action = BrowserPreviewPlan::Action::kReport;
    plan.message = BrowserNotSetMessage(browser);
    return plan;
  }
  if (document_path.empty()) return plan;
  plan.message = BrowserCannotRunMessage(browser);
  if (!executable_exists) {
    plan.action = BrowserPreviewPlan::Action::kReport;
    return plan;
  }
  const WindowInfo* window = FindPreviewBrowserWindow(browser, windows);
  std::array<DdeConversation, 2> conversations = PreviewConversations(browser, document_path);
  if (window && FitsDdeItem(conversations[0].item)) {
    plan.action = BrowserPreviewPlan::Action::kDriveWindow;
    plan.window = window->handle;
    plan.show_maximized = window->maximised;
    plan.conversations = std::move(conversations);
    plan.server_start_command = ServerStartCommand(browser, executable, document_path);
    return plan;
  }
  // The path is one argument even when it holds spaces.
  plan.action = BrowserPreviewPlan::Action::kStartBrowser;
  plan.start.file = executable;
  plan.start.parameters = QuoteArgument(document_path);
  plan.start.directory = texttools::FolderPart(document_path);
  return plan;
}

DefaultBrowserPlan PlanDefaultBrowserPreview(const std::string& document_path, std::u16string_view document_title,
                                             std::span<const WindowInfo> windows) {
  DefaultBrowserPlan plan;
  if (document_path.empty()) return plan;
  if (const WindowInfo* window = FindDocumentBrowserWindow(document_title, windows)) {
    plan.action = DefaultBrowserPlan::Action::kReload;
    plan.window = window->handle;
    plan.restore_first = window->minimised;
    return plan;
  }
  plan.action = DefaultBrowserPlan::Action::kOpen;
  plan.start.file = document_path;
  plan.start.directory = texttools::FolderPart(document_path);
  plan.message = text::kDefaultBrowserCannotRun;
  return plan;
}

bool IsResizableBrowserTitle(std::string_view title) {
  return HasIeMark(title) || ContainsText(title, text::kNetscapeTitleMark);
}

bool IsResizableBrowserWindow(const WindowInfo& window) {
  if (HasModernBrowserClass(window)) return RecognizeModernBrowser(window) != nullptr;
  return IsResizableBrowserTitle(window.title);
}

BrowserResizePlan PlanBrowserResize(BrowserSize size, int screen_width, int screen_height, const WindowInfo& window) {
  BrowserResizePlan plan;
  if (size.width >= screen_width && size.height >= screen_height) return plan;
  if (window.handle == platform::kNoWindow || window.class_name == kDialogClass || !IsResizableBrowserWindow(window) ||
      window.minimised)
    return plan;
  if (window.maximised) {
    // Internet Explorer's full-screen view is a maximised window reaching one
    // pixel past the screen at the top and the bottom; it is left alone.
    bool full_screen = ContainsText(window.title, text::kIeTitleMark) && window.rect.top == -1 &&
                       window.rect.bottom == screen_height + 1;
    if (full_screen) return plan;
    plan.restore_first = true;
  }
  plan.resize = true;
  plan.window = window.handle;
  if (const ModernBrowser* browser = RecognizeModernBrowser(window)) {
    plan.fit_page = true;
    plan.page_class = browser->page_class;
    plan.width = size.width;
    plan.height = size.height;
    return plan;
  }
  // The classic browsers' fixed adjustment: 8 pixels wider, 20 lower.
  plan.width = size.width + 8;
  plan.height = size.height - 20;
  return plan;
}

platform::Rect PageArea(const platform::Rect& page_child, const platform::Rect& client_area) {
  const bool found = page_child.right > page_child.left && page_child.bottom > page_child.top;
  return found ? page_child : client_area;
}

BrowserSize WindowSizeForPage(BrowserSize page, const platform::Rect& window, const platform::Rect& page_area) {
  if (page_area.right <= page_area.left || page_area.bottom <= page_area.top) return page;
  const int extra_width = (window.right - window.left) - (page_area.right - page_area.left);
  const int extra_height = (window.bottom - window.top) - (page_area.bottom - page_area.top);
  return {page.width + extra_width, page.height + extra_height};
}

}  // namespace tagsling::external
