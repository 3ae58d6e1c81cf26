#include "external/BrowserWindows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "external/WwwFunc.h"
#include "platform/sim/SimDesktop.h"

namespace tagsling::external {
namespace {

constexpr const char* kChromium = "Chrome_WidgetWin_1";
constexpr const char* kFirefox = "MozillaWindowClass";

WindowInfo Window(platform::WindowHandle handle, std::u16string_view title, const std::string& class_name) {
  WindowInfo info;
  info.handle = handle;
  info.wide_title = title;
  // The code page 932 title as far as the tests need it: ASCII kept.
  for (char16_t c : title) info.title.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  info.class_name = class_name;
  info.visible = true;
  info.enabled = true;
  info.rect = {10, 10, 700, 500};
  return info;
}

// The browser a window is taken for, by name; "" for none.
std::string Recognised(const WindowInfo& window) {
  const ModernBrowser* browser = RecognizeModernBrowser(window);
  return browser ? std::string(browser->name) : std::string();
}

TEST(BrowserWindowsTest, RecognisesEachBrowserByClassAndTitleSuffix) {
  struct Case {
    std::u16string title;
    const char* class_name;
    const char* browser;
  };
  const Case cases[] = {
      // Every row of the table, each suffix. Edge: a zero-width space and a
      // space between "Microsoft" and "Edge", as Edge writes it.
      {u"Page - Microsoft\u200B Edge", kChromium, "Microsoft Edge"},
      {u"Page - Personal - Microsoft\u200B Edge", kChromium, "Microsoft Edge"},
      {u"Meta AI and 14 more pages - Personal - Microsoft\u200B Edge", kChromium, "Microsoft Edge"},
      {u"Page and 2 more pages - Work - Microsoft Edge", kChromium, "Microsoft Edge"},
      {u"Page - Microsoft\u200B Edge Beta", kChromium, "Microsoft Edge"},
      {u"Page - Microsoft\u200B Edge Dev", kChromium, "Microsoft Edge"},
      {u"Page - Microsoft\u200B Edge Canary", kChromium, "Microsoft Edge"},
      {u"Page and 3 more pages - Profile 1 - Microsoft\u200B Edge Canary", kChromium, "Microsoft Edge"},
      // Private windows and the other editions.
      {u"Page - [InPrivate] - Microsoft\u200B Edge", kChromium, "Microsoft Edge"},
      {u"New InPrivate tab and 1 more page - [InPrivate] - Microsoft\u200B Edge Dev", kChromium, "Microsoft Edge"},
      {u"Page - Google Chrome (Incognito)", kChromium, "Google Chrome"},
      {u"Page - Google Chrome (\u30B7\u30FC\u30AF\u30EC\u30C3\u30C8)", kChromium, "Google Chrome"},
      {u"Page \u2014 Mozilla Firefox Private Browsing", kFirefox, "Mozilla Firefox"},
      {u"Page \u2014 Mozilla Firefox (\u30D7\u30E9\u30A4\u30D9\u30FC\u30C8\u30D6\u30E9\u30A6\u30B8\u30F3\u30B0)",
       kFirefox, "Mozilla Firefox"},
      {u"Page \u2014 Firefox Developer Edition", kFirefox, "Mozilla Firefox"},
      {u"Page \u2014 Firefox Nightly", kFirefox, "Mozilla Firefox"},
      {u"Page \u2014 Firefox Nightly Private Browsing", kFirefox, "Mozilla Firefox"},
      {u"Page - Google Chrome", kChromium, "Google Chrome"},
      {u"Page \u2014 Mozilla Firefox", kFirefox, "Mozilla Firefox"},
      {u"Page - Mozilla Firefox", kFirefox, "Mozilla Firefox"},
      {u"Page - Brave", kChromium, "Brave"},
      {u"Page - Vivaldi", kChromium, "Vivaldi"},
      {u"Page - Opera", kChromium, "Opera"},
      {u" - Google Chrome", kChromium, "Google Chrome"},  // a page without a title
      // The right suffix on the wrong class: other programs of the toolkits,
      // the classic browsers, editors.
      {u"Page - Microsoft\u200B Edge", kFirefox, ""},
      {u"Page - Google Chrome (Incognito)", kFirefox, ""},
      {u"Page \u2014 Mozilla Firefox Private Browsing", kChromium, ""},
      {u"Page - Google Chrome", kFirefox, ""},
      {u"Page \u2014 Mozilla Firefox", kChromium, ""},
      {u"Page - Brave", "IEFrame", ""},
      {u"Page - Google Chrome", "Notepad", ""},
      // The right class without a browser's suffix.
      {u"main.cpp - project - Visual Studio Code", kChromium, ""},
      {u"Slack - Team", kChromium, ""},
      {u"Google Chrome", kChromium, ""},                       // no " - " before the name
      {u"Page - Google Chrome - Notes", kChromium, ""},        // the suffix is not at the end
      {u"Page - Microsoft\u200BEdge", kChromium, ""},          // the zero-width space without the space
      {u"Page - Microsoft\u200B Edge Stable", kChromium, ""},  // no such edition
      {u"Page - Google Chrome (Incognito) x", kChromium, ""},
      {u"Page - Google Chrome Private Browsing", kChromium, ""},  // another browser's mark
      {u"Page - Brave (Incognito)", kChromium, ""},               // a mark Brave does not write
      {u"Page (Incognito)", kChromium, ""},                       // a mark without a name
      {u"Page \u2014 Firefox", kFirefox, ""},
      {u"Page \u2013 Mozilla Firefox", kFirefox, ""},  // en dash, not em dash
      {u"Page \u2015 Mozilla Firefox", kFirefox, ""},  // what code page 932 makes of the em dash
      {u"Page - google chrome", kChromium, ""},        // the case counts
      {u"", kChromium, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.class_name) + " " + std::to_string(c.title.size()));
    WindowInfo window = Window(1, c.title, c.class_name);
    EXPECT_EQ(Recognised(window), c.browser);
    // Hidden or disabled windows are no browser windows.
    window.visible = false;
    EXPECT_EQ(Recognised(window), "");
    window.visible = true;
    window.enabled = false;
    EXPECT_EQ(Recognised(window), "");
  }
  // Each row is reachable: no suffix, with or without a private addition,
  // is shadowed by an earlier row.
  for (const ModernBrowser& browser : ModernBrowsers()) {
    for (std::u16string_view suffix : browser.title_suffixes) {
      const std::string class_name(browser.class_name);
      // Appended piece by piece: "x" + a temporary trips a false -Wrestrict
      // of GCC 12 when optimising.
      std::u16string title = u"x";
      title += suffix;
      EXPECT_EQ(Recognised(Window(1, title, class_name)), browser.name);
      for (std::u16string_view addition : browser.private_additions) {
        std::u16string private_title = title;
        private_title += addition;
        EXPECT_EQ(Recognised(Window(1, private_title, class_name)), browser.name);
      }
    }
  }
}

TEST(BrowserWindowsTest, TheWindowSystemGivesTheTitleInUtf16) {
  platform::sim::SimDesktop desk;
  platform::WindowHandle edge = desk.AddWindow(kChromium, 5, 5);
  desk.SetWideTitle(edge, u"\u65e5\u672c - Microsoft\u200B Edge");
  std::vector<WindowInfo> windows = DescribeTopLevelWindows(desk);
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(Recognised(windows[0]), "Microsoft Edge");
  // Code page 932 has no zero-width space: its title would not do.
  EXPECT_EQ(windows[0].title.find("Microsoft Edge"), std::string::npos);
}

TEST(BrowserWindowsTest, SizingLeavesOtherProgramsOfTheToolkitsAlone) {
  struct Case {
    WindowInfo window;
    bool resizable;
  };
  const Case cases[] = {
      {Window(1, u"Page - Google Chrome", kChromium), true},
      {Window(1, u"Page \u2014 Mozilla Firefox", kFirefox), true},
      // A Chromium editor whose title holds the classic marks.
      {Window(1, u"Netscape notes - Visual Studio Code", kChromium), false},
      {Window(1, u"x - Microsoft Internet Explorer - Slack", kChromium), false},
  };
  for (const Case& c : cases) {
    const WindowInfo& window = c.window;
    EXPECT_EQ(IsResizableBrowserWindow(window), c.resizable);
    EXPECT_EQ(PlanBrowserResize({800, 600}, 1280, 1024, window).resize, c.resizable);
  }
  // The classic title test still applies to every other class.
  WindowInfo classic;
  classic.handle = 2;
  classic.class_name = "IEFrame";
  classic.title = "Page - Microsoft Internet Explorer";
  EXPECT_TRUE(IsResizableBrowserWindow(classic));
}

TEST(BrowserWindowsTest, ModernBrowsersFitTheirPageArea) {
  WindowInfo chrome = Window(3, u"Page - Google Chrome", kChromium);
  BrowserResizePlan plan = PlanBrowserResize({800, 600}, 1280, 1024, chrome);
  ASSERT_TRUE(plan.resize);
  EXPECT_TRUE(plan.fit_page);
  EXPECT_EQ(plan.page_class, "Chrome_RenderWidgetHostHWND");
  EXPECT_EQ(plan.width, 800);
  EXPECT_EQ(plan.height, 600);
  EXPECT_FALSE(plan.restore_first);

  WindowInfo firefox = Window(3, u"Page \u2014 Mozilla Firefox", kFirefox);
  firefox.maximised = true;
  plan = PlanBrowserResize({640, 480}, 1280, 1024, firefox);
  EXPECT_TRUE(plan.fit_page);
  EXPECT_TRUE(plan.restore_first);
  EXPECT_EQ(plan.page_class, "");  // Firefox: the client area

  firefox.minimised = true;
  EXPECT_FALSE(PlanBrowserResize({640, 480}, 1280, 1024, firefox).resize);
  EXPECT_FALSE(PlanBrowserResize({1280, 1024}, 1280, 1024, chrome).resize);

  // The window keeps what lies around its page: Chrome on Windows 11 at
  // 100 %, 8-pixel invisible borders and 87 pixels of tab strip and toolbar.
  const platform::Rect window{92, 42, 1108, 822};
  const platform::Rect page{100, 130, 1100, 814};
  EXPECT_EQ(PageArea(page, {100, 42, 1100, 814}), page);
  EXPECT_EQ(PageArea({}, {100, 42, 1100, 814}), (platform::Rect{100, 42, 1100, 814}));
  BrowserSize size = WindowSizeForPage({800, 600}, window, page);
  EXPECT_EQ(size.width, 816);
  EXPECT_EQ(size.height, 696);
  size = WindowSizeForPage({1024, 768}, window, PageArea({}, {100, 42, 1100, 814}));
  EXPECT_EQ(size.width, 1040);
  EXPECT_EQ(size.height, 776);
  // Nothing to measure: the page size itself.
  size = WindowSizeForPage({640, 480}, window, {});
  EXPECT_EQ(size.width, 640);
  EXPECT_EQ(size.height, 480);
}

TEST(BrowserWindowsTest, MatchesTheDocumentTitleAtTheStartOfTheWindowTitle) {
  struct Case {
    std::u16string window;
    std::u16string document;
    bool shows;
  };
  const Case cases[] = {
      {u"Home - Google Chrome", u"Home", true},
      {u"Home and 3 more pages - Microsoft\u200B Edge", u"Home", true},
      {u"index.html \u2014 Mozilla Firefox", u"index.html", true},
      {u"Home", u"Home", true},
      {u"Homepage - Google Chrome", u"Home", false},  // a longer title that starts alike
      {u"About - Google Chrome", u"A", false},
      {u"My Home - Google Chrome", u"Home", false},  // not at the start
      {u"home - Google Chrome", u"Home", false},
      {u"Home - Google Chrome", u"", false},
      {u"Ho", u"Home", false},
      {u"\u65e5\u672c\u8a9e - Google Chrome", u"\u65e5\u672c\u8a9e", true},
  };
  for (const Case& c : cases) EXPECT_EQ(TitleShowsDocument(c.window, c.document), c.shows);

  std::vector<WindowInfo> windows = {
      Window(1, u"Home - Notepad", "Notepad"),        Window(2, u"Home - project - Visual Studio Code", kChromium),
      Window(3, u"Other - Google Chrome", kChromium), Window(4, u"Home \u2014 Mozilla Firefox", kFirefox),
      Window(5, u"Home - Google Chrome", kChromium),
  };
  EXPECT_EQ(FindDocumentBrowserWindow(u"Home", windows)->handle, 4u);
  windows[3].visible = false;
  EXPECT_EQ(FindDocumentBrowserWindow(u"Home", windows)->handle, 5u);
  EXPECT_EQ(FindDocumentBrowserWindow(u"Away", windows), nullptr);
}

TEST(BrowserWindowsTest, ReadsTheDocumentTitleAsBrowsersShowIt) {
  platform::sim::SimDesktop codec;
  struct Case {
    std::string html;
    std::u16string title;
  };
  const Case cases[] = {
      {"<html><head><title>Hello</title></head>", u"Hello"},
      {"<HTML><HEAD><TITLE lang=\"en\">  A \r\n\t B  </TITLE>", u"A B"},
      {"<title>\r\nFirst line\r\nsecond line\r\n</title>", u"First line second line"},
      {"<title>Tom &amp; Jerry &lt;3 &quot;&#65;&#x42;&#x1F600;&nbsp;&unknown; & x</title>",
       u"Tom & Jerry <3 \"AB\U0001F600\u00A0&unknown; & x"},
      {"<title>&#0;&#xD800;&#;&#x;</title>", u"\uFFFD\uFFFD&#;&#x;"},
      {"<title>&#32;A&#9;&#10; B&#x20;</title>", u"A B"},  // references first, then the blanks
      // UTF-8, with and without the byte-order mark.
      {"<title>\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E</title>", u"\u65e5\u672c\u8a9e"},
      {"\xEF\xBB\xBF<title>\xE6\x97\xA5\xE6\x9C\xAC</title>", u"\u65e5\u672c"},
      // A broken sequence in a file marked as UTF-8.
      {"\xEF\xBB\xBF<title>a\xE6\x97z</title>", u"a\uFFFD\uFFFDz"},
      // Shift-JIS: "日本語" is no UTF-8.
      {"<title>\x93\xfa\x96\x7b\x8c\xea</title>", u"\u65e5\u672c\u8a9e"},
      // No title: the file name.
      {"<html><body>text</body></html>", u"index.html"},
      {"<title>   </title>", u"index.html"},
      {"<title></title>", u"index.html"},
      {"<title>Never closed", u"index.html"},
      {"<titles>no</titles><title>yes</title>", u"yes"},
      {"", u"index.html"},
      {std::string("<title>a\0b</title>", 18), u"index.html"},  // the search stops at a NUL byte
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.html);
    EXPECT_EQ(DocumentTitle(c.html, u"index.html", codec), c.title);
  }
  // The file name as the path named it, Japanese or outside code page 932.
  EXPECT_EQ(DocumentTitle("", u"\u65e5\u672c.html", codec), u"\u65e5\u672c.html");
  EXPECT_EQ(DocumentTitle("<title> </title>", u"café☕.html", codec), u"café☕.html");
}

