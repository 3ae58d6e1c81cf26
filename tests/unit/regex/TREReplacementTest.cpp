#include "regex/TREReplacement.h"

#include <gtest/gtest.h>

#include <string>

#include "RegexTestDump.h"
#include "regex/ERegExpParser.h"

namespace tagsling::regex {
namespace {

std::string Expand(const std::string& replacement, const std::string& matched) {
  std::string out;
  AppendExpansion(out, DecodeReplacement(replacement), matched);
  return out;
}

TEST(TREReplacementTest, AmpersandsBackslashesAndEscapes) {
  const struct {
    std::string replacement;
    std::string expected;  // for the match "M"
  } cases[] = {
      {"", ""},
      {"<&>", "<M>"},
      {"&&", "MM"},
      {"\\&", "&"},
      {"\\\\&", "&"},
      {"\\\\", "\\"},
      {"a\\tb\\n", "a\tb\n"},
      {"\\x41\\101", "AA"},
      {"\\x8140", "\x81\x40"},
      {"\\x26", "M"},  // a decoded "&" still stands for the match
      {"\\q", "q"},
      {"\x95\x5c&", "\x95\x5cM"},  // trail byte 0x5C is not a backslash
      {"\\\x82\xa0", "\x82\xa0"},
      {"x\x82", "x\x82"},  // a lone lead byte is copied
      {std::string("a\0&", 3), std::string("a\0M", 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(Expand(c.replacement, "M"), c.expected) << c.replacement;
}

TEST(TREReplacementTest, TrailingBackslashIsAnError) {
  for (const char* replacement : {"\\", "ab\\", "\\\\\\"})
    EXPECT_EQ(test::ErrorOf([&] { DecodeReplacement(replacement); }), kMsgCharacterAfterBackslash) << replacement;
}

}  // namespace
}  // namespace tagsling::regex
