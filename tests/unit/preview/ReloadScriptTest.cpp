#include "preview/ReloadScript.h"

#include <gtest/gtest.h>

#include <string>

namespace tagsling::preview {
namespace {

// "@" in a case marks where the script must land.
struct InjectCase {
  const char* name;
  std::string page;
};

const InjectCase kCases[] = {
    {"before the body's end", "<html><body><p>x</p>@</body></html>"},
    {"upper case", "<HTML><BODY>x@</BODY></HTML>"},
    {"mixed case with blanks", "<body>x@</Body >\n</html>"},
    {"no body end: appended", "<p>fragment</p>@"},
    {"empty page", "@"},
    {"the last of two", "<body>a</body><body>b@</body>"},
    {"not inside a comment", "<body>x@</body><!-- </body> -->"},
    {"a comment before the real end", "<body><!-- </body> -->x@</body>"},
    {"an unclosed comment hides the rest", "<body>x@</body><!-- </body>"},
    {"not a longer tag name", "<body><bodyx></bodyx>@"},
    {"Shift-JIS text kept byte for byte", "<meta charset=\"Shift_JIS\"><body>\x83\x5C\x82\xA0@</body>"},
};

TEST(InjectReloadScript, PutsTheScriptWhereTheTableSays) {
  for (const InjectCase& c : kCases) {
    std::string expected = c.page;
    const std::size_t mark = expected.find('@');
    expected.replace(mark, 1, ReloadScriptTag());
    std::string page = c.page;
    page.erase(mark, 1);
    EXPECT_EQ(InjectReloadScript(page), expected) << c.name;
  }
}

std::string Utf16(std::string_view ascii, bool little) {
  std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : ascii) {
    out += little ? std::string{c, '\0'} : std::string{'\0', c};
  }
  return out;
}

TEST(InjectReloadScript, WritesUtf16PagesInTheirOwnByteOrder) {
  for (bool little : {true, false}) {
    const std::string page = Utf16("<body>x</BODY>", little);
    const std::string expected = Utf16(std::string("<body>x") + ReloadScriptTag() + "</BODY>", little);
    EXPECT_EQ(InjectReloadScript(page), expected) << little;
  }
}

TEST(ReloadScriptTag, ListensOnTheServersEventPath) {
  EXPECT_NE(ReloadScriptTag().find("\"/__tagsling/events\""), std::string::npos);
  EXPECT_TRUE(ReloadScriptTag().starts_with("<script>"));
  EXPECT_TRUE(ReloadScriptTag().ends_with("</script>"));
}

}  // namespace
}  // namespace tagsling::preview