TEST(BrowserWindowsTest, ListsTheInstalledBrowsersInTableOrder) {
  std::vector<std::string> asked;
  auto installed = [&asked](std::vector<std::string> present) {
    asked.clear();
    return InstalledBrowsersLine([&](std::string_view exe) {
      asked.emplace_back(exe);
      for (const std::string& p : present)
        if (p == exe) return true;
      return false;
    });
  };
  EXPECT_EQ(installed({}), "");
  EXPECT_EQ(asked, (std::vector<std::string>{"msedge.exe", "chrome.exe", "firefox.exe"}));
  EXPECT_EQ(installed({"firefox.exe", "msedge.exe"}), "Microsoft Edge, Mozilla Firefox");
  EXPECT_EQ(installed({"chrome.exe"}), "Google Chrome");
}

// Edge, the private windows and the other editions are browser windows like
// any other: sized to the page, and reloaded by the default-browser preview
// when they show the document, whatever they add after its title.
TEST(BrowserWindowsTest, EditionsAndPrivateWindowsAreSizedAndReloaded) {
  struct Case {
    std::u16string title;
    const char* class_name;
  };
  const Case cases[] = {
      {u"Caf\u00e9 - Microsoft\u200B Edge", kChromium},
      {u"Caf\u00e9 - Personal - Microsoft\u200B Edge", kChromium},
      {u"Caf\u00e9 and 14 more pages - Personal - Microsoft\u200B Edge", kChromium},
      {u"Caf\u00e9 - [InPrivate] - Microsoft\u200B Edge", kChromium},
      {u"Caf\u00e9 - Microsoft\u200B Edge Beta", kChromium},
      {u"Caf\u00e9 - Microsoft\u200B Edge Dev", kChromium},
      {u"Caf\u00e9 - Microsoft\u200B Edge Canary", kChromium},
      {u"Caf\u00e9 - Google Chrome (Incognito)", kChromium},
      {u"Caf\u00e9 - Google Chrome (\u30B7\u30FC\u30AF\u30EC\u30C3\u30C8)", kChromium},
      {u"Caf\u00e9 \u2014 Mozilla Firefox Private Browsing", kFirefox},
      {u"Caf\u00e9 \u2014 Mozilla Firefox "
       u"(\u30D7\u30E9\u30A4\u30D9\u30FC\u30C8\u30D6\u30E9\u30A6\u30B8\u30F3\u30B0)",
       kFirefox},
      {u"Caf\u00e9 \u2014 Firefox Developer Edition", kFirefox},
      {u"Caf\u00e9 \u2014 Firefox Nightly", kFirefox},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.class_name) + " " + std::to_string(c.title.size()));
    const std::vector<WindowInfo> windows = {Window(1, u"index.html - Notepad", "Notepad"),
                                             Window(7, c.title, c.class_name)};
    BrowserResizePlan resize = PlanBrowserResize({800, 600}, 1280, 1024, windows[1]);
    EXPECT_TRUE(resize.resize);
    EXPECT_TRUE(resize.fit_page);
    EXPECT_EQ(resize.window, 7u);
    DefaultBrowserPlan reload = PlanDefaultBrowserPreview(u"C:\\web\\index.html", u"Caf\u00e9", windows);
    EXPECT_EQ(reload.action, DefaultBrowserPlan::Action::kReload);
    EXPECT_EQ(reload.window, 7u);
    // Another document's title is not found in the window.
    EXPECT_EQ(PlanDefaultBrowserPreview(u"C:\\web\\index.html", u"Caf", windows).action,
              DefaultBrowserPlan::Action::kOpen);
  }
}

