#include "texttools/PathText.h"

#include <gtest/gtest.h>

namespace tagsling::texttools {
namespace {

// "表" is 0x95 0x5C and "ソ" 0x83 0x5C: their second byte is "\".
#define HYO "\x95\x5c"
#define SO "\x83\x5c"

struct RelativeCase {
  const char* base;
  const char* file;
  const char* expected;
};

TEST(PathTextTest, RelativePath) {
  const RelativeCase kCases[] = {
      {"C:\\web\\", "C:\\web\\img\\a.gif", "img\\a.gif"},
      {"C:\\web\\sub\\", "C:\\web\\img\\a.gif", "..\\img\\a.gif"},
      {"C:\\web\\", "C:\\web\\a.gif", "a.gif"},
      {"C:\\web\\a\\b\\", "C:\\web\\a.gif", "..\\..\\a.gif"},
      {"C:\\WEB\\Img\\", "c:\\web\\img\\a.gif", "a.gif"},
      {"C:\\web\\", "D:\\x\\a.gif", "D:\\x\\a.gif"},
      {"C:\\", "C:\\a.gif", "a.gif"},
      {"C:\\", "C:\\x\\y\\a.gif", "x\\y\\a.gif"},
      {"C:\\x\\", "C:\\a.gif", "..\\a.gif"},
      {"\\\\srv\\share\\web\\", "\\\\SRV\\Share\\web\\i\\a.gif", "i\\a.gif"},
      {"\\\\srv\\share\\web\\", "\\\\srv\\other\\web\\a.gif", "\\\\srv\\other\\web\\a.gif"},
      {"\\\\srv\\share\\web\\", "C:\\web\\a.gif", "C:\\web\\a.gif"},
      {"C:\\" HYO "\\", "C:\\" HYO "\\" SO "\\a.gif", SO "\\a.gif"},
      {"C:\\" HYO "\\sub\\", "C:\\" HYO "\\a.gif", "..\\a.gif"},
      {"C:\\a" HYO "\\", "C:\\a" SO "\\x.gif", "..\\a" SO "\\x.gif"},
      // Full-width capitals count as equal to their small forms.
      {"C:\\\x82\x60\\", "C:\\\x82\x81\\x.gif", "x.gif"},
  };
  for (const RelativeCase& c : kCases) EXPECT_EQ(RelativePath(c.base, c.file), c.expected) << c.base << " " << c.file;
}

TEST(PathTextTest, DrivePart) {
  EXPECT_EQ(DrivePart("C:\\x"), "C:");
  EXPECT_EQ(DrivePart("\\\\srv\\share\\x\\y"), "\\\\srv\\share");
  EXPECT_EQ(DrivePart("\\\\srv\\share"), "\\\\srv\\share");
  EXPECT_EQ(DrivePart("\\x\\y"), "");
  EXPECT_EQ(DrivePart("x"), "");
}

TEST(PathTextTest, PartsRespectDoubleByteCharacters) {
  EXPECT_EQ(FileNamePart("C:\\web\\" SO ".gif"), SO ".gif");
  EXPECT_EQ(FileNamePart("C:" SO), SO);
  EXPECT_EQ(FolderPart("C:\\" HYO "\\a"), "C:\\" HYO "\\");
  EXPECT_EQ(FolderPart("a"), "");
  EXPECT_EQ(FileExtension("C:\\a.b\\c"), "");
  EXPECT_EQ(FileExtension("C:\\a\\c.Html"), ".Html");
  EXPECT_EQ(ChangeFileExtension("C:\\a\\c.txt", ".htm"), "C:\\a\\c.htm");
  EXPECT_EQ(ChangeFileExtension("C:\\a.d\\c", ".htm"), "C:\\a.d\\c.htm");
  EXPECT_EQ(FolderWithoutTrailingSeparator("C:\\web\\a.gif"), "C:\\web");
  EXPECT_EQ(FolderWithoutTrailingSeparator("C:\\a.gif"), "C:\\");
  EXPECT_EQ(FolderWithoutTrailingSeparator("C:\\" HYO "\\a.gif"), "C:\\" HYO);
  EXPECT_TRUE(EndsWithBackslash("C:\\web\\"));
  EXPECT_FALSE(EndsWithBackslash("C:\\" HYO));
  EXPECT_EQ(ReplaceSingleByteChar("a\\" SO "\\b", '\\', '/'), "a/" SO "/b");
  EXPECT_EQ(RemoveSingleByteChars("[\x83[x]", "[]"), "\x83[x");
  EXPECT_EQ(TrimBlanks(" \t\r\nC:\\a b \x01"), "C:\\a b");
  EXPECT_EQ(AsciiUpper("a.gif\x82\x81"), "A.GIF\x82\x81");
}

}  // namespace
}  // namespace tagsling::texttools
