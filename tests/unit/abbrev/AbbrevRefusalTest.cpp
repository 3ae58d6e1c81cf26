#include <gtest/gtest.h>

#include <string>

#include "AbbrevTestSupport.h"
#include "abbrev/Abbreviation.h"

namespace tagsling::abbrev {
namespace {

using testing::Case;
using testing::Expand;
using testing::Repeated;

// The refusal, or only the size of an expansion (huge ones would flood a
// failure message).
std::string Outcome(std::string_view abbreviation) {
  const AbbrevResult result = ExpandAbbreviation(abbreviation, {});
  return result ? "expanded" : testing::Refusal(result);
}

TEST(AbbrevRefusalTest, MalformedAbbreviationsSayWhatAndWhere) {
  const Case cases[] = {
      {"", "error: the abbreviation is empty"},
      // Operators without an element on one side.
      {"ul>", "error: character 3: nothing follows '>'"},
      {">a", "error: character 1: expected an element, found '>'"},
      {"a+", "error: character 2: nothing follows '+'"},
      {"div>a^", "error: character 6: nothing follows '^'"},
      {"a++b", "error: character 3: expected an element, found '+'"},
      {"a>+b", "error: character 3: expected an element, found '+'"},
      // Unbalanced groups and brackets.
      {"(a", "error: character 1: '(' without a matching ')'"},
      {"((a)", "error: character 1: '(' without a matching ')'"},
      {"a)", "error: character 2: ')' without a matching '('"},
      {"(a))", "error: character 4: ')' without a matching '('"},
      {")", "error: character 1: expected an element, found ')'"},
      {"()", "error: character 1: an empty group"},
      {"a[", "error: character 2: '[' without a matching ']'"},
      {"a[x", "error: character 2: '[' without a matching ']'"},
      {"a[x=y", "error: character 2: '[' without a matching ']'"},
      {"a[]", "error: character 2: no attribute inside '[]'"},
      {"a[=x]", "error: character 3: an attribute name is missing before '='"},
      {"a[x=\"y]", "error: character 5: a quote without its closing quote"},
      {"a[x='y]", "error: character 5: a quote without its closing quote"},
      {"a[x<y]", "error: character 4: unexpected '<' in '[...]'"},
      {"a[x=\"y\"z]", "error: character 8: unexpected 'z' in '[...]'"},
      {"a[[x]]", "error: character 3: unexpected '[' in '[...]'"},
      {"a{x", "error: character 2: '{' without a matching '}'"},
      {"a{x\\}", "error: character 2: '{' without a matching '}'"},
      {"a}", "error: character 2: unexpected '}'"},
      {"a]", "error: character 2: unexpected ']'"},
      // Repeat counts.
      {"li*0", "error: character 3: the repeat count must be from 1 to 1000"},
      {"li*1001", "error: character 3: the repeat count must be from 1 to 1000"},
      {"li*99999999999999999999999", "error: character 3: the repeat count must be from 1 to 1000"},
      {"a*2*3", "error: character 4: unexpected '*'"},
      {"a*2(b)", "error: character 4: unexpected '('"},
      {"(a)*2.x", "error: character 6: unexpected '.'"},
      {"li{$@9999999999}", "error: character 4: the number after '$@' is larger than 999999999"},
      // Characters the language has no use for.
      {"a b", "error: character 2: unexpected space"},
      {"a\tb", "error: character 2: unexpected tab"},
      {"a\r\nb", "error: character 2: unexpected line break"},
      {"a\x01", "error: character 2: unexpected character 0x01"},
      {"a_b", "error: character 2: unexpected '_'"},
      {"a\x82\xA0", "error: character 2: unexpected '\x82\xA0'"},
      {"\x82\xA0", "error: character 1: expected an element, found '\x82\xA0'"},
      // Positions count characters, not bytes.
      {"p{\x82\xA0}+>", "error: character 6: expected an element, found '>'"},
      {"p.", "error: character 2: an empty class name after '.'"},
      {"p#", "error: character 2: an empty id after '#'"},
      {"p.#a", "error: character 2: an empty class name after '.'"},
      // Content where there can be none.
      {"{x}>a", "error: character 4: a text cannot have child elements"},
      {"(a+{x})>b", "error: character 8: a text cannot have child elements"},
      {"br>a", "error: character 1: \"br\" is a void element and cannot hold content"},
      {"p>img{x}", "error: character 3: \"img\" is a void element and cannot hold content"},
      // Names with "!" are snippets, and snippets must exist.
      {"!!", "error: character 1: there is no snippet \"!!\""},
      {"x!", "error: character 1: there is no snippet \"x!\""},
  };
  for (const Case& c : cases) EXPECT_EQ(Expand(c.abbreviation), c.expected) << "abbreviation: " << c.abbreviation;
}

TEST(AbbrevRefusalTest, NestingStopsAtOneHundredLevels) {
  EXPECT_EQ(Outcome(Repeated("a>", 99) + "a"), "expanded");
  EXPECT_EQ(Outcome(Repeated("a>", 100) + "a"), "error: character 200: nesting deeper than 100 levels");
  EXPECT_EQ(Outcome(Repeated("(", 100) + "a" + Repeated(")", 100)), "expanded");
  EXPECT_EQ(Outcome(Repeated("(", 101) + "a" + Repeated(")", 101)),
            "error: character 101: groups nested deeper than 100 levels");
  // A deep abbreviation is refused before it is built.
  EXPECT_EQ(Outcome(Repeated("a>", 4000) + "a"), "error: character 200: nesting deeper than 100 levels");
  EXPECT_EQ(Outcome(Repeated("(", 4000)), "error: character 101: groups nested deeper than 100 levels");
}

TEST(AbbrevRefusalTest, SizeLimits) {
  EXPECT_EQ(Outcome("p{" + std::string(kMaxAbbreviationBytes - 3, 'x') + "}"), "expanded");
  EXPECT_EQ(Outcome("p{" + std::string(kMaxAbbreviationBytes - 2, 'x') + "}"),
            "error: the abbreviation is longer than 10000 bytes");
  // Output over 1 MB, however it comes about.
  const std::string too_big = "error: the expansion is larger than 1 MB";
  EXPECT_EQ(Outcome("p{" + std::string(1040, 'x') + "}*1000"), too_big);
  EXPECT_EQ(Outcome("p{" + std::string(1030, 'x') + "}*1000"), "expanded");
  EXPECT_EQ(Outcome("(p*1000)*1000"), too_big);
  EXPECT_EQ(Outcome("(((((p*1000)*1000)*1000)*1000)*1000)*1000"), too_big);
  EXPECT_EQ(Outcome("p{$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$}*1000>(b*1000)"), too_big);
  // Output that stays small but takes many steps.
  const std::string too_many = "error: the expansion has more than 262144 elements and texts";
  EXPECT_EQ(Outcome("({x}*1000)*1000"), too_many);
  EXPECT_EQ(Outcome("((({}*1000)*1000)*1000)"), too_many);
  EXPECT_EQ(Outcome("({x}*1000)*261"), "expanded");
}

}  // namespace
}  // namespace tagsling::abbrev
