#include "external/WwwFunc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Sjis.h"
#include "external/ExternalMessages.h"
#include "platform/sim/SimDesktop.h"
#include "texttools/PathText.h"

namespace tagsling::external {
namespace {

platform::sim::SimDesktop& Codec() {
  static platform::sim::SimDesktop desk;
  return desk;
}

WindowInfo Window(platform::WindowHandle handle, const std::string& title, const std::string& class_name = "Browser") {
  WindowInfo info;
  info.handle = handle;
  info.title = title;
  info.class_name = class_name;
  info.visible = true;
  info.enabled = true;
  info.rect = {10, 10, 700, 500};
  return info;
}

const std::string kIeTitle = "Page - Microsoft Internet Explorer";
const std::string kIeKanaTitle = std::string("Page") + text::kIeTitleMarkKana;

TEST(WwwFuncTest, RecognisesBrowserTitles) {
  struct Case {
    std::string title;
    bool ie, netscape, resizable;
  };
  const Case cases[] = {
      {kIeTitle, true, false, true},
      {kIeKanaTitle, true, false, true},
      {"Netscape - [Page]", false, true, true},
      {"Netscape Composer - [file:///C|/a.htm]", false, false, true},
      {text::kNetscapeFolders, false, false, true},
      {std::string(text::kNetscapeNewsgroups) + " - news", false, false, true},
      {"Microsoft Internet Explorer", false, false, false},  // no " - " before it
      {"a.htm - Notepad", false, false, false},
      {"\x82Netscape", false, false, false},  // "N" is the second byte of 82 4E
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    EXPECT_EQ(IsBrowserTitle(Browser::kInternetExplorer, c.title), c.ie);
    EXPECT_EQ(IsBrowserTitle(Browser::kNetscapeNavigator, c.title), c.netscape);
    EXPECT_EQ(IsResizableBrowserTitle(c.title), c.resizable);
  }
}

TEST(WwwFuncTest, PreviewTakesTheTopmostVisibleEnabledBrowser) {
  std::vector<WindowInfo> windows = {Window(1, kIeTitle), Window(2, "Netscape Composer - [a]"),
                                     Window(3, "Netscape - [a]"), Window(4, "Netscape - [b]"), Window(5, kIeTitle)};
  windows[0].visible = false;
  windows[2].enabled = false;
  EXPECT_EQ(FindPreviewBrowserWindow(Browser::kInternetExplorer, windows)->handle, 5u);
  EXPECT_EQ(FindPreviewBrowserWindow(Browser::kNetscapeNavigator, windows)->handle, 4u);
  EXPECT_EQ(FindPreviewBrowserWindow(Browser::kNetscapeNavigator, std::span(windows).first(3)), nullptr);
}

TEST(WwwFuncTest, ReadsWindowsFromTheWindowSystemWithTheTitleLimit) {
  platform::sim::SimDesktop desk;
  platform::WindowHandle hidden = desk.AddWindow("IEFrame", 5, 5);
  desk.Window(hidden).title = kIeTitle;
  desk.Window(hidden).visible = false;
  platform::WindowHandle long_title = desk.AddWindow("IEFrame", 5, 5);
  desk.Window(long_title).title = std::string(230, 'x') + kIeTitle;  // the marker passes byte 254
  platform::WindowHandle browser = desk.AddWindow("IEFrame", 5, 5);
  desk.Window(browser).title = kIeTitle;
  desk.Window(browser).maximised = true;

  std::vector<WindowInfo> windows = DescribeTopLevelWindows(desk);
  ASSERT_EQ(windows.size(), 3u);
  EXPECT_EQ(windows[1].title.size(), texttools::kTitleLimit);
  const WindowInfo* found = FindPreviewBrowserWindow(Browser::kInternetExplorer, windows);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->handle, browser);
  EXPECT_TRUE(found->maximised);

