#include "texttools/PathText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/Sjis.h"

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

// "ソ": its second byte is 5C, the code of "\".
constexpr char kSo[] = "\x83\x5c";

TEST(PathTextTest, FindTextMatchesOnlyAtCharacterStarts) {
  EXPECT_EQ(FindText("a Netscape", "Netscape"), 2u);
  // 82 4E is one double-byte character: its "N" does not start a match.
  EXPECT_EQ(FindText("\x82Netscape", "Netscape"), std::string::npos);
  EXPECT_EQ(FindText("\x82\xa0Netscape", "Netscape"), 2u);
  EXPECT_EQ(FindText("abcabc", "abc", 1), 3u);
  EXPECT_EQ(FindText("abc", ""), std::string::npos);
  EXPECT_EQ(RemoveEvery("a.exe.exe", ".exe"), "a");
  EXPECT_EQ(RemoveEvery("x..exeexe", ".exe"), "x");  // removal may join a new one
}

TEST(PathTextTest, QuotesArguments) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\web\\a.htm", "\"C:\\web\\a.htm\""},
      {"C:\\My Web\\a b.htm", "\"C:\\My Web\\a b.htm\""},
      {"C:\\", "\"C:\\\\\""},
      {"", "\"\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"a\\\"b", "\"a\\\\\\\"b\""},
      {std::string("C:\\") + kSo, std::string("\"C:\\") + kSo + "\""},  // trail byte 5C is no backslash
  };
  for (const auto& [argument, quoted] : cases) EXPECT_EQ(QuoteArgument(argument), quoted) << argument;
}

// Reference reader of a command line as CommandLineToArgvW splits it (the
// program converts to UTF-16 first, so a double-byte character is one
// character). Not the program name's rules: every word is an argument.
std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> args;
  std::size_t pos = 0;
  while (true) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos >= line.size()) return args;
    std::string arg;
    bool quoted = false;
    while (pos < line.size() && (quoted || (line[pos] != ' ' && line[pos] != '\t'))) {
      std::size_t len = SjisCharLength(line, pos);
      if (len == 1 && line[pos] == '\\') {
        std::size_t run = 0;
        for (; pos < line.size() && line[pos] == '\\'; ++pos) ++run;
        if (pos < line.size() && line[pos] == '"') {
          arg.append(run / 2, '\\');
          if (run % 2 == 1) {
            arg += '"';
            ++pos;
          }
        } else {
          arg.append(run, '\\');
        }
      } else if (len == 1 && line[pos] == '"') {
        if (quoted && pos + 1 < line.size() && line[pos + 1] == '"') {
          arg += '"';
          pos += 2;
        } else {
          quoted = !quoted;
          ++pos;
        }
      } else {
        arg.append(line, pos, len);
        pos += len;
      }
    }
    args.push_back(arg);
  }
}

TEST(PathTextTest, QuotedArgumentsReadBackUnchanged) {
  const std::vector<std::string> pieces = {"a", " ", "\\", "\"", "\t", kSo, "\x82\xa0", ":"};
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::string> args(1 + random() % 3);
    std::string line = "prog";
    for (std::string& arg : args) {
      for (int n = random() % 8; n > 0; --n) arg += pieces[random() % pieces.size()];
      line += ' ';  // not " " + temporary: a false -Wrestrict of GCC 12 when optimising
      line += QuoteArgument(arg);
    }
    std::vector<std::string> expected = args;
    expected.insert(expected.begin(), "prog");
    ASSERT_EQ(SplitCommandLine(line), expected) << line;
  }
}

}  // namespace
}  // namespace tagsling::texttools
