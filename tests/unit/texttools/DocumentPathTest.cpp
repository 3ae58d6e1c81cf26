#include "texttools/DocumentPath.h"

#include <gtest/gtest.h>

#include "tests/unit/support/TextToolsFakes.h"

namespace tagsling::texttools {
namespace {

using testing::FakeFileSystem;

struct TitleCase {
  const char* title;
  const char* base;
  const char* expected;
};

TEST(DocumentPathTest, TitleRulesInOrder) {
  FakeFileSystem files;
  for (const char* path : {"C:\\web\\index.html", "C:\\web\\index.htm", "C:\\web\\a.html", "C:\\site\\b.htm",
                           "C:\\web\\p.html", "C:\\web\\q.htm", "C:\\x - y\\c.htm"}) {
    files.files[path] = "";
  }
  const TitleCase kCases[] = {
      // Prefix rule: a bare file name needs a base folder.
      {"index.html - Notepad", "", ""},
      {"index.html - Notepad", "C:\\web", "C:\\web\\index.html"},
      {"index.html - Notepad", "C:\\web\\", "C:\\web\\index.html"},
      {"index.html - Notepad", "C:\\other", ""},
      // Other extensions are tried as .htm, then .html.
      {"C:\\web\\index.txt - Editor", "", "C:\\web\\index.htm"},
      {"C:\\web\\p - Editor", "", "C:\\web\\p.html"},
      {"C:\\web\\missing.htm - Editor", "", ""},
      // Brackets come first and take slashes for backslashes.
      {"[C:/web/a.html] - C:\\web\\index.html - Ed", "", "C:\\web\\a.html"},
      {"Ed [C:/web/a.html]", "", "C:\\web\\a.html"},
      {"Ed [C:/x/a.html]", "C:\\web", "C:\\web\\a.html"},
      // The prefix runs to the last " - ", the suffix from the first.
      {"C:\\site\\b.htm - Ed - Ver", "", "C:\\site\\b.htm"},
      // Every " - " of the candidate goes, also one inside a folder name.
      {"C:\\x - y\\c.htm - Ed", "", ""},
      {"Ed - C:\\site\\b.htm", "", "C:\\site\\b.htm"},
      {"Ed - b.htm", "C:\\site", "C:\\site\\b.htm"},
      // The colon rule only without a base folder.
      {"Ed: C:\\web\\q.htm", "", "C:\\web\\q.htm"},
      {"Ed: q.htm", "C:\\web", ""},
      {"Untitled", "", ""},
      {"", "", ""},
  };
  for (const TitleCase& c : kCases) {
    EditorWindowText window{"Editor", c.title, ""};
    EXPECT_EQ(DocumentPathFromWindow(window, c.base, files), c.expected) << c.title << " base " << c.base;
  }
}

TEST(DocumentPathTest, TeraPadFileBoxWithoutBaseFolderOnly) {
  FakeFileSystem files;
  files.files["C:\\t\\a.htm"] = "";
  files.files["C:\\web\\b.htm"] = "";
  EditorWindowText terapad{std::string(kTeraPadClass), "b.htm - TeraPad", " C:\\t\\a.txt "};
  EXPECT_EQ(DocumentPathFromWindow(terapad, "", files), "C:\\t\\a.htm");
  EXPECT_EQ(DocumentPathFromWindow(terapad, "C:\\web", files), "C:\\web\\b.htm");
  terapad.class_name = "Other";
  EXPECT_EQ(DocumentPathFromWindow(terapad, "", files), "");
}

TEST(DocumentPathTest, LongTitlesAreCutAt254Bytes) {
  FakeFileSystem files;
  files.files["C:\\w\\a.htm"] = "";
  std::string padding(240, 'x');
  EditorWindowText fits{"Ed", padding + " - C:\\w\\a.htm", ""};
  EXPECT_EQ(DocumentPathFromWindow(fits, "", files), "C:\\w\\a.htm");
  EditorWindowText cut{"Ed", padding + "xxxxxxxxxx - C:\\w\\a.htm", ""};
  EXPECT_EQ(DocumentPathFromWindow(cut, "", files), "");
}

TEST(DocumentPathTest, ResolveHtmlFile) {
  FakeFileSystem files;
  files.files["C:\\a.HTML"] = "";
  files.files["C:\\b.html"] = "";
  EXPECT_EQ(ResolveHtmlFile("  C:\\a.HTML\r\n", files), "C:\\a.HTML");
  EXPECT_EQ(ResolveHtmlFile("C:\\b.htm", files), "");
  EXPECT_EQ(ResolveHtmlFile("C:\\b", files), "C:\\b.html");
  EXPECT_EQ(ResolveHtmlFile("C:\\b.txt", files), "C:\\b.html");
  EXPECT_EQ(ResolveHtmlFile("", files), "");
  EXPECT_EQ(DocumentFolder("C:\\web\\a.htm"), "C:\\web");
  EXPECT_EQ(DocumentFolder("C:\\a.htm"), "C:\\");
}

}  // namespace
}  // namespace tagsling::texttools
