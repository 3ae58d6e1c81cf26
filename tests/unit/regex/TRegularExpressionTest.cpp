#include "regex/TRegularExpression.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <string>

#include "RegexTestDump.h"
#include "regex/ERegExpParser.h"
#include "regex/TAWKStr.h"

namespace tagsling {
namespace {

TEST(TRegularExpressionTest, StartsOnTheEmptyPattern) {
  TRegularExpression re;
  EXPECT_EQ(re.CacheCount(), 1u);
  EXPECT_EQ(re.CachedPattern(0), "");
  EXPECT_EQ(re.CurrentIndex(), 0u);
  EXPECT_EQ(re.RegExp(), "");
}

TEST(TRegularExpressionTest, NewPatternsGoToIndexOneAndCachedOnesStay) {
  TRegularExpression re;
  re.SetRegExp("a");
  re.SetRegExp("b");
  EXPECT_EQ(re.CachedPattern(1), "b");
  EXPECT_EQ(re.CachedPattern(2), "a");
  const TRE_DFA* compiled = &re.CurrentDFA();
  re.SetRegExp("a");
  EXPECT_EQ(re.CurrentIndex(), 2u);  // found, not moved
  re.SetRegExp("b");
  EXPECT_EQ(&re.CurrentDFA(), compiled);  // not compiled again
  re.SetRegExp("");
  EXPECT_EQ(re.CurrentIndex(), 0u);
}

TEST(TRegularExpressionTest, FullCacheEvictsTheOldestInsertion) {
  TRegularExpression re;
  for (int i = 1; i < 30; ++i) {
    char pattern[8];  // not "p" + std::to_string(i): GCC 12 at -O3 warns falsely about that
    std::snprintf(pattern, sizeof pattern, "p%d", i);
    re.SetRegExp(pattern);
  }
  ASSERT_EQ(re.CacheCount(), 30u);
  re.SetRegExp("p1");  // cached: the order does not change
  re.SetRegExp("new");
  EXPECT_EQ(re.CacheCount(), 30u);
  EXPECT_EQ(re.CachedPattern(1), "new");
  EXPECT_EQ(re.CachedPattern(29), "p2");  // p1 was inserted longest ago
  for (std::size_t i = 0; i < re.CacheCount(); ++i) EXPECT_NE(re.CachedPattern(i), "p1");
}

TEST(TRegularExpressionTest, InvalidPatternFallsBackToTheEmptyPattern) {
  TAWKStr awk;
  awk.SetRegExp("b");
  EXPECT_THROW(awk.SetRegExp("(b"), ERegExpParser);
  EXPECT_EQ(awk.RegExp(), "");
  EXPECT_EQ(awk.CurrentIndex(), 0u);
  EXPECT_EQ(awk.CacheCount(), 2u);  // the failed pattern is not kept
  std::size_t position = 9, length = 9;
  EXPECT_EQ(awk.Match("abc", position, length), 1u);  // the empty match at the start
  EXPECT_EQ(length, 0u);
}

TEST(TRegularExpressionTest, OversizedAutomataAreRefused) {
  TRegularExpression re;
  // ".*a" followed by many "." needs exponentially many DFA states.
  for (const std::string& pattern :
       {".*a" + std::string(20, '.'), std::string("((((((((((((((((((a+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+")}) {
    EXPECT_EQ(test::ErrorOf([&] { re.SetRegExp(pattern); }), kMsgTooComplex);
    EXPECT_EQ(re.CurrentIndex(), 0u);
  }
}

TEST(TRegularExpressionTest, ChangingARewritingSwitchKeepsThePattern) {
  TAWKStr awk;
  awk.SetRegExp("b+");
  awk.SetUseFuzzyCharDic(true);
  awk.SetUseSynonymDic(true);
  EXPECT_TRUE(awk.UseFuzzyCharDic());
  EXPECT_TRUE(awk.UseSynonymDic());
  EXPECT_EQ(awk.RegExp(), "b+");
  std::size_t position = 0, length = 0;
  EXPECT_EQ(awk.Match("abbc", position, length), 2u);
  EXPECT_EQ(length, 2u);
}

}  // namespace
}  // namespace tagsling
