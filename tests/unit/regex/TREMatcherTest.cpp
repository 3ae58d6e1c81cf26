#include "regex/TREMatcher.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "regex/TMatchCORE.h"

namespace tagsling {
namespace {

// The search the string object would choose, from the start of the text:
// "start,end" or "none".
std::string Find(const std::string& pattern, const std::string& text, TMatchCORE_LineSeparator sep = mcls_CRLF) {
  TMatchCORE core;
  core.SetLineSeparator(sep);
  core.SetRegExp(pattern);
  bool anchored = core.HeadAnchored() || core.TailAnchored();
  auto match = anchored ? core.AnchoredSearch(text) : core.PlainSearch(text);
  return match ? std::to_string(match->start) + "," + std::to_string(match->end) : "none";
}

struct FindCase {
  const char* pattern;
  std::string text;
  const char* expected;
  TMatchCORE_LineSeparator sep = mcls_CRLF;
};

TEST(TREMatcherTest, LeftmostLongest) {
  const FindCase cases[] = {
      {"a|ab", "xab", "1,3"},
      {"[<]([^<>]*)[>]|[<][!][-][-](.*)[-][-][>]", "<!-- a --> b -->", "0,16"},
      {"^.*[ ][-][ ]", "A - B - C", "0,8"},
      {"x*", "abc", "0,0"},
      {"x*", "", "0,0"},
      {"x", "", "none"},
      {"b", "abc", "1,2"},
      {"a^", "xa^", "1,3"},   // not at the start: a literal "^"
      {"a$b", "a$b", "0,3"},  // not at the end: a literal "$"
      {"x*^a", "^a", "0,2"},
      {"(a$)*", "a$a$", "0,4"},
      {"\x82\xa0+", "x\x82\xa0\x82\xa0y", "1,5"},
      {"a",
       "\x82"
       "a",
       "none"},                       // the "a" is a trail byte
      {".", "\x82", "0,1"},           // a lone lead byte reads as one character
      {"[^<>]*", "ab\r\ncd", "0,2"},  // negated classes never match line breaks
      {"\\x0", "a", "none"},          // code 0 never matches (the end never moves)
      {"a\\x0*b", "ab", "0,2"},
      {"[^\\x1-\\xFFFF]|b", "ab", "1,2"},  // an empty negated class matches nothing
      {"\\xFFFD", "a", "none"},            // no character code is taken for an anchor
      {"^x|\\xFFFDy", "y", "none"},
  };
  for (const FindCase& c : cases)
    EXPECT_EQ(Find(c.pattern, c.text, c.sep), c.expected) << c.pattern << " on " << c.text;
}

TEST(TREMatcherTest, Anchors) {
  const FindCase cases[] = {
      {".*$", "abc\r\n", "0,3", mcls_CRLF},
      {".*$", "abc\r\n", "4,4", mcls_LF},
      {"$", "abc", "3,3"},
      {"^", "abc", "0,0"},
      {"^b", "a\nb", "2,3"},
      {"^b", "a\rb", "none"},
      {"(^a|b)c", "xbc", "1,3"},
      {"(^a|b)c", "x\nac", "2,4"},
      {"^a|b", "b", "0,1"},
      {"a$", "a\r\nb", "0,1"},
      {"a$", "ab\nc", "none"},
      {"^$", "a\n", "2,2"},
      {"^$", "a\n\nb", "none"},  // the empty line ends in a line feed, not CR
      {"^$", "a\n\nb", "2,2", mcls_LF},
      // "$" is honoured where the automaton passes, even when a longer
      // alternative runs on through the separator and fails.
      {"a$|a\\rb", "a\rc", "0,1"},
      {"a$|a\\rb", "a\rb", "0,3"},
      {"$", std::string("ab\0cd", 5), "2,2"},  // a NUL byte ends the text
      {"(^a)?", "", "0,0"},                    // nullable anchored patterns match empty texts
      {"(^a)?", "b", "0,0"},
  };
  for (const FindCase& c : cases)
    EXPECT_EQ(Find(c.pattern, c.text, c.sep), c.expected) << c.pattern << " on " << c.text;
}

TEST(TREMatcherTest, RepeatedFailingRunsStayLinear) {
  // Each "<!--" starts a run to the end of the text; remembering dead
  // (position, state) pairs must give the same answers as plain running.
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "<!--";
  EXPECT_EQ(Find("[<]([^<>]*)[>]|[<][!][-][-](.*)[-][-][>]", text), "none");
  EXPECT_EQ(Find("[<]([^<>]*)[>]|[<][!][-][-](.*)[-][-][>]", text + "-->"), "0,12003");
  EXPECT_EQ(Find("[ ]*[-][-][>]", std::string(20000, ' ') + "x-->"), "20001,20004");
  EXPECT_EQ(Find("[ ]*[-][-][>]|x", std::string(20000, ' ') + "x"), "20000,20001");
}

TEST(TREMatcherTest, RememberingDeadPairsNeverChangesResults) {
  const char* patterns[] = {
      "[<]([^<>]*)[>]|[<][!][-][-](.*)[-][-][>]",
      "[<][!][-][-][ ]*|[ ]*[-][-][>]",
      "^.*[ ][-][ ]",
      "[ ][-][ ].*$",
      "a.*b|a",
      "(^a|-)*-$|!",
  };
  const char* pieces[] = {"<", ">", "!", "-", "a", "b", " ", "\n", "\r", "\x82\xa0"};
  std::mt19937 random(11);
  TMatchCORE core;
  for (const char* pattern : patterns) {
    core.SetRegExp(pattern);
    for (int round = 0; round < 12; ++round) {
      std::string text;
      for (int i = 0; i < 200; ++i) text += pieces[random() % std::size(pieces)];
      TREMatcher plain = core.MatcherFor(text);
      plain.SetRememberAfter(std::numeric_limits<std::size_t>::max());
      TREMatcher remembering = core.MatcherFor(text);  // one matcher for all searches, as in GSub
      remembering.SetRememberAfter(0);
      ASSERT_EQ(plain.AnchoredSearch(0), remembering.AnchoredSearch(0)) << pattern;
      for (std::size_t pos = 0; pos < text.size(); pos += plain.CharLength(pos)) {
        ASSERT_EQ(plain.Scan(pos), remembering.Scan(pos)) << pattern << " at " << pos;
        ASSERT_EQ(plain.PlainSearch(pos), remembering.PlainSearch(pos)) << pattern << " at " << pos;
      }
    }
  }
}

}  // namespace
}  // namespace tagsling
