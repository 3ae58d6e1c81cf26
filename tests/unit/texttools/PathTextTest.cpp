#include "texttools/PathText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/Sjis.h"
#include "platform/sim/SimDesktop.h"

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

// ---- UTF-16 paths ----

TEST(PathTextTest, WideRelativePath) {
  const struct {
    const char16_t* base;
    const char16_t* file;
    const char16_t* expected;
  } kCases[] = {
      {u"C:\\web\\", u"C:\\web\\img\\café☕.png", u"img\\café☕.png"},
      {u"C:\\web\\sub\\", u"C:\\web\\img\\a.gif", u"..\\img\\a.gif"},
      {u"C:\\Café ☕\\", u"c:\\CAFÉ ☕\\x.png", u"x.png"},                            // accented capitals fold
      {u"C:\\ÜBER\\Straße\\", u"C:\\über\\STRASSE\\x.png", u"..\\STRASSE\\x.png"},  // no multi-letter folding
      {u"C:\\Ωμέγα\\Москва\\", u"C:\\ωμέγα\\МОСКВА\\x", u"x"},                      // Greek and Cyrillic fold
      {u"C:\\ĀĹŸ\\", u"C:\\āĺÿ\\x", u"x"},                                          // Latin Extended-A pairs
      {u"C:\\İ\\", u"C:\\i\\x", u"..\\i\\x"},                // dotted capital I has no partner here
      {u"C:\\😀\\😁\\", u"C:\\😀\\x\\y.png", u"..\\x\\y.png"},  // surrogate pairs compare whole
      {u"C:\\web\\", u"D:\\☕\\a.gif", u"D:\\☕\\a.gif"},
      {u"\\\\srv\\Ünï\\web\\", u"\\\\SRV\\üNÏ\\web\\i\\a.gif", u"i\\a.gif"},
      {u"C:\\\xD800\\", u"C:\\\xD800\\a", u"a"},  // a lone surrogate is a unit like any other
  };
  for (const auto& c : kCases) EXPECT_EQ(RelativePath(c.base, c.file), c.expected);
}

TEST(PathTextTest, WidePartsAndQuoting) {
  EXPECT_EQ(FileNamePart(u"C:\\☕\\café.png"), u"café.png");
  EXPECT_EQ(FolderPart(u"C:\\☕\\café.png"), u"C:\\☕\\");
  EXPECT_EQ(FileExtension(u"C:\\a.☕\\b"), u"");
  EXPECT_EQ(FileExtension(u"C:\\a\\b.☕"), u".☕");
  EXPECT_EQ(ChangeFileExtension(u"C:\\é\\c.txt", u".htm"), u"C:\\é\\c.htm");
  EXPECT_EQ(FolderWithoutTrailingSeparator(u"C:\\😀\\a.gif"), u"C:\\😀");
  EXPECT_EQ(FolderWithoutTrailingSeparator(u"C:\\a.gif"), u"C:\\");
  EXPECT_EQ(DrivePart(u"Z:\\x"), u"Z:");
  EXPECT_EQ(DrivePart(u"é:\\x"), u"");  // as in code page 932, where "é" would take two bytes
  EXPECT_EQ(TrimBlanks(u" \t☕ \r\n"), u"☕");
  EXPECT_EQ(AsciiUpper(u"café.png"), u"CAFé.PNG");
  EXPECT_EQ(QuoteArgument(u"C:\\☕ x\\"), u"\"C:\\☕ x\\\\\"");
  EXPECT_EQ(QuoteArgument(u"say \"é\""), u"\"say \\\"é\\\"\"");
}

TEST(PathTextTest, WideLowerCase) {
  const std::pair<char16_t, char16_t> kCases[] = {
      {u'A', u'a'},           {u'z', u'z'},           {u'@', u'@'},           {u'\u00C0', u'\u00E0'},
      {u'\u00DE', u'\u00FE'}, {u'\u00D7', u'\u00D7'}, {u'\u00DF', u'\u00DF'}, {u'\u0100', u'\u0101'},
      {u'\u0101', u'\u0101'}, {u'\u0139', u'\u013A'}, {u'\u014A', u'\u014B'}, {u'\u0178', u'\u00FF'},
      {u'\u0179', u'\u017A'}, {u'\u0130', u'\u0130'}, {u'\u0391', u'\u03B1'}, {u'\u03A2', u'\u03A2'},
      {u'\u0401', u'\u0451'}, {u'\u0410', u'\u0430'}, {u'\u042F', u'\u044F'}, {u'\uFF21', u'\uFF41'},
      {u'\u2160', u'\u2160'}, {u'\u3042', u'\u3042'}, {u'\xD83D', u'\xD83D'},
  };
  for (const auto& [capital, small] : kCases) EXPECT_EQ(WideToLower(capital), small) << int(capital);
}

// For names code page 932 holds, the UTF-16 helpers answer exactly as the
// code page 932 ones (the reference here): random paths of characters whose
// second byte looks like a separator, letters that fold, and ASCII.
TEST(PathTextTest, WideAgreesWithCodePage932ForNamesItHolds) {
  platform::sim::SimDesktop codec;
  const std::vector<std::string> pieces = {"\\",
                                           "\\",
                                           "a",
                                           "A",
                                           "\x95\x5c" /* 表 */,
                                           "\x83\x5c" /* ソ */,
                                           ".",
                                           ":",
                                           "\x82\x60" /* Ａ */,
                                           "\x82\x81" /* ａ */,
                                           "\x83\x9f" /* Α */,
                                           "\x83\xbf" /* α */,
                                           "\x84\x46" /* Ё */,
                                           "\x84\x76" /* ё */,
                                           " "};
  std::mt19937 random(11);
  auto path = [&] {
    std::string text = random() % 2 ? "C:\\" : (random() % 2 ? "\\\\s\\h\\" : "");
    for (int n = random() % 10; n > 0; --n) text += pieces[random() % pieces.size()];
    return text;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string base = path() + "\\";
    const std::string file = path();
    const WideText wide_base = codec.SjisToWide(base);
    const WideText wide_file = codec.SjisToWide(file);
    ASSERT_EQ(RelativePath(wide_base, wide_file), codec.SjisToWide(RelativePath(base, file))) << base << " " << file;
    ASSERT_EQ(FileNamePart(wide_file), codec.SjisToWide(FileNamePart(file))) << file;
    ASSERT_EQ(FolderWithoutTrailingSeparator(wide_file), codec.SjisToWide(FolderWithoutTrailingSeparator(file)));
    ASSERT_EQ(FileExtension(wide_file), codec.SjisToWide(FileExtension(file))) << file;
    ASSERT_EQ(QuoteArgument(wide_file), codec.SjisToWide(QuoteArgument(file))) << file;
    ASSERT_EQ(SameTextIgnoringCase(wide_base, wide_file), SameTextIgnoringCase(base, file)) << base << " " << file;
  }
}

}  // namespace
}  // namespace tagsling::texttools
