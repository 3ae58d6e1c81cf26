#include "regex/TREParser.h"

#include <gtest/gtest.h>

#include <string>

#include "RegexTestDump.h"
#include "regex/ERegExpParser.h"

namespace tagsling::regex {
namespace {

std::string Parse(const std::string& pattern) {
  TREParser parser(pattern);
  parser.Run();
  return test::Dump(parser.Tree().Root());
}

struct TreeCase {
  const char* pattern;
  const char* tree;
};

TEST(TREParserTest, BuildsLeftLeaningTrees) {
  const TreeCase cases[] = {
      {"", "E"},
      {"a|", "U(61,E)"},
      {"(|a)", "U(E,61)"},
      {"abc", "C(C(61,62),63)"},
      {"a|b|c", "U(U(61,62),63)"},
      {"a*", "*(61)"},
      {"a+", "C(61,*(61))"},
      {"a?", "U(61,E)"},
      {"(ab)*c", "C(*(C(61,62)),63)"},
      {"[abc]", "U(U(61,62),63)"},
      {"[a-c-e]", "U(U(61-63,2D),65)"},
      {"[\\[]", "5B"},
      {"[\\]]", "5D"},
      {"[ \x81\x40]", "U(20,8140)"},
      {"^a$", "C(C(^,61),$)"},
      {"\\x41", "41"},
      {"\\101", "41"},
      {"\\x41G", "C(41,47)"},
      {".", "U(U(1-9,B-C),E-FCFC)"},
      {"[^a]", "U(U(U(1-9,B-C),E-60),62-FCFC)"},
      {"[^acb]", "U(U(U(1-9,B-C),E-60),64-FCFC)"},
      {"[^\\x1-\\xFFFF]", "N"},
      {"[^\\n\\r\\x1-\\x9\\xB\\xC\\xE-\\xFCFC]", "N"},
  };
  for (const TreeCase& c : cases) EXPECT_EQ(Parse(c.pattern), c.tree) << c.pattern;
}

TEST(TREParserTest, SyntaxErrors) {
  const struct {
    const char* pattern;
    const char* message;
  } cases[] = {
      {"a**", kMsgCharOrLeftParenNeeded}, {"a+?", kMsgCharOrLeftParenNeeded}, {"*a", kMsgCharOrLeftParenNeeded},
      {"]", kMsgCharOrLeftParenNeeded},   {"(a", kMsgRightParenNeeded},       {"((a)", kMsgRightParenNeeded},
      {"a)", kMsgExtraCharacters},        {"[]", kMsgInvalidClass},           {"[]a]", kMsgInvalidClass},
      {"[^]", kMsgInvalidClass},          {"[c-a]", kMsgInvalidRange},        {"\\x", kMsgInvalidHex},
      {"\\777777", kMsgInvalidOctal},     {"a\x82", kMsgInvalidDoubleByte},
  };
  for (const auto& c : cases) EXPECT_EQ(test::ErrorOf([&] { Parse(c.pattern); }), c.message) << c.pattern;
}

TEST(TREParserTest, DeepNestingIsRefusedNotOverflowed) {
  std::string deep = std::string(TREParser::kMaxGroupDepth, '(') + "a" + std::string(TREParser::kMaxGroupDepth, ')');
  EXPECT_NO_THROW(Parse(deep));
  std::string too_deep = "(" + deep + ")";
  EXPECT_EQ(test::ErrorOf([&] { Parse(too_deep); }), kMsgTooComplex);
  // Long chains are built in loops: no recursion per element.
  TREParser long_chain(std::string(50000, 'a') + "|" + std::string(50000, 'b'));
  EXPECT_NO_THROW(long_chain.Run());
}

}  // namespace
}  // namespace tagsling::regex
