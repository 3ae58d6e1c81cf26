#include "core/TemplateKeys.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "common/Sjis.h"

namespace tagsling {
namespace {

TEST(TemplateKeysTest, CatalogueHolds209KeysDistinctWithoutRegardToCase) {
  std::set<std::string> folded;
  for (const TemplateKey& key : TemplateKeys()) folded.insert(SjisToLower(key.name));
  EXPECT_EQ(TemplateKeys().size(), kTemplateKeyCount);
  EXPECT_EQ(folded.size(), 209u);
}

TEST(TemplateKeysTest, CategoriesHaveTheirSizesAndPrefixes) {
  struct Expected {
    std::size_t count;
    std::set<std::string> prefixes;
  };
  const std::map<KeyCategory, Expected> expected = {
      {KeyCategory::kKihon, {17, {"Kihon"}}}, {KeyCategory::kMoji, {20, {"Moji"}}},
      {KeyCategory::kP, {55, {"P"}}},         {KeyCategory::kTable, {26, {"Table", "Talbe"}}},
      {KeyCategory::kList, {11, {"Table"}}},  {KeyCategory::kLink, {18, {"Link"}}},
      {KeyCategory::kForm, {41, {"Etc"}}},    {KeyCategory::kFrame, {15, {"Etc"}}},
      {KeyCategory::kOp, {6, {"OP"}}},
  };
  std::map<KeyCategory, std::size_t> counts;
  for (const TemplateKey& key : TemplateKeys()) {
    ++counts[key.category];
    std::string prefix(key.name.substr(0, key.name.find('_')));
    EXPECT_TRUE(expected.at(key.category).prefixes.count(prefix)) << key.name;
  }
  for (const auto& [category, want] : expected) EXPECT_EQ(counts[category], want.count);
}

TEST(TemplateKeysTest, FindIgnoresCaseAndKeepsHistoricalSpellings) {
  const TemplateKey* hidden = FindTemplateKey("Etc_hidden_hidden");
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(hidden->name, "Etc_Hidden_Hidden");
  ASSERT_NE(FindTemplateKey("etc_form_method_get"), nullptr);
  EXPECT_EQ(FindTemplateKey("etc_form_method_get")->name, "Etc_Form_Method_Get");

  for (const char* name : {"Talbe_Tr_Bgcolor", "Etc_Framset_Cols", "Etc_Select_Multipre", "Etc_Text_Maxlenth",
                           "Link_Img_Align1_Top", "Link_AHref_AHref_Target__Blank", "Etc_Textarea_Wrap_off"}) {
    ASSERT_NE(FindTemplateKey(name), nullptr) << name;
    EXPECT_EQ(FindTemplateKey(name)->name, name);
  }
  for (const char* name : {"Table_Tr_Bgcolor", "Etc_Frameset_Cols", "Etc_Select_Multiple", "", "Moji_B_"}) {
    EXPECT_EQ(FindTemplateKey(name), nullptr) << name;
  }
}

}  // namespace
}  // namespace tagsling
