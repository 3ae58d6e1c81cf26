// tagsling-cli's verbs as a script sees them: each case starts the built
// program with its arguments and standard input and checks the exit status,
// standard output and standard error. The verbs' rules are tested where they
// live; these cases pin the command line: usage errors, exit statuses, bytes
// in and out, and the --utf8 conversions both ways.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct CliOutcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ShellQuoted(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class CliRunner {
 public:
  CliRunner() : folder_(std::filesystem::temp_directory_path() / ("tagsling-cli-test-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(folder_);
  }
  ~CliRunner() { std::filesystem::remove_all(folder_); }

  std::filesystem::path Path(const std::string& name) const { return folder_ / name; }

  CliOutcome operator()(const std::vector<std::string>& args, const std::string& input = "") const {
    WriteFile(Path("in"), input);
    std::string command = ShellQuoted(TAGSLING_CLI_PATH);
    for (const std::string& arg : args) command.append(" ").append(ShellQuoted(arg));
    command.append(" <").append(ShellQuoted(Path("in"))).append(" >").append(ShellQuoted(Path("out")));
    command.append(" 2>").append(ShellQuoted(Path("err")));
    const int raw = std::system(command.c_str());
    CliOutcome run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadFile(Path("out"));
    run.err = ReadFile(Path("err"));
    return run;
  }

 private:
  std::filesystem::path folder_;
};

// "日本" in code page 932 and in UTF-8.
const std::string kNihonSjis = "\x93\xfa\x96\x7b";
const std::string kNihonUtf8 = "\xe6\x97\xa5\xe6\x9c\xac";

struct VerbCase {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  int status;
  std::string out;
  std::string err_part;  // a part of standard error ("" when it must be empty)
};

void PrintTo(const VerbCase& c, std::ostream* os) { *os << c.name; }

class CliVerbs : public testing::TestWithParam<VerbCase> {};