TEST(BrowserWindowsTest, DefaultBrowserPreviewReloadsOrOpens) {
  std::vector<WindowInfo> windows = {Window(1, u"index.html - Notepad", "Notepad"),
                                     Window(2, u"Page - Google Chrome", kChromium)};
  windows[1].minimised = true;
  DefaultBrowserPlan plan = PlanDefaultBrowserPreview(u"C:\\web\\a b\\index.html", u"Page", windows);
  EXPECT_EQ(plan.action, DefaultBrowserPlan::Action::kReload);
  EXPECT_EQ(plan.window, 2u);
  EXPECT_TRUE(plan.restore_first);

  plan = PlanDefaultBrowserPreview(u"C:\\web\\a b\\index.html", u"index.html", windows);
  ASSERT_EQ(plan.action, DefaultBrowserPlan::Action::kOpen);
  // The document itself, so the shell hands it to the default browser.
  EXPECT_EQ(plan.start, (ShellStart{u"open", u"C:\\web\\a b\\index.html", u"", u"C:\\web\\a b\\"}));
  EXPECT_FALSE(plan.message.empty());

  EXPECT_EQ(PlanDefaultBrowserPreview(u"", u"Page", windows).action, DefaultBrowserPlan::Action::kNothing);
}

}  // namespace
}  // namespace tagsling::external
