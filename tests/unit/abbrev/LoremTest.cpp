#include "abbrev/Lorem.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "AbbrevTestSupport.h"
#include "abbrev/Abbreviation.h"

namespace tagsling::abbrev {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

// Sentences start with a capital letter and end with a full stop; words
// are lower-case letters with at most a comma after them.
void ExpectSentences(const std::string& text) {
  bool sentence_start = true;
  for (const std::string& word : Words(text)) {
    ASSERT_FALSE(word.empty());
    EXPECT_EQ(sentence_start, word[0] >= 'A' && word[0] <= 'Z') << word << " in " << text;
    const std::size_t letters = word.find_first_of(",.");
    EXPECT_TRUE(letters == std::string::npos || letters + 1 == word.size()) << word;
    sentence_start = word.back() == '.';
  }
  EXPECT_EQ(text.back(), '.') << text;
}

TEST(LoremTest, WordsAsked) {
  const struct {
    const char* name;
    std::optional<std::size_t> words;
  } cases[] = {
      {"lorem", kDefaultLoremWords},
      {"LOREM", kDefaultLoremWords},
      {"lorem1", 1},
      {"lorem250", 250},
      {"lorem10000", 10000},
      {"lorem10001", 0},
      {"lorem0", 0},
      {"lorem999999999999999999", 0},
      {"lore", std::nullopt},
      {"lorem5x", std::nullopt},
      {"xlorem", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(LoremWords(c.name), c.words) << c.name;
}

TEST(LoremTest, TextOfTheWordsAskedInSentences) {
  const struct {
    const char* abbreviation;
    std::size_t words;
  } cases[] = {{"lorem", 30}, {"lorem1", 1}, {"lorem8", 8}, {"lorem9", 9}, {"Lorem100", 100}, {"lorem2000", 2000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.abbreviation);
    const AbbrevResult result = ExpandAbbreviation(c.abbreviation, {});
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(Words(result.expansion->text).size(), c.words);
    ExpectSentences(result.expansion->text);
    // The same abbreviation gives the same text.
    EXPECT_EQ(ExpandAbbreviation(c.abbreviation, {}).expansion->text, result.expansion->text);
  }
  EXPECT_EQ(testing::Expand("lorem4"), "Lorem ipsum dolor sit.");
  EXPECT_EQ(testing::Expand("lorem8"), "Lorem ipsum dolor sit amet consectetur adipisicing elit.");
  EXPECT_EQ(testing::Expand("lorem").rfind("Lorem ipsum dolor sit amet consectetur adipisicing elit. ", 0), 0u);
}

TEST(LoremTest, OnlyTheFirstTextOpensWithLoremIpsum) {
  const AbbrevResult result = ExpandAbbreviation("p*3>lorem10", {});
  ASSERT_TRUE(result) << result.error;
  const std::string& text = result.expansion->text;
  std::vector<std::string> paragraphs;
  for (std::size_t at = text.find("<p>"); at != std::string::npos; at = text.find("<p>", at + 1)) {
    paragraphs.push_back(text.substr(at + 3, text.find("</p>", at) - at - 3));
  }
  ASSERT_EQ(paragraphs.size(), 3u);
  EXPECT_EQ(paragraphs[0].rfind("Lorem ipsum dolor sit amet consectetur adipisicing elit. ", 0), 0u) << paragraphs[0];
  for (const std::string& paragraph : paragraphs) {
    EXPECT_EQ(Words(paragraph).size(), 10u) << paragraph;
    ExpectSentences(paragraph);
  }
  EXPECT_NE(paragraphs[1].rfind("Lorem", 0), 0u);
  EXPECT_NE(paragraphs[1], paragraphs[2]);
}

TEST(LoremTest, PlacesAndRefusals) {
  const testing::Case cases[] = {
      {"p>lorem2", "<p>Lorem ipsum.</p>"},
      // With modifiers or content it is an element of the implicit name.
      {"ul>lorem2.x", "<ul>\n\t<li class=\"x\">Lorem ipsum.</li>\n</ul>"},
      {"lorem2>b", "<div>Lorem ipsum.<b>|</b></div>"},
      {"lorem0", "error: character 1: lorem takes 1 to 10000 words"},
      {"p>lorem10001", "error: character 3: lorem takes 1 to 10000 words"},
  };
  for (const testing::Case& c : cases) {
    const std::string shown = testing::Expand(c.abbreviation);
    EXPECT_EQ(shown.substr(0, std::string_view(c.expected).size()), c.expected) << c.abbreviation;
  }
  // Lorem counts toward the limits before it is written.
  EXPECT_EQ(testing::Expand("lorem10000*1000"), "error: the expansion is larger than 1 MB");
  std::string many = "lorem10000";
  for (int i = 0; i < 200; ++i) many += "+lorem10000";
  EXPECT_EQ(testing::Expand(many), "error: the snippets and lorem texts used add up to more than 1 MB");
}

}  // namespace
}  // namespace tagsling::abbrev