  // A double-byte character that would end past the limit is left out whole.
  EXPECT_EQ(LimitTitle(std::string(253, 'x') + "\x82\xa0"), std::string(253, 'x'));
}

TEST(WwwFuncTest, DdeItemsAndServerCommands) {
  const std::string path = "C:\\My Web\\a.htm";
  EXPECT_EQ(PreviewConversations(Browser::kInternetExplorer, path),
            (std::array<DdeConversation, 2>{{{"Iexplore", "WWW_OpenURL", "\"file:C:\\My Web\\a.htm\",,-1,,,,,"},
                                             {"Iexplore", "WWW_Activate", "0xFFFFFFFF,0x0"}}}));
  EXPECT_EQ(
      PreviewConversations(Browser::kNetscapeNavigator, path),
      (std::array<DdeConversation, 2>{{{"Netscape", "WWW_OpenURL", "\"file:///C:\\My Web\\a.htm\",,0xFFFFFFFF,0x3,,,"},
                                       {"Netscape", "WWW_Activate", "0xFFFFFFFF,0x0"}}}));

  EXPECT_EQ(ServerStartCommand(Browser::kInternetExplorer, "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE", path),
            "\"c:\\program files\\internet explorer\\iexplore\" -nohome");
  EXPECT_EQ(ServerStartCommand(Browser::kNetscapeNavigator, "C:\\Netscape\\Program\\NETSCAPE.EXE", path),
            "\"c:\\netscape\\program\\netscape\" \"file:///C:\\My Web\\a.htm");
}

TEST(WwwFuncTest, PreviewShowsAMaximisedBrowserMaximised) {
  const platform::WideText path = u"C:\\web\\a.htm";
  std::vector<WindowInfo> windows = {Window(7, "a.htm - Notepad"), Window(8, kIeTitle)};
  windows[1].maximised = true;
  BrowserPreviewPlan plan =
      PlanBrowserPreview(Browser::kInternetExplorer, "C:\\IE\\iexplore.exe", true, path, windows, Codec());
  EXPECT_EQ(plan.action, BrowserPreviewPlan::Action::kDriveWindow);
  EXPECT_EQ(plan.window, 8u);
  EXPECT_TRUE(plan.show_maximized);
  EXPECT_EQ(plan.conversations[0].item, "\"file:C:\\web\\a.htm\",,-1,,,,,");
  EXPECT_EQ(PlanBrowserPreview(Browser::kInternetExplorer, "C:\\IE\\iexplore.exe", true, u"", windows, Codec()).action,
            BrowserPreviewPlan::Action::kNothing);
}

// A DDE item is read as code page 932: a path that code page cannot hold
// starts the browser with the whole path instead.
TEST(WwwFuncTest, APathOutsideCodePage932StartsTheBrowserWithIt) {
  std::vector<WindowInfo> windows = {Window(8, kIeTitle)};
  for (const char16_t* path : {u"C:\\Café\\a.htm", u"C:\\web\\😀.htm", u"C:\\\u00a5\\a.htm"}) {
    BrowserPreviewPlan plan =
        PlanBrowserPreview(Browser::kNetscapeNavigator, "C:\\NS\\netscape.exe", true, path, windows, Codec());
    ASSERT_EQ(plan.action, BrowserPreviewPlan::Action::kStartBrowser);
    EXPECT_EQ(plan.start.file, u"C:\\NS\\netscape.exe");
    platform::WideText quoted(u"\"");  // built up in place: GCC 12 warns falsely on a literal + temporary
    quoted.append(path).append(u"\"");
    EXPECT_EQ(plan.start.parameters, quoted);
    EXPECT_EQ(plan.start.directory, texttools::FolderPart(std::u16string_view(path)));
  }
}

TEST(WwwFuncTest, APathTooLongForADdeItemStartsTheBrowserWithIt) {
  std::vector<WindowInfo> windows = {Window(8, kIeTitle)};
  // "file:" + path + ",,-1,,,,," in quotes: 16 characters around the path.
  // Double-byte characters count once, as in the wide string handle.
  const std::string folder = "C:\\\x93\xfa\x96\x7b\\";  // 日本
  for (std::size_t length : {239u, 240u, 300u}) {
    const std::string path = folder + std::string(length - folder.size() + 2, 'a');  // 2 double-byte characters
    SCOPED_TRACE(length);
    ASSERT_EQ(SjisCharCount(path), length);
    EXPECT_EQ(FitsDdeItem(PreviewConversations(Browser::kInternetExplorer, path)[0].item), length <= 239);
    const platform::WideText wide_path = Codec().SjisToWide(path);
    BrowserPreviewPlan plan =
        PlanBrowserPreview(Browser::kInternetExplorer, "C:\\IE\\iexplore.exe", true, wide_path, windows, Codec());
    if (length <= 239) {
      EXPECT_EQ(plan.action, BrowserPreviewPlan::Action::kDriveWindow);
    } else {
      ASSERT_EQ(plan.action, BrowserPreviewPlan::Action::kStartBrowser);
      EXPECT_EQ(plan.start.file, u"C:\\IE\\iexplore.exe");
      EXPECT_EQ(plan.start.parameters, u"\"" + wide_path + u"\"");
      EXPECT_EQ(plan.message, BrowserCannotRunMessage(Browser::kInternetExplorer));
    }
  }
}

TEST(WwwFuncTest, PlansResize) {
  struct Case {
    const char* name;
    BrowserSize size;
    int screen_width, screen_height;
    WindowInfo window;
    bool resize, restore;
  };
  WindowInfo maximised = Window(3, kIeTitle);
  maximised.maximised = true;
  maximised.rect = {-4, -4, 1028, 740};
  WindowInfo full_screen = maximised;
  full_screen.rect = {-1, -1, 1025, 769};
  WindowInfo kana_full_screen = full_screen;
  kana_full_screen.title = kIeKanaTitle;
  WindowInfo netscape_full_screen = full_screen;
  netscape_full_screen.title = "Netscape - [a]";
  WindowInfo minimised = Window(3, kIeTitle);
  minimised.minimised = true;

  const Case cases[] = {
      {"normal IE", {800, 600}, 1280, 1024, Window(3, kIeTitle), true, false},
      {"not smaller than the screen", {1024, 768}, 1024, 768, Window(3, kIeTitle), false, false},
      {"only narrower than the screen", {1024, 768}, 1280, 720, Window(3, kIeTitle), true, false},
      {"Composer", {640, 480}, 1024, 768, Window(3, "Netscape Composer - [a]"), true, false},
      {"dialog box", {640, 480}, 1024, 768, Window(3, kIeTitle, "#32770"), false, false},
      {"editor", {640, 480}, 1024, 768, Window(3, "a.htm - Notepad"), false, false},
      {"no window", {640, 480}, 1024, 768, WindowInfo{}, false, false},
      {"minimised", {640, 480}, 1024, 768, minimised, false, false},
      {"maximised", {640, 480}, 1024, 768, maximised, true, true},
      {"IE full screen", {640, 480}, 1024, 768, full_screen, false, false},
      {"kana IE full screen", {640, 480}, 1024, 768, kana_full_screen, true, true},
      {"Netscape full screen", {640, 480}, 1024, 768, netscape_full_screen, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BrowserResizePlan plan = PlanBrowserResize(c.size, c.screen_width, c.screen_height, c.window);
    EXPECT_EQ(plan.resize, c.resize);
    EXPECT_EQ(plan.restore_first, c.restore);
    if (!plan.resize) continue;
    EXPECT_EQ(plan.window, 3u);
    EXPECT_EQ(plan.width, c.size.width + 8);
    EXPECT_EQ(plan.height, c.size.height - 20);
  }
  EXPECT_EQ(PlanBrowserResize(kBrowserSizes[1], 1280, 1024, Window(3, kIeTitle)).width, 808);
  EXPECT_EQ(PlanBrowserResize(kBrowserSizes[1], 1280, 1024, Window(3, kIeTitle)).height, 580);
}

}  // namespace
}  // namespace tagsling::external
