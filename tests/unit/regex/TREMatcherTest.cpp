#include "regex/TREMatcher.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "regex/TMatchCORE.h"
#include "tests/unit/regex/RestartingSearch.h"

namespace tagsling::regex {
namespace {

// The search the string object would choose, from the start of the text:
// "start,end" or "none".
std::string Find(const std::string& pattern, const std::string& text, TMatchCORE_LineSeparator sep = kCRLF) {
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
  TMatchCORE_LineSeparator sep = kCRLF;
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
      {".*$", "abc\r\n", "0,3", kCRLF},
      {".*$", "abc\r\n", "4,4", kLF},
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
      {"^$", "a\n\nb", "2,2", kLF},
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

// Every search from every character start agrees with the restarting
// search, whether dead pairs are remembered from the first step, after the
// usual budget, or never.
void ExpectSameAsRestarting(TMatchCORE& core, const std::string& text, const std::string& where) {
  test::RestartingSearch reference(core.CurrentDFA(), text, core.SeparatorByte());
  TREMatcher never = core.MatcherFor(text);
  never.SetRememberAfter(std::numeric_limits<std::size_t>::max());
  TREMatcher always = core.MatcherFor(text);  // one matcher for all searches, as in GSub
  always.SetRememberAfter(0);
  TREMatcher usual = core.MatcherFor(text);
  for (std::size_t pos = 0;; pos += reference.CharLength(pos)) {
    auto scan = reference.Scan(pos);
    auto plain = reference.PlainSearch(pos);
    auto anchored = reference.AnchoredSearch(pos);
    for (TREMatcher* matcher : {&never, &always, &usual}) {
      ASSERT_EQ(matcher->Scan(pos), scan) << where << " Scan at " << pos;
      ASSERT_EQ(matcher->PlainSearch(pos), plain) << where << " PlainSearch at " << pos;
      ASSERT_EQ(matcher->AnchoredSearch(pos), anchored) << where << " AnchoredSearch at " << pos;
    }
    if (pos >= never.Length()) break;
  }
}

const char* const kPatterns[] = {
    "[<]([^<>]*)[>]|[<][!][-][-](.*)[-][-][>]",
    "[>]([^><]*)[<]|[>][-][-](.*)[-][-][!][<]",
    "[<][!][-][-][ \x81\x40]*|[ \x81\x40]*[-][-][>]",
    "[\\[].*[\\]]",
    "^.*[ ][-][ ]",
    "[ ][-][ ].*$",
    "[:][ ].*$",
    "a.*b|a",
    "a|a.*c",
    "(^a|-)*-$|!",
    "$",
    "^",
    "x*",
    "^$|a",
    "a$|a\\rb",
    "\x82\xa0|\\x82",
    "[\x81\x40-\x9f\xfc]+a",
    "\\\\|\\[",
    "\\n^a",
};

TEST(TREMatcherTest, SameResultsAsRestartingAtEveryStart) {
  // Pieces chosen so that candidate bytes show up as trail bytes ("[" "\"
  // "a" "<" and line breaks after a lead byte) and after runs of lead bytes
  // of either parity.
  const char* pieces[] = {"<",
                          ">",
                          "!",
                          "-",
                          "a",
                          "b",
                          " ",
                          "\n",
                          "\r",
                          "[",
                          "]",
                          "\\",
                          ":",
                          "\x82\xa0",
                          "\x81\x40",
                          "\x81[",
                          "\x95\\",
                          "\x82<",
                          "\x81\n",
                          "\x81\r",
                          "\x81",
                          "\xe0\x81",
                          "\x9f\xfc\x81",
                          "\x82"};
  std::mt19937 random(11);
  TMatchCORE core;
  for (TMatchCORE_LineSeparator sep : {kCRLF, kLF}) {
    core.SetLineSeparator(sep);
    for (const char* pattern : kPatterns) {
      core.SetRegExp(pattern);
      for (int round = 0; round < 10; ++round) {
        std::string text;
        std::size_t piece_count = random() % 60;
        for (std::size_t i = 0; i < piece_count; ++i) text += pieces[random() % std::size(pieces)];
        ExpectSameAsRestarting(core, text, std::string(pattern) + " on text " + std::to_string(round));
      }
    }
  }
}

TEST(TREMatcherTest, CandidatesAfterLeadByteRuns) {
  // A candidate byte after k lead bytes begins a character exactly when k is
  // even (the lead bytes pair off); after a non-lead byte the count restarts.
  TMatchCORE core;
  for (const char* pattern : {"[\\[].*[\\]]", "a", "\\\\", "[<]([^<>]*)[>]", "[\\[a]|\\n"}) {
    core.SetRegExp(pattern);
    for (int run = 0; run <= 9; ++run)
      for (const char* lead : {"\x81", "\x9f", "\xe0", "\xfc"})
        for (const char* tail : {"[a]", "a", "\\", "<b>", "\n[x]"}) {
          std::string text = "x";
          for (int i = 0; i < run; ++i) text += lead;
          text += tail;
          ExpectSameAsRestarting(core, text, std::string(pattern) + " after " + std::to_string(run) + " lead bytes");
          ExpectSameAsRestarting(core, text + text, std::string(pattern) + " twice");
        }
  }
  EXPECT_EQ(Find("[\\[].*[\\]]", "\x81[\x81]"), "none");  // both brackets are trail bytes
  EXPECT_EQ(Find("[\\[].*[\\]]", "\x81\x81[\x81\x81]"), "2,6");
  EXPECT_EQ(Find("a",
                 "\x81\x81\x81"
                 "a"),
            "none");
  EXPECT_EQ(Find("^a", "\x81\na\na"), "4,5");  // the first line feed is a trail byte
}

TEST(TREMatcherTest, SearchTables) {
  // The program's patterns get a search table (the fast path); a pattern
  // whose sets of runs explode gets none and is searched thread by thread,
  // with the same results.
  TMatchCORE core;
  for (const char* pattern :
       {kPatterns[0], kPatterns[1], kPatterns[2], kPatterns[3], kPatterns[4], kPatterns[5], kPatterns[6]}) {
    core.SetRegExp(pattern);
    EXPECT_NE(core.CurrentDFA().SearchTable(), nullptr) << pattern;
  }
  core.SetRegExp("(a|b)*a(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)");
  EXPECT_EQ(core.CurrentDFA().SearchTable(), nullptr);
  std::mt19937 random(5);
  for (int round = 0; round < 20; ++round) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "ab\n"[random() % 3];
    ExpectSameAsRestarting(core, text, "explosive pattern");
  }
}

TEST(TREMatcherTest, AdversarialTexts) {
  // Long runs that cannot match, and one that matches at the very end.
  TMatchCORE core;
  std::string comments, angles(1000, '<');
  for (int i = 0; i < 250; ++i) comments += "<!--";
  const std::string spaces(1000, ' ');
  const std::string texts[] = {comments, comments + "-->", angles,       angles + ">",
                               spaces,   spaces + "-->",   spaces + "x", std::string(1000, 'a') + "c"};
  for (const char* pattern : kPatterns) {
    core.SetRegExp(pattern);
    for (const std::string& text : texts) {
      test::RestartingSearch reference(core.CurrentDFA(), text, core.SeparatorByte());
      TREMatcher matcher = core.MatcherFor(text);
      ASSERT_EQ(matcher.AnchoredSearch(0), reference.AnchoredSearch(0)) << pattern;
      ASSERT_EQ(matcher.PlainSearch(0), reference.PlainSearch(0)) << pattern;
      ASSERT_EQ(matcher.Scan(1), reference.Scan(1)) << pattern;
    }
  }
}

}  // namespace
}  // namespace tagsling::regex
