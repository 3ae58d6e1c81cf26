#include "regex/TAWKStr.h"

#include <gtest/gtest.h>

#include <string>

namespace tagsling::regex {
namespace {

// Patterns exactly as the program sets them.
const char kOuterTag[] = "[<]([^<>]*)[>]|[<][!][-][-](.*)[-][-][>]";
const char kOuterTagMirror[] = "[>]([^><]*)[<]|[>][-][-](.*)[-][-][!][<]";
const char kAnyTag[] = "[<]([^<>]*)[>]";
const char kCommentMarks[] = "[<][!][-][-][ \x81\x40]*|[ \x81\x40]*[-][-][>]";

std::string MatchText(const char* pattern, const std::string& text) {
  TAWKStr awk;
  awk.SetRegExp(pattern);
  std::size_t position = 0, length = 0;
  std::size_t result = awk.Match(text, position, length);
  EXPECT_EQ(result, position);
  return position ? text.substr(position - 1, length) : "<none>";
}

struct Replace {
  std::string text;
  std::size_t count;
};

Replace GSub(const char* pattern, const char* replacement, std::string text, TMatchCORE_LineSeparator sep = kCRLF) {
  TAWKStr awk;
  awk.SetLineSeparator(sep);
  awk.SetRegExp(pattern);
  std::size_t count = awk.GSub(replacement, text);
  return {text, count};
}

Replace Sub(const char* pattern, const char* replacement, std::string text) {
  TAWKStr awk;
  awk.SetRegExp(pattern);
  bool replaced = awk.Sub(replacement, text);
  return {text, replaced ? 1u : 0u};
}

TEST(TAWKStrTest, MatchReportsOneBasedPositionAndLength) {
  TAWKStr awk;
  std::size_t position = 9, length = 9;
  awk.SetRegExp("b");
  EXPECT_EQ(awk.Match("abc", position, length), 2u);
  EXPECT_EQ(length, 1u);
  awk.SetRegExp("x");
  EXPECT_EQ(awk.Match("abc", position, length), 0u);
  EXPECT_EQ(position, 0u);
  EXPECT_EQ(length, 0u);
  awk.SetRegExp("x*");
  EXPECT_EQ(awk.Match("abc", position, length), 1u);  // the empty match at the start
  EXPECT_EQ(length, 0u);
}

TEST(TAWKStrTest, EditorTitlePatterns) {
  const struct {
    const char* pattern;
    std::string title;
    const char* matched;
  } cases[] = {
      {"[\\[].*[\\]]", "Editor - [C:/web/a.html] [2]", "[C:/web/a.html] [2]"},
      {"^.*[ ][-][ ]", "a.html - Notepad - x", "a.html - Notepad - "},
      {"[ ][-][ ].*$", "Notepad - C:\\web\\a.html", " - C:\\web\\a.html"},
      {"[:][ ].*$", "Edit: C:\\a.html", ": C:\\a.html"},
      {"[ ][-][ ].*$", "\x95\x5c - \x82\xa0", " - \x82\xa0"},
      {"[\\[].*[\\]]", "no brackets", "<none>"},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchText(c.pattern, c.title), c.matched) << c.pattern;
}

TEST(TAWKStrTest, TagDeletionPatterns) {
  const struct {
    const char* pattern;
    bool global;
    std::string text;
    std::string result;
    std::size_t count;
  } cases[] = {
      {kOuterTag, true, "<p>hello</p>", "hello", 2},
      {kOuterTag, true, "<br>", "", 1},
      {kOuterTag, true, "<!-- <b>x</b> -->", "", 1},  // the comment is the longer match
      {kOuterTag, true, "<!-- a --> b -->c", "c", 1},
      {kOuterTag, false, "<a href=x><b>t</b></a>", "<b>t</b></a>", 1},
      {kOuterTagMirror, false, ">a/<>b/<t>b<>x=ferh a<", ">b/<t>b<>x=ferh a<", 1},
      {kAnyTag, true, "<<b>i>x", "<i>x", 1},
      {kAnyTag, true, "a<b>c</b>\x82\xa0<i\x82\xa0>", "ac\x82\xa0", 3},
      {kCommentMarks, true, "<!--\x81\x40note -->", "note", 2},
      {kCommentMarks, true, "<!--  a  -->b<!--c-->",
       "ab"
       "c",
       4},
  };
  for (const auto& c : cases) {
    Replace out = c.global ? GSub(c.pattern, "", c.text) : Sub(c.pattern, "", c.text);
    EXPECT_EQ(out.text, c.result) << c.pattern << " on " << c.text;
    EXPECT_EQ(out.count, c.count) << c.pattern << " on " << c.text;
  }
}

TEST(TAWKStrTest, GSubCases) {
  const struct {
    const char* pattern;
    const char* replacement;
    std::string text;
    std::string result;
    std::size_t count;
    TMatchCORE_LineSeparator sep = kCRLF;
  } cases[] = {
      {"a", "<&>", "banana", "b<a>n<a>n<a>", 3},
      {"x*", "-", "ab", "-a-b", 2},
      {"x*", "-", "", "-", 1},
      {"x", "-", "", "", 0},
      {"^a", "", "aa\naa", "a\na", 2},
      {"^a", "", "aa\raa", "a\raa", 1},
      {"$", "!", "a\r\nb", "a!\r\nb!", 2},
      {"$", "!", "a\nb", "a\nb!", 1},
      {"$", "!", "a\nb", "a!\nb!", 2, kLF},
      {"x*", "-", "a\r\nb", "-a-\r\n-b", 3},  // CR and LF travel together
      {"x*", "-", "a\r\nb", "-a-\r-\n-b", 4, kLF},
      {"x*", "-",
       "\r\x82\xa0"
       "b",
       "-\r\x82\xa0-b", 2},  // never splits a double-byte character
      {"x*", "-", "\x82\xa0\x82\xa0", "-\x82\xa0-\x82\xa0", 2},
      {"b", "", std::string("ab\0b", 4), std::string("a\0b", 3), 1},      // bytes after a NUL stay
      {"b|$", "!", std::string("ab\0b", 4), std::string("a!\0b", 4), 1},  // as for "ab": the text ended
      {"a", "\\&", "cat", "c&t", 1},
  };
  for (const auto& c : cases) {
    Replace out = GSub(c.pattern, c.replacement, c.text, c.sep);
    EXPECT_EQ(out.text, c.result) << c.pattern << " on " << c.text;
    EXPECT_EQ(out.count, c.count) << c.pattern << " on " << c.text;
  }
}

TEST(TAWKStrTest, SubReplacesOnlyTheFirstMatch) {
  EXPECT_EQ(Sub("a", "\\&", "cat").text, "c&t");
  EXPECT_EQ(Sub("a", "[&]", "banana").text, "b[a]nana");
  Replace none = Sub("x", "y", "abc");
  EXPECT_EQ(none.text, "abc");
  EXPECT_EQ(none.count, 0u);
}

TEST(TAWKStrTest, BadReplacementLeavesTheTextAlone) {
  TAWKStr awk;
  awk.SetRegExp("a");
  std::string text = "banana";
  EXPECT_THROW(awk.Sub("x\\", text), ERegExpParser);
  EXPECT_EQ(text, "banana");
  EXPECT_THROW(awk.GSub("x\\", text), ERegExpParser);
  EXPECT_EQ(text, "banana");
  EXPECT_FALSE(awk.Sub("\\", text = "xyz"));  // no match: the replacement is never read
}

}  // namespace
}  // namespace tagsling::regex