TEST_P(CliVerbs, StatusOutputAndErrors) {
  const VerbCase& c = GetParam();
  const CliOutcome run = CliRunner()(c.args, c.input);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.out, c.out);
  if (c.err_part.empty()) {
    EXPECT_EQ(run.err, "");
  } else {
    EXPECT_NE(run.err.find(c.err_part), std::string::npos) << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliVerbs,
    testing::Values(
        // The program's own usage errors.
        VerbCase{"NoVerb", {}, "", 1, "", "usage: tagsling-cli VERB"},
        VerbCase{"UnknownVerb", {"frobnicate"}, "", 1, "", "unknown verb: frobnicate\nusage: tagsling-cli VERB"},
        // Each verb's wrong argument count or value.
        VerbCase{"MatchWithoutPattern", {"match"}, "", 1, "", "usage: tagsling-cli match PATTERN"},
        VerbCase{"SubWithoutReplacement", {"sub", "a"}, "", 1, "", "usage: tagsling-cli sub"},
        VerbCase{"GsubWithoutArguments", {"gsub"}, "", 1, "", "usage: tagsling-cli gsub"},
        VerbCase{"DeltagsUnknownMode", {"deltags", "some"}, "<b>x</b>", 2, "", "deltags: unknown mode \"some\""},
        VerbCase{"DeltagsWithoutMode", {"deltags"}, "", 2, "", "usage: tagsling-cli deltags"},
        VerbCase{"HotkeyWithoutText", {"hotkey"}, "", 2, "", "usage: hotkey TEXT"},
        VerbCase{"RelpathWithOneArgument", {"relpath", "C:\\site"}, "", 2, "", "usage: tagsling-cli relpath"},
        VerbCase{"IniWithoutAction", {"ini"}, "", 1, "", "usage: ini get"},
        VerbCase{"IniUnknownAction", {"ini", "list", "f"}, "", 1, "", "usage: ini get"},
        VerbCase{"AbbrWithoutAbbreviation", {"abbr"}, "", 1, "", "usage: abbr"},
        VerbCase{"AbbrMissingDatafile",
                 {"abbr", "p", "--datafile", "/nonexistent/Html.dat"},
                 "",
                 1,
                 "",
                 "cannot read /nonexistent/Html.dat"},
        // Patterns: the first match by its 1-based byte position and byte
        // length, and errors with their position (status 2).
        VerbCase{"MatchFindsPositionAndLength", {"match", "b+"}, "abbbc", 0, "2 3\n", ""},
        VerbCase{"MatchFindsNothing", {"match", "z"}, "abc", 0, "0 0\n", ""},
        VerbCase{"MatchBadPattern", {"match", "a("}, "abc", 2, "", " (position 3)\n"},
        VerbCase{"SubReplacesTheFirst", {"sub", "b", "X"}, "abcb", 0, "aXcb", ""},
        VerbCase{"GsubReplacesEvery", {"gsub", "b", "X"}, "abcb", 0, "aXcX", ""},
        VerbCase{"GsubCounts", {"gsub", "b", "X", "--count"}, "abcb", 0, "2\n", ""},
        // Text tools.
        VerbCase{"DeltagsAll", {"deltags", "all"}, "<p><b>x</b></p>", 0, "x", ""},
        VerbCase{"DeltagsOuter", {"deltags", "outer"}, "<p><b>x</b></p>", 0, "<b>x</b>", ""},
        VerbCase{"DeltagsTooLongIsCopied",
                 {"deltags", "all"},
                 "<b>" + std::string(10000, 'x') + "</b>",
                 3,
                 "<b>" + std::string(10000, 'x') + "</b>",
                 ""},
        VerbCase{"HotkeyCanonicalText", {"hotkey", "ctrl+shift+a"}, "", 0, "0x6041 Shift+Ctrl+A\n", ""},
        VerbCase{"HotkeyNamesNoKey", {"hotkey", ""}, "", 0, "0 \n", ""},
        VerbCase{"RelpathInsideTheBase", {"relpath", "C:\\site", "C:\\site\\img\\a.png"}, "", 0, "img\\a.png\n", ""},
        // Abbreviations: the expansion, the wrap of standard input, a refusal.
        VerbCase{"AbbrExpands", {"abbr", "ul>li*2"}, "", 0, "<ul>\r\n\t<li></li>\r\n\t<li></li>\r\n</ul>", ""},
        VerbCase{"AbbrWrapsLines",
                 {"abbr", "--wrap", "ul>li*"},
                 "one\r\ntwo",
                 0,
                 "<ul>\r\n\t<li>one</li>\r\n\t<li>two</li>\r\n</ul>",
                 ""},
        VerbCase{"AbbrRefused", {"abbr", "ul>"}, "", 2, "", "abbr: "},
        // Bytes by default, UTF-8 both ways with --utf8.
        VerbCase{"DeltagsKeepsShiftJisBytes", {"deltags", "all"}, "<b>" + kNihonSjis + "</b>", 0, kNihonSjis, ""},
        VerbCase{"DeltagsUtf8RoundTrip", {"deltags", "all", "--utf8"}, "<b>" + kNihonUtf8 + "</b>", 0, kNihonUtf8, ""},
        VerbCase{"MatchUtf8ArgumentAndInput", {"--utf8", "match", kNihonUtf8}, "a" + kNihonUtf8, 0, "2 4\n", ""},
        VerbCase{"AbbrUtf8Text", {"abbr", "p{" + kNihonUtf8 + "}", "--utf8"}, "", 0, "<p>" + kNihonUtf8 + "</p>", ""},
        VerbCase{"UnknownVerbUtf8Message", {"--utf8", kNihonUtf8}, "", 1, "", "unknown verb: " + kNihonUtf8}),
    [](const testing::TestParamInfo<VerbCase>& info) { return std::string(info.param.name); });

// A value written with --utf8 is stored in code page 932 and reads back the
// same both ways.
TEST(CliIni, Utf8ValueIsStoredAsShiftJisAndReadsBack) {
  const CliRunner cli;
  const std::string file = cli.Path("settings.INI").string();
  ASSERT_EQ(cli({"ini", "set", file, "Option", "Name", kNihonUtf8, "--utf8"}).status, 0);
  EXPECT_EQ(ReadFile(file), "[Option]\r\nName=" + kNihonSjis + "\r\n");
  EXPECT_EQ(cli({"ini", "get", file, "Option", "Name"}).out, kNihonSjis + "\n");
  EXPECT_EQ(cli({"ini", "get", file, "Option", "Name", "--utf8"}).out, kNihonUtf8 + "\n");
  EXPECT_EQ(cli({"ini", "get", file, "Option", "Missing", "none"}).out, "none\n");
  ASSERT_EQ(cli({"ini", "erase", file, "Option"}).status, 0);
  EXPECT_EQ(cli({"ini", "get", file, "Option", "Name"}).out, "\n");
}

TEST(CliIni, UnwritableFileIsReported) {
  const CliOutcome run = CliRunner()({"ini", "set", "/nonexistent/folder/x.INI", "S", "K", "V"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("/nonexistent/folder/x.INI"), std::string::npos) << run.err;
}

}  // namespace
