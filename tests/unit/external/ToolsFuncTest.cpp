#include "external/ToolsFunc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/support/TextToolsFakes.h"

namespace tagsling::external {
namespace {

using platform::WideText;
using texttools::testing::W;

platform::TextCodec& Codec() {
  static platform::sim::SimDesktop desk;
  return desk;
}

// A document lookup that answers from fixed values and records each call.
struct FakeLookup {
  WideText file;
  WideText folder;
  std::vector<bool> calls;  // the want-folder flag of each call
  DocumentLookup Function() {
    return [this](bool want_folder) {
      calls.push_back(want_folder);
      return want_folder ? folder : file;
    };
  }
};

TEST(ToolsFuncTest, ExpandsPlaceholdersInOnePass) {
  struct Case {
    const char* param_template;
    const char* file;
    const char* folder;
    const char* public_dir;
    const char* expected;
    std::vector<bool> lookups;
  };
  const Case cases[] = {
      {"-f %F -o %d", "C:\\web\\a.htm", "C:\\web", "", "-f \"C:\\web\\a.htm\" -o \"C:\\web\"", {false, true}},
      {"%f%f", "C:\\web\\a.htm", "", "", "\"C:\\web\\a.htm\"\"C:\\web\\a.htm\"", {false}},
      // Inserted text is never read as a placeholder.
      {"%f", "C:\\web\\%d%f.htm", "C:\\web", "", "\"C:\\web\\%d%f.htm\"", {false}},
      {"%D %d", "", "", "C:\\%f\\pub", "\"C:\\%f\\pub\" \"C:\\%f\\pub\"", {}},
      {"%d", "", "", "C:\\base", "\"C:\\base\"", {}},
      {"--check index", "", "", "", "--check index", {}},
      {"%%F 100% %x", "C:\\a.htm", "", "", "%\"C:\\a.htm\" 100% %x", {false}},
      // Spaces stay inside one argument; a root folder's backslash does not
      // escape the closing quote.
      {"%f %d", "C:\\My Web\\a b.htm", "C:\\My Web", "", "\"C:\\My Web\\a b.htm\" \"C:\\My Web\"", {false, true}},
      {"%d", "C:\\a.htm", "C:\\", "", "\"C:\\\\\"", {true}},
      // A double-byte character before a placeholder.
      {"\x82\xa0%f", "C:\\a.htm", "", "", "\x82\xa0\"C:\\a.htm\"", {false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.param_template);
    FakeLookup lookup{W(c.file), W(c.folder), {}};
    std::optional<WideText> params = ExpandToolParams(W(c.param_template), W(c.public_dir), lookup.Function());
    ASSERT_TRUE(params.has_value());
    EXPECT_EQ(*params, W(c.expected));
    EXPECT_EQ(lookup.calls, c.lookups);
  }
}

// The document path goes into the parameter line as the editor's title
// named it, characters code page 932 cannot hold included.
TEST(ToolsFuncTest, DocumentPathsOutsideCodePage932) {
  FakeLookup lookup{u"C:\\Café ☕\\😀 \"x\".htm", u"C:\\Café ☕", {}};
  EXPECT_EQ(ExpandToolParams(u"-f %f -d %d", u"", lookup.Function()),
            u"-f \"C:\\Café ☕\\😀 \\\"x\\\".htm\" -d \"C:\\Café ☕\"");
  std::optional<ShellStart> start =
      PlanExternalTool({"T", "C:\\\x95\x5c\\t.exe", "%f", ""}, "", lookup.Function(), Codec());
  ASSERT_TRUE(start);
  EXPECT_EQ(*start, (ShellStart{u"open", u"C:\\表\\t.exe", u"\"C:\\Café ☕\\😀 \\\"x\\\".htm\"", u"C:\\表\\"}));
}

TEST(ToolsFuncTest, StopsWhenANeededLookupFails) {
  FakeLookup no_document{u"", u"", {}};
  EXPECT_FALSE(ExpandToolParams(u"%f", u"", no_document.Function()));
  // The file comes first; its failure stops before the folder is asked for.
  EXPECT_FALSE(ExpandToolParams(u"%d %f", u"", no_document.Function()));
  EXPECT_EQ(no_document.calls, (std::vector<bool>{false, false}));

  FakeLookup no_folder{u"C:\\a.htm", u"", {}};
  EXPECT_FALSE(ExpandToolParams(u"%f %d", u"", no_folder.Function()));
  EXPECT_EQ(no_folder.calls, (std::vector<bool>{false, true}));

  // A tool without placeholders starts even when no editor is running.
  EXPECT_TRUE(PlanExternalTool({"Tidy", "C:\\tools\\tidy.exe", "-q", ""}, "", no_document.Function(), Codec()));
  EXPECT_FALSE(PlanExternalTool({"Tidy", "C:\\tools\\tidy.exe", "%f", ""}, "", no_document.Function(), Codec()));
}

TEST(ToolsFuncTest, PlansTheShellStart) {
  FakeLookup lookup{u"C:\\web\\a.htm", u"C:\\web", {}};
  std::optional<ShellStart> start =
      PlanExternalTool({"Tidy", "C:\\tools\\tidy.exe", "-m %f", ""}, "", lookup.Function(), Codec());
  ASSERT_TRUE(start);
  EXPECT_EQ(*start, (ShellStart{u"open", u"C:\\tools\\tidy.exe", u"-m \"C:\\web\\a.htm\"", u"C:\\tools\\"}));

  EXPECT_EQ(ToolWorkingFolder({"T", "C:\\tools\\tidy.exe", "", "D:\\tmp"}), "D:\\tmp");
  EXPECT_EQ(ToolWorkingFolder({"T", "tidy.exe", "", ""}), "");
}

TEST(ToolsFuncTest, FailureReportNamesFileCodeAndTitle) {
  std::string message = ToolStartFailedMessage({"Tidy", "C:\\tools\\tidy.exe", "", ""}, 2);
  // File " の起動に失敗しました(2)。" CR LF "「Tidy」の設定を確認して下さい。"
  EXPECT_EQ(message,
            "C:\\tools\\tidy.exe \x82\xcc\x8bN\x93\xae\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd(2)\x81"
            "B\r\n\x81uTidy\x81v\x82\xcc\x90\xdd\x92\xe8\x82\xf0\x8am\x94"
            "F\x82\xb5\x82\xc4\x89\xba\x82\xb3\x82\xa2\x81"
            "B");
  EXPECT_TRUE(ShellStartFailed(32));
  EXPECT_FALSE(ShellStartFailed(33));
}

}  // namespace
}  // namespace tagsling::external
