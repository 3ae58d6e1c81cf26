#include <gtest/gtest.h>

#include <string>

#include "AbbrevTestSupport.h"
#include "abbrev/Abbreviation.h"
#include "platform/sim/SimDesktop.h"
#include "texttools/LosslessSjis.h"

namespace tagsling::abbrev {
namespace {

struct WrapCase {
  const char* abbreviation;
  const char* selection;
  const char* expected;  // as testing::Show gives it
};

void ExpectWraps(std::initializer_list<WrapCase> cases) {
  for (const WrapCase& c : cases) {
    EXPECT_EQ(testing::Show(WrapSelection(c.selection, c.abbreviation, {})), c.expected)
        << "abbreviation: " << c.abbreviation << ", selection: " << c.selection;
  }
}

TEST(WrapTest, SelectionBecomesTheContentOfTheInnermostElement) {
  ExpectWraps({
      {"b", "x", "<b>x</b>"},
      {"ul>li", "x", "<ul>\n\t<li>x</li>\n</ul>"},
      {"div>p+p", "x", "<div>\n\t<p>|</p>\n\t<p>x</p>\n</div>"},
      {"div>p>span^em", "x", "<div>\n\t<p><span>|</span></p>\n\t<em>x</em>\n</div>"},
      {"p{Note: }", "x", "<p>Note: x</p>"},
      {"a>img", "x", "<a href=\"|\"><img src=\"\" alt=\"\">x</a>"},
      {"p>br", "x", "<p><br>x</p>"},
      {"(p>b)+(p>i)", "x", "<p><b>|</b></p>\n<p><i>x</i></p>"},
      // A numbered repeat puts the selection into its last copy only; the
      // others are left to fill.
      {"ul>li*2", "x", "<ul>\n\t<li>|</li>\n\t<li>x</li>\n</ul>"},
      {"(div*2>p*2)*2", "x",
       "<div>\n\t<p>|</p>\n\t<p></p>\n</div>\n<div>\n\t<p></p>\n\t<p></p>\n</div>\n"
       "<div>\n\t<p></p>\n\t<p></p>\n</div>\n<div>\n\t<p></p>\n\t<p>x</p>\n</div>"},
      {"ul>li*2", "a\r\nb", "<ul>\n\t<li>|</li>\n\t<li>\n\t\ta\n\t\tb\n\t</li>\n</ul>"},
      {"p{N: }*2", "x", "<p>N: </p>\n<p>N: x</p>"},
      {"c*2", "x", "<!-- | --><!-- x -->"},
      // The selection is text: its "$" and braces are not the language's.
      {"b", "$5 {a}", "<b>$5 {a}</b>"},
      {"!", "T",
       "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>T</title>\n</head>\n"
       "<body>\n\n</body>\n</html>"},
  });
}

TEST(WrapTest, SeveralLinesGoOnLinesOfTheirOwn) {
  ExpectWraps({
      {"div", "a\r\nb", "<div>\n\ta\n\tb\n</div>"},
      {"ul>li", "a\r\nb", "<ul>\n\t<li>\n\t\ta\n\t\tb\n\t</li>\n</ul>"},
      // Blank lines stay blank, without indentation.
      {"div", "a\r\n\r\n  \r\nb", "<div>\n\ta\n\n\n\tb\n</div>"},
      // Lone LF and CR count as line breaks too.
      {"div", "a\nb\rc", "<div>\n\ta\n\tb\n\tc\n</div>"},
      // An inline element holding several lines is laid out as a block.
      {"p>b", "a\r\nb", "<p>\n\t<b>\n\t\ta\n\t\tb\n\t</b>\n</p>"},
      // The first line's indentation starts the result and comes off the
      // other lines; a line break ending the selection goes after it.
      {"div", "\ta\r\n\t\tb\r\n", "\t<div>\n\t\ta\n\t\t\tb\n\t</div>|\n"},
      {"div", "  a\r\nb", "  <div>\n  \ta\n  \tb\n  </div>"},
      // Preformatted content and templates get the text exactly.
      {"pre", "a\r\n  b", "<pre>a\n  b</pre>"},
      {"textarea", "a\r\n\tb", "<textarea>a\n\tb</textarea>"},
      {"div>pre", "a\r\nb", "<div>\n\t<pre>a\nb</pre>\n</div>"},
  });
}

TEST(WrapTest, BareStarRepeatsOncePerLine) {
  ExpectWraps({
      {"ul>li*", "a\r\nb\r\nc", "<ul>\n\t<li>a</li>\n\t<li>b</li>\n\t<li>c</li>\n</ul>"},
      // Blank lines go, and so do the blanks around each line.
      {"ul>li*", "  a \r\n\r\n\tb\t\r\n", "  <ul>\n  \t<li>a</li>\n  \t<li>b</li>\n  </ul>|\n"},
      {"ul>li.i$*>a", "a\r\nb",
       "<ul>\n\t<li class=\"i1\"><a href=\"|\">a</a></li>\n\t<li class=\"i2\"><a href=\"\">b</a></li>\n</ul>"},
      {"ol>li{$@-. }*", "x\r\ny", "<ol>\n\t<li>2. x</li>\n\t<li>1. y</li>\n</ol>"},
      {"ul>(li>a)*", "a\r\nb", "<ul>\n\t<li><a href=\"|\">a</a></li>\n\t<li><a href=\"\">b</a></li>\n</ul>"},
      // Only the first bare "*" follows the lines; the others stay single.
      {"ul>li*>span*", "a\r\nb", "<ul>\n\t<li><span>a</span></li>\n\t<li><span>b</span></li>\n</ul>"},
      // The lines go into the repeated part only.
      {"ul>li*+li.last", "a\r\nb", "<ul>\n\t<li>a</li>\n\t<li>b</li>\n\t<li class=\"last\">|</li>\n</ul>"},
      {"p*", "one", "<p>one</p>"},
      // A numbered repeat inside the per-line part numbers by its own
      // count, and each of its copies holds the line.
      {"ul>li*>b{$}*2", "a\r\nb", "<ul>\n\t<li><b>1a</b><b>2a</b></li>\n\t<li><b>1b</b><b>2b</b></li>\n</ul>"},
      // A selection of blanks only gives one empty copy to fill.
      {"ul>li*", " ", " <ul>\n \t<li>|</li>\n </ul>"},
  });
}

TEST(WrapTest, CaretCountsTheWrappedText) {
  // <a href="|">x あ</a>: '"' '>' x ' ' あ '<' '/' 'a' '>' = 9 stops.
  AbbrevResult result = WrapSelection("x \x82\xA0", "a", {});
  ASSERT_TRUE(result);
  EXPECT_EQ(result.expansion->cursor_back, 9u);
  // Nothing to fill: after the expansion, before a trailing line break.
  result = WrapSelection("x\r\n", "b", {});
  ASSERT_TRUE(result);
  EXPECT_EQ(result.expansion->caret, 8u);
  EXPECT_EQ(result.expansion->cursor_back, 1u);
}

TEST(WrapTest, LimitsAndRefusals) {
  ExpectWraps({
      {"img", "x", "error: no element of the abbreviation can hold the selection"},
      {"br+br", "x", "error: no element of the abbreviation can hold the selection"},
      {"{t}", "x", "error: no element of the abbreviation can hold the selection"},
      {"ul>br*", "x", "error: character 4: nothing in the part repeated with '*' can hold a line"},
      {"ul>li*0", "x", "error: character 6: the repeat count must be from 1 to 1000"},
  });
  std::string lines;
  for (int i = 0; i < 1000; ++i) lines += "line\r\n";
  EXPECT_TRUE(WrapSelection(lines, "ul>li*", {}));
  EXPECT_EQ(testing::Show(WrapSelection(lines + "one more", "ul>li*", {})),
            "error: the selection has more than 1000 lines");
  // The selection counts toward the output limit.
  const std::string big(kMaxOutputBytes - std::string_view("<p></p>").size(), 'x');
  EXPECT_TRUE(WrapSelection(big, "p", {}));
  EXPECT_EQ(WrapSelection(big, "p{.}", {}).error, "the expansion is larger than 1 MB");
}

// Left presses that take the simulated editor's caret from the end of
// `text` back to UTF-16 offset `target`, pressed one at a time as the
// editor moves (a CR LF is one caret stop).
std::size_t LeftPressesInEditor(const platform::WideText& text, std::size_t target) {
  std::size_t caret = text.size();
  std::size_t presses = 0;
  while (caret > target) {
    caret -= caret >= 2 && text.compare(caret - 2, 2, u"\r\n") == 0 ? 2 : 1;
    ++presses;
  }
  return presses;
}

TEST(WrapTest, TextOutsideCodePage932SurvivesThroughTheLosslessTokens) {
  platform::sim::SimDesktop desk;
  // An emoji (surrogate pair), a best-fit-only character, DEL, and a
  // lookalike of a token typed by the user.
  const platform::WideText selection =
      u"\U0001F600 one\r\n\u00A5\x7F two\r\n\x7F"
      u"41\x7F";
  const std::string sjis = texttools::ToLosslessSjis(selection, desk);

  AbbrevResult result = WrapSelection(sjis, "ul>li*>a", {});
  ASSERT_TRUE(result) << result.error;
  platform::WideText wide = texttools::FromLosslessSjis(result.expansion->text, desk);
  EXPECT_EQ(wide,
            u"<ul>\r\n\t<li><a href=\"\">\U0001F600 one</a></li>\r\n\t<li><a href=\"\">\u00A5\x7F two</a></li>\r\n"
            u"\t<li><a href=\"\">\x7F"
            u"41\x7F</a></li>\r\n</ul>");
  // The caret stops inside the first href: the Left presses cross the
  // emoji as the editor does.
  const platform::WideText before =
      texttools::FromLosslessSjis(std::string_view(result.expansion->text).substr(0, result.expansion->caret), desk);
  EXPECT_EQ(before, u"<ul>\r\n\t<li><a href=\"");
  EXPECT_EQ(result.expansion->cursor_back, LeftPressesInEditor(wide, before.size()));

  result = WrapSelection(sjis, "div", {});
  ASSERT_TRUE(result) << result.error;
  EXPECT_EQ(texttools::FromLosslessSjis(result.expansion->text, desk),
            u"<div>\r\n\t\U0001F600 one\r\n\t\u00A5\x7F two\r\n\t\x7F"
            u"41\x7F\r\n</div>");

  // In an abbreviation's text and attribute values too.
  const std::string abbreviation = texttools::ToLosslessSjis(u"a[title=\U0001F601]{\U0001F600}", desk);
  result = ExpandSelection(abbreviation, {});
  ASSERT_TRUE(result) << result.error;
  wide = texttools::FromLosslessSjis(result.expansion->text, desk);
  EXPECT_EQ(wide, u"<a href=\"\" title=\"\U0001F601\">\U0001F600</a>");
  EXPECT_EQ(result.expansion->cursor_back, LeftPressesInEditor(wide, 9));
}

}  // namespace
}  // namespace tagsling::abbrev
