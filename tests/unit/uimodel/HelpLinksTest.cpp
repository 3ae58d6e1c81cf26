#include "ui/model/HelpLinks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ui/model/PalettePages.h"

namespace tagsling::ui {
namespace {

TEST(HelpLinks, HelpPageIsNamedLikeTheExecutable) {
  EXPECT_EQ(HelpPagePath("C:\\Tools\\Tagsling.exe"), "C:\\Tools\\Tagsling.html");
  EXPECT_EQ(HelpPagePath("C:\\My.Tools\\tagsling"), "C:\\My.Tools\\tagsling.html");
  EXPECT_EQ(HelpPagePath("/opt/t/tagsling.EXE"), "/opt/t/tagsling.html");
}

TEST(HelpLinks, ContextZeroOpensNoHelp) {
  EXPECT_FALSE(HelpAnchor(0).has_value());
  EXPECT_EQ(HelpAnchor(18), "ctx-18");
}

TEST(HelpLinks, OptionsPagesMapToTheirContexts) {
  const int expected[] = {18, 28, 29, 30, 31, 32, 33, 33, 33, 36};
  for (int page = 0; page < 10; ++page) EXPECT_EQ(OptionsPageHelpContext(page), expected[page]);
  EXPECT_EQ(OptionsPageHelpContext(-1), 0);
  EXPECT_EQ(OptionsPageHelpContext(10), 0);
}

TEST(HelpLinks, TheShippedPageHasEveryAnchor) {
  std::ifstream file(std::string(TAGSLING_SOURCE_DIR) + "/data/Tagsling.html");
  ASSERT_TRUE(file.good());
  std::stringstream page;
  page << file.rdbuf();
  const std::string html = page.str();
  EXPECT_NE(html.find("id=\"" + std::string(kHelpContentsAnchor) + "\""), std::string::npos);
  for (int pageIndex = 0; pageIndex < 10; ++pageIndex) {
    const std::string anchor = "id=\"" + *HelpAnchor(OptionsPageHelpContext(pageIndex)) + "\"";
    EXPECT_NE(html.find(anchor), std::string::npos) << anchor;
  }
}

// The page describes every palette page and the HTML5 tags: the page, the
// submenus and the note on the obsolete elements.
TEST(HelpLinks, TheShippedPageDescribesTheHtml5TagsAndEveryPalettePage) {
  std::ifstream file(std::string(TAGSLING_SOURCE_DIR) + "/data/Tagsling.html");
  ASSERT_TRUE(file.good());
  std::stringstream page;
  page << file.rdbuf();
  const std::string html = page.str();
  for (const PalettePage& palette_page : PalettePages()) {
    const std::string row = "<tr><td>" + std::string(palette_page.caption) + "</td>";
    EXPECT_NE(html.find(row), std::string::npos) << row;
  }
  for (const char* text : {"id=\"html5\"", "href=\"#html5\"", "HTML5(5)", "入力欄(I)", "(HTML5 では廃止)", "H5_Doc"}) {
    EXPECT_NE(html.find(text), std::string::npos) << text;
  }
}

TEST(HelpLinks, AboutTextHasFiveLines) {
  const std::string text = AboutText();
  EXPECT_EQ(text.rfind("Tagsling  Ver.", 0), 0u);
  int breaks = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++breaks;
  EXPECT_EQ(breaks, 4);
  EXPECT_NE(text.find("\r\n\r\nURL: "), std::string::npos);
  EXPECT_NE(text.find("\r\nE-Mail: "), std::string::npos);
}

// The version shown is the one of the file VERSION, which also names the
// release package and numbers the version resources.
TEST(HelpLinks, AboutTextShowsTheVersionOfTheVersionFile) {
  std::ifstream file(std::string(TAGSLING_SOURCE_DIR) + "/VERSION");
  std::string version;
  ASSERT_TRUE(std::getline(file, version));
  EXPECT_EQ(AboutText().substr(0, AboutText().find("\r\n")), "Tagsling  Ver." + version);
}

}  // namespace
}  // namespace tagsling::ui
