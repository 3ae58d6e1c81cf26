#include "external/PathText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/Sjis.h"

namespace tagsling::external {
namespace {

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
}  // namespace tagsling::external
