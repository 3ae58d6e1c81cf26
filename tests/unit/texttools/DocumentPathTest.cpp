#include "texttools/DocumentPath.h"

#include <gtest/gtest.h>

#include "tests/unit/support/TextToolsFakes.h"

namespace tagsling::texttools {
namespace {

using testing::FakeFileSystem;
using testing::W;

platform::TextCodec& Codec() {
  static platform::sim::SimDesktop desk;
  return desk;
}

struct TitleCase {
  const char* title;
  const char* base;
  const char* expected;
};

TEST(DocumentPathTest, TitleRulesInOrder) {
  FakeFileSystem files;
  for (const char* path : {"C:\\web\\index.html", "C:\\web\\index.htm", "C:\\web\\a.html", "C:\\site\\b.htm",
                           "C:\\web\\p.html", "C:\\web\\q.htm", "C:\\x - y\\c.htm"}) {
    files.files[W(path)] = "";
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
    EditorWindowText window{"Editor", W(c.title), u""};
    EXPECT_EQ(DocumentPathFromWindow(window, W(c.base), files, Codec()), W(c.expected))
        << c.title << " base " << c.base;
  }
}

// Real editors' titles, saved and modified. The modification mark is
// dropped only when the name as it stands names no file, and a bracketed
// part naming no file leaves the search to the next rule.
TEST(DocumentPathTest, EditorTitlesSavedAndModified) {
  FakeFileSystem files;
  for (const char16_t* path : {u"C:\\web\\page.html", u"C:\\web\\●memo.html", u"C:\\web\\memo.html"}) {
    files.files[path] = "";
  }
  const struct {
    const char16_t* title;
    const char16_t* base;
    const char16_t* expected;
  } kCases[] = {
      // Sakura Editor: the full path only while active, "(更新)" after it.
      {u"C:\\web\\page.html - サクラエディタ(64bit) 2.4.2.0  ", u"", u"C:\\web\\page.html"},
      {u"C:\\web\\page.html(更新) - サクラエディタ(64bit) 2.4.2.0  ", u"", u"C:\\web\\page.html"},
      {u"page.html(更新) - サクラエディタ(64bit) 2.4.2.0  ", u"C:\\web", u"C:\\web\\page.html"},
      {u"page.html(更新) - サクラエディタ(64bit) 2.4.2.0  ", u"", u""},
      // Notepad++: "*" before the path, " [Administrator]" under Wine.
      {u"C:\\web\\page.html - Notepad++ [Administrator]", u"", u"C:\\web\\page.html"},
      {u"*C:\\web\\page.html - Notepad++ [Administrator]", u"", u"C:\\web\\page.html"},
      {u"*C:\\web\\page.html - Notepad++ [Administrator]", u"C:\\web", u"C:\\web\\page.html"},
      {u"*C:\\web\\page.html - Notepad++", u"", u"C:\\web\\page.html"},
      {u"C:\\web\\page.html - Ed [管理者]", u"", u"C:\\web\\page.html"},
      {u"C:\\web\\page.html - Ed [管理者]", u"C:\\web", u"C:\\web\\page.html"},
      // Visual Studio Code: the file name, the folder, the program.
      {u"page.html - site - Visual Studio Code", u"C:\\web", u"C:\\web\\page.html"},
      {u"● page.html - site - Visual Studio Code", u"C:\\web", u"C:\\web\\page.html"},
      {u"• page.html - Ed", u"C:\\web", u"C:\\web\\page.html"},
      // TeraPad's title (its file-name box is read without a base folder).
      {u"page.html - TeraPad", u"C:\\web", u"C:\\web\\page.html"},
      {u"page.html * - TeraPad", u"C:\\web", u"C:\\web\\page.html"},
      // Windows Notepad.
      {u"page.html - メモ帳", u"C:\\web", u"C:\\web\\page.html"},
      {u"*page.html - メモ帳", u"C:\\web", u"C:\\web\\page.html"},
      {u"*page.html - メモ帳", u"", u""},
      // A name that really begins with "●" is found as it stands.
      {u"●memo.html - メモ帳", u"C:\\web", u"C:\\web\\●memo.html"},
      {u"*●memo.html - メモ帳", u"C:\\web", u"C:\\web\\●memo.html"},
      {u"● ●memo.html - site - Visual Studio Code", u"C:\\web", u"C:\\web\\●memo.html"},
      {u"C:\\web\\●memo.html(更新) - サクラエディタ(64bit) 2.4.2.0  ", u"", u"C:\\web\\●memo.html"},
      {u"*C:\\web\\●memo.html - Notepad++ [Administrator]", u"", u"C:\\web\\●memo.html"},
      // Marks inside a name or a lone mark name nothing.
      {u"C:\\web\\pa*ge.html - Ed", u"", u""},
      {u"* - Ed", u"C:\\web", u""},
  };
  for (const auto& c : kCases) {
    EditorWindowText window{"Editor", c.title, u""};
    EXPECT_EQ(DocumentPathFromWindow(window, c.base, files, Codec()), c.expected)
        << testing::Sjis(c.title) << " base " << testing::Sjis(c.base);
  }
}

// The rules read titles through code page 932 losslessly: a document whose
// name code page 932 cannot hold is found with its name unchanged, and a
// title holding DEL or text that looks like a token is no trouble.
TEST(DocumentPathTest, TitlesOutsideCodePage932) {
  FakeFileSystem files;
  for (const char16_t* path : {u"C:\\Café ☕\\index.html", u"C:\\😀\\a.html", u"C:\\web\\été.html", u"C:\\d\x7f\\a.htm",
                               u"C:\\x\x7f"
                               u"41\x7f.htm",
                               u"C:\\w\\😀.htm", u"C:\\web\\表ソ.htm"}) {
    files.files[path] = "";
  }
  const struct {
    const char16_t* title;
    const char16_t* base;
    const char16_t* expected;
  } kCases[] = {
      {u"C:\\Café ☕\\index.html - Notepad", u"", u"C:\\Café ☕\\index.html"},
      {u"C:\\Café ☕\\index - Notepad", u"", u"C:\\Café ☕\\index.html"},
      {u"[C:/😀/a.html] - Ed", u"", u"C:\\😀\\a.html"},
      {u"Ed - été.html", u"C:\\web", u"C:\\web\\été.html"},
      {u"Ed: C:\\d\x7f\\a.htm", u"", u"C:\\d\x7f\\a.htm"},
      {u"C:\\x\x7f"
       u"41\x7f.htm - Ed",
       u"",
       u"C:\\x\x7f"
       u"41\x7f.htm"},
      {u"表ソ.htm - Ed", u"C:\\web", u"C:\\web\\表ソ.htm"},
      {u"[C:/😀/b.html] - Ed", u"", u""},
  };
  for (const auto& c : kCases) {
    EditorWindowText window{"Editor", c.title, u""};
    EXPECT_EQ(DocumentPathFromWindow(window, c.base, files, Codec()), c.expected) << testing::Sjis(c.title);
  }
  // 230 bytes, then 19 with the emoji's token: within the title limit.
  EditorWindowText long_title{"Editor", WideText(230, u'x') + u" - C:\\w\\😀.htm", u""};
  EXPECT_EQ(DocumentPathFromWindow(long_title, u"", files, Codec()), u"C:\\w\\😀.htm");
  EditorWindowText terapad{std::string(kTeraPadClass), u"x", u" C:\\Café ☕\\index.txt "};
  EXPECT_EQ(DocumentPathFromWindow(terapad, u"", files, Codec()), u"C:\\Café ☕\\index.html");
}

TEST(DocumentPathTest, TeraPadFileBoxWithoutBaseFolderOnly) {
  FakeFileSystem files;
  files.files[u"C:\\t\\a.htm"] = "";
  files.files[u"C:\\web\\b.htm"] = "";
  EditorWindowText terapad{std::string(kTeraPadClass), u"b.htm - TeraPad", u" C:\\t\\a.txt "};
  EXPECT_EQ(DocumentPathFromWindow(terapad, u"", files, Codec()), u"C:\\t\\a.htm");
  EXPECT_EQ(DocumentPathFromWindow(terapad, u"C:\\web", files, Codec()), u"C:\\web\\b.htm");
  terapad.class_name = "Other";
  EXPECT_EQ(DocumentPathFromWindow(terapad, u"", files, Codec()), u"");
}

TEST(DocumentPathTest, LongTitlesAreCutAt254Bytes) {
  FakeFileSystem files;
  files.files[u"C:\\w\\a.htm"] = "";
  WideText padding(240, u'x');
  EditorWindowText fits{"Ed", padding + u" - C:\\w\\a.htm", u""};
  EXPECT_EQ(DocumentPathFromWindow(fits, u"", files, Codec()), u"C:\\w\\a.htm");
  EditorWindowText cut{"Ed", padding + u"xxxxxxxxxx - C:\\w\\a.htm", u""};
  EXPECT_EQ(DocumentPathFromWindow(cut, u"", files, Codec()), u"");
}

TEST(DocumentPathTest, ResolveHtmlFile) {
  FakeFileSystem files;
  files.files[u"C:\\a.HTML"] = "";
  files.files[u"C:\\b.html"] = "";
  EXPECT_EQ(ResolveHtmlFile(u"  C:\\a.HTML\r\n", files), u"C:\\a.HTML");
  EXPECT_EQ(ResolveHtmlFile(u"C:\\b.htm", files), u"");
  EXPECT_EQ(ResolveHtmlFile(u"C:\\b", files), u"C:\\b.html");
  EXPECT_EQ(ResolveHtmlFile(u"C:\\b.txt", files), u"C:\\b.html");
  EXPECT_EQ(ResolveHtmlFile(u"", files), u"");
  EXPECT_EQ(DocumentFolder(u"C:\\web\\a.htm"), u"C:\\web");
  EXPECT_EQ(DocumentFolder(u"C:\\a.htm"), u"C:\\");
}

}  // namespace
}  // namespace tagsling::texttools
