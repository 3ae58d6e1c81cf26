// tagsling-cli run as a script runs it: arguments, standard input,
// standard output and the exit status.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tests/unit/support/ScratchFolder.h"

namespace {

struct CliRun {
  std::string out;
  int status;
};

// `arguments` are passed through the shell as written; `input` is the
// standard input.
CliRun RunCli(const std::string& arguments, const std::string& input) {
  tagsling::test::ScratchFolder folder;
  const std::string input_path = folder.Path("input");
  tagsling::test::PutFile(input_path, input);
  const std::string command = std::string(TAGSLING_CLI) + " " + arguments + " < " + input_path + " 2>&1";
  CliRun run{"", -1};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, read);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(CliTest, Utf8KeepsEveryCharacter) {
  const struct {
    const char* arguments;
    const char* input;
    const char* out;
    int status;
  } cases[] = {
      // Characters code page 932 has, and those it has not (emoji, é, the
      // yen sign that would come back as a backslash), in text and values.
      {"--utf8 abbr 'p{😀 é ¥ あ}[title=🎉]'", "", "<p title=\"🎉\">😀 é ¥ あ</p>", 0},
      {"abbr --utf8 'ul>li.𠮷*2'", "", "<ul>\r\n\t<li class=\"𠮷\"></li>\r\n\t<li class=\"𠮷\"></li>\r\n</ul>", 0},
      // Wrapped lines, DEL and a typed look-alike of the internal form.
      {"abbr --utf8 --wrap 'ul>li*'",
       "one 😀\r\ntwo \x7f"
       "41\x7f\r\n",
       "<ul>\r\n\t<li>one 😀</li>\r\n\t<li>two \x7f"
       "41\x7f</li>\r\n</ul>\r\n",
       0},
      {"abbr --utf8 --wrap 'p'", "Ω≠∞ 👍🏽", "<p>Ω≠∞ 👍🏽</p>", 0},
      // Invalid UTF-8 reads as U+FFFD.
      {"abbr --utf8 --wrap b", "\xff", "<b>\xEF\xBF\xBD</b>", 0},
      // The refusal's message keeps the characters too.
      {"abbr --utf8 'p😀'", "", "abbr: character 2: unexpected character 0x7F\n", 2},
      {"abbr --utf8 'ul>li*0 😀'", "", "abbr: character 6: the repeat count must be from 1 to 1000\n", 2},
      // Without --utf8 the bytes are Shift-JIS as they are.
      {"abbr 'p{\x82\xA0}'", "", "<p>\x82\xA0</p>", 0},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.arguments, c.input);
    EXPECT_EQ(run.out, c.out) << c.arguments;
    EXPECT_EQ(run.status, c.status) << c.arguments;
  }
}

TEST(CliTest, Utf8FileNamesKeepEveryCharacter) {
  tagsling::test::ScratchFolder folder;
  const std::string picture = folder.Path("caf\xC3\xA9\xE2\x98\x95.gif");  // café☕.gif
  // A GIF header of 3 x 2 pixels.
  tagsling::test::PutFile(picture, std::string("GIF89a\x03\x00\x02\x00\x00\x00\x00;", 14));
  EXPECT_EQ(RunCli("--utf8 imgsize '" + picture + "'", "").out, "3 2\n");
  EXPECT_EQ(RunCli("--utf8 relpath 'C:\\\xF0\x9F\x98\x80\\' 'C:\\\xF0\x9F\x98\x80\\a\\\xE2\x98\x95.png'", "").out,
            "a\\\xE2\x98\x95.png\n");
}

TEST(CliTest, HelpPrintsTheUsage) {
  const CliRun run = RunCli("abbr --help", "");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("usage: tagsling-cli abbr [--wrap] ABBREVIATION", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("--datafile FILE"), std::string::npos) << run.out;
  // A wrong call still says how to call it, with status 1.
  const CliRun wrong = RunCli("abbr", "");
  EXPECT_EQ(wrong.status, 1);
  EXPECT_EQ(wrong.out.rfind("usage: abbr", 0), 0u) << wrong.out;
}

}  // namespace
