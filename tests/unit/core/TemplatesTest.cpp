#include "core/Templates.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "core/BuiltInTemplates.h"
#include "settings/ProfileFile.h"

namespace tagsling {
namespace {

// The replacement loop as it reads: replace the leftmost occurrence, search
// again from byte 0. Gives up (nullopt) after `max_steps` replacements.
std::optional<std::string> NaiveReplaceAll(const std::string& pattern, const std::string& replacement, std::string text,
                                           int max_steps = 2000) {
  if (pattern.empty()) return text;
  for (int step = 0; step < max_steps; ++step) {
    std::size_t found = text.find(pattern);
    if (found == std::string::npos) return text;
    text.replace(found, pattern.size(), replacement);
  }
  return std::nullopt;
}

struct ReplaceCase {
  const char* pattern;
  const char* replacement;
  const char* text;
  const char* expected;
};

TEST(ReplaceAllTest, ReplacesLikeTheRestartingLoop) {
  const ReplaceCase cases[] = {
      {"%CR%", "\r\n", "<P>%CR%%SELSTR%%CR%</P>", "<P>\r\n%SELSTR%\r\n</P>"},
      {"", "x", "abc", "abc"},                   // empty pattern is never found
      {"%cr%", "\r\n", "%CR%", "%CR%"},          // case-sensitive
      {"ab", "b", "aaab", "b"},                  // each replacement forms the next occurrence
      {"PM1_", "", "PPM1_M1_X", "X"},            // deletion joins a new occurrence
      {"%SELSTR%", "", "%SEL%SELSTR%STR%", ""},  // nested
      {"aa", "b", "aaaaa", "bba"},
      {"abc", "", "", ""},
      {"\x82\xa0", "-", "\x82\xa0\x82\xa0", "--"},  // byte-exact on double-byte text
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(ReplaceAll(c.pattern, c.replacement, c.text), c.expected) << c.pattern << " in " << c.text;
    EXPECT_EQ(NaiveReplaceAll(c.pattern, c.replacement, c.text), c.expected) << c.pattern << " in " << c.text;
  }
}

TEST(ReplaceAllTest, ReplacementHoldingThePatternIsAppliedOncePerOccurrence) {
  // The restarting loop would never end here; each original occurrence is
  // replaced once instead.
  EXPECT_EQ(ReplaceAll("a", "aa", "aba"), "aabaa");
  EXPECT_EQ(ReplaceAll("%SELSTR%", "[%SELSTR%]", "<B>%SELSTR%</B>"), "<B>[%SELSTR%]</B>");
}

TEST(ReplaceAllTest, AgreesWithTheRestartingLoopOnRandomInputs) {
  std::mt19937 random(20240611);
  const std::string alphabet = "ab%";
  auto random_string = [&](std::size_t max_length) {
    std::string s(std::uniform_int_distribution<std::size_t>(0, max_length)(random), ' ');
    for (char& c : s) c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
    return s;
  };
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string pattern = random_string(4);
    std::string replacement = random_string(5);
    std::string text = random_string(30);
    if (pattern.empty() || replacement.find(pattern) != std::string::npos) continue;
    std::optional<std::string> expected = NaiveReplaceAll(pattern, replacement, text);
    if (!expected || expected->size() > 4000) continue;  // runaway rewriting: not a program pattern
    ASSERT_EQ(ReplaceAll(pattern, replacement, text), *expected)
        << "pattern " << pattern << " replacement " << replacement << " text " << text;
    ++compared;
  }
  EXPECT_GT(compared, 10000);
}

TEST(ReplaceAllTest, HandlesManyOccurrencesInALongText) {
  // The restarting loop would rescan from byte 0 for each of the 200000
  // occurrences; the result must still be exact.
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "x%CR%";
  std::string expected;
  for (int i = 0; i < 200000; ++i) expected += "x\r\n";
  EXPECT_EQ(ReplaceAll(kCr, "\r\n", text), expected);
}

TEST(ReplaceAllShieldedTest, SelectionHoldingThePlaceholderStaysLiteral) {
  EXPECT_EQ(ReplaceAllShielded(kSelStr, "a%SELSTR%b", "<B>%SELSTR%</B>%SELSTR%"), "<B>a%SELSTR%b</B>a%SELSTR%b");
  // A marker already in the text also becomes the placeholder.
  EXPECT_EQ(ReplaceAllShielded(kCr, "\r\n", "%TAGSLING_TMP_SELSTR%%CR%"), "%SELSTR%\r\n");
}

TEST(KeyFromPopupItemNameTest, DeletesEveryPrefix) {
  EXPECT_EQ(KeyFromPopupItemName("PM1_Etc_hidden_hidden", kPopupMenu1Prefix), "Etc_hidden_hidden");
  EXPECT_EQ(KeyFromPopupItemName("PM4_P_Br", kPopupMenu4Prefix), "P_Br");
  EXPECT_EQ(KeyFromPopupItemName("PM4_P_Br", kPopupMenu1Prefix), "PM4_P_Br");
  EXPECT_EQ(KeyFromPopupItemName("PM1_PM1_Moji_B", kPopupMenu1Prefix), "Moji_B");
}

struct CountCase {
  const char* raw;
  std::size_t count;
};

TEST(CursorBackCountTest, CountsCharactersAfterTheFirstPlaceholder) {
  const CountCase cases[] = {
      {"<B>%SELSTR%</B>", 4},
      {"<P>%CR%%SELSTR%%CR%</P>", 5},            // the line break counts one
      {"<TD>%TAB%%SELSTR%%TAB%</TD>", 6},        // so does the tab
      {"<A HREF=\"%SELSTR%\">%SELSTR%</A>", 6},  // second placeholder counts nothing
      {"<B>%selstr%</B>", 0},                    // only the upper-case form counts
      {"<B>%SelStr%</B>", 0},
      {"%SELSTR%\x82\xa0\x82\xa2</B>", 6},  // a double-byte character counts one
      {"%SELSTR%%cr%", 4},                  // a lower-case marker is ordinary text
      {"<BR>", 0},
      {"", 0},
      {"%SELSTR%", 0},
  };
  for (const CountCase& c : cases) EXPECT_EQ(CursorBackCount(c.raw), c.count) << c.raw;
}

struct ExpandCase {
  const char* raw;
  bool lower;
  const char* tag_text;
  const char* sandwich;
};

TEST(ExpandTemplateTest, ExpandsMarkersLowerCasesAndRestoresThePlaceholder) {
  const ExpandCase cases[] = {
      {"<B>%SELSTR%</B>", false, "<B>%SELSTR%</B>", "<B>%SELSTR%</B>"},
      {"<B>%SELSTR%</B>", true, "<b>%selstr%</b>", "<b>%SELSTR%</b>"},
      {"<P>%CR%%SELSTR%%CR%</P>", false, "<P>\r\n%SELSTR%\r\n</P>", "<P>\r\n%SELSTR%\r\n</P>"},
      {"<TD>%TAB%%SELSTR%</TD>", false, "<TD>\t%SELSTR%</TD>", "<TD>\t%SELSTR%</TD>"},
      {"<B>%selstr%</B>", false, "<B>%selstr%</B>", "<B>%SELSTR%</B>"},
      {"<B ALIGN=\"LEFT\">%cr%%tab%", true, "<b align=\"left\">%cr%%tab%", "<b align=\"left\">%cr%%tab%"},
      {"%TAGSLING_TMP_SELSTR%</I>", false, "%SELSTR%</I>", "%SELSTR%</I>"},
      // Full-width A becomes full-width a; the trail byte 0x41 of katakana A stays.
      {"\x82\x60\x83\x41<U>", true, "\x82\x81\x83\x41<u>", "\x82\x81\x83\x41<u>"},
      {"", true, "", ""},
  };
  for (const ExpandCase& c : cases) {
    ExpandedTemplate expanded = ExpandTemplate(c.raw, c.lower);
    EXPECT_EQ(expanded.tag_text, c.tag_text) << c.raw;
    EXPECT_EQ(expanded.sandwich, c.sandwich) << c.raw;
  }
}

TEST(TemplatePartsTest, SplitsAtTheFirstPlaceholder) {
  const std::string twice = "<A HREF=\"%SELSTR%\">%SELSTR%</A>";
  EXPECT_EQ(PlainText(twice), "<A HREF=\"\"></A>");
  EXPECT_EQ(OpeningPart(twice), "<A HREF=\"");
  EXPECT_EQ(ClosingPart(twice), "\">%SELSTR%</A>");

  EXPECT_EQ(OpeningPart("%SELSTR%</B>"), "");
  EXPECT_EQ(ClosingPart("<B>%SELSTR%"), "");
  EXPECT_EQ(OpeningPart("&nbsp;"), std::nullopt);
  EXPECT_EQ(ClosingPart("<b>%selstr%</b>"), std::nullopt);
  EXPECT_EQ(PlainText("&nbsp;"), "&nbsp;");
}

class ReadTemplateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("tagsling-templates-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::filesystem::path folder_;
};

TEST_F(ReadTemplateTest, ReadsEntriesWithoutRegardToKeyCase) {
  const std::string path = Write("Html.dat",
                                 "[Other]\r\nMoji_B=wrong\r\n"
                                 "[Html]\r\nMoji_B=<B>%SELSTR%</B>\r\n"
                                 "Etc_Form_Method_Get=\" METHOD=\"get\"\"\r\n"
                                 "Moji_I=\r\n");
  EXPECT_EQ(ReadTemplate("Moji_B", path), "<B>%SELSTR%</B>");
  EXPECT_EQ(ReadTemplate("moji_b", path), "<B>%SELSTR%</B>");
  EXPECT_EQ(ReadTemplate("Etc_Form_Method_get", path), " METHOD=\"get\"");
  EXPECT_EQ(ReadTemplate("Etc_Form_Method_Get", path), " METHOD=\"get\"");
  EXPECT_EQ(ReadTemplate("Moji_I", path), "");
  EXPECT_EQ(ReadTemplate("Moji_U", path), "");
  EXPECT_EQ(ReadTemplate("Moji_B", (folder_ / "missing.dat").string()), "");
  EXPECT_EQ(TemplateFilePath((folder_ / "").string()), path);
}

TEST_F(ReadTemplateTest, CutsLongTemplatesTo2047Bytes) {
  const std::string path = Write("Html.dat", "[Html]\r\nKihon_Doc=" + std::string(3000, 'x') + "\r\n");
  EXPECT_EQ(ReadTemplate("Kihon_Doc", path), std::string(2047, 'x'));
}

// An "Html.dat" edited before the HTML5 keys existed: a missing HTML5 key
// gives its built-in template, while a key the file has (even empty) and
// every classic key read exactly what the file says.
TEST_F(ReadTemplateTest, MissingHtml5KeysFallBackToTheirBuiltInTemplates) {
  const std::string old_file = Write("Old.dat",
                                     "[Html]\r\nMoji_B=<B>%SELSTR%</B>\r\nMoji_I=\r\n"
                                     "H5_Mark=\r\nh5_section=<div class=\"s\">%SELSTR%</div>\r\n"
                                     "[Other]\r\nH5_Nav=wrong\r\n");
  const std::string missing = (folder_ / "missing.dat").string();
  const std::string section = std::string(*FindBuiltInTemplate("H5_Section"));
  const std::string nav = std::string(*FindBuiltInTemplate("H5_Nav"));
  ASSERT_EQ(section, "<section>%CR%%SELSTR%%CR%</section>");
  struct Case {
    const char* key;
    const std::string& file;
    std::string expected;
  };
  const Case cases[] = {
      // HTML5 keys: missing from the file, or no file at all.
      {"H5_Nav", old_file, nav},
      {"h5_NAV", old_file, nav},
      {"H5_Section", missing, section},
      {"H5_Doc", missing, std::string(*FindBuiltInTemplate("H5_Doc"))},
      // HTML5 keys the file has: its text, even when empty.
      {"H5_Mark", old_file, ""},
      {"H5_Section", old_file, "<div class=\"s\">%SELSTR%</div>"},
      // Classic keys as always: the file's text, or empty.
      {"Moji_B", old_file, "<B>%SELSTR%</B>"},
      {"Moji_I", old_file, ""},
      {"Moji_U", old_file, ""},
      {"Kihon_Doc", missing, ""},
      // Not a key at all.
      {"H5_Nothing", old_file, ""},
  };
  const settings::ProfileDocument loaded = settings::ProfileDocument::Load(old_file);
  for (const Case& c : cases) {
    EXPECT_EQ(ReadTemplate(c.key, c.file), c.expected) << c.key << " in " << c.file;
    if (&c.file == &old_file) {
      EXPECT_EQ(TemplateFromFile(loaded, c.key), c.expected) << c.key;
    }
  }
  // The built-in text expands like any template.
  EXPECT_EQ(ExpandTemplate(ReadTemplate("H5_Section", missing), false).sandwich, "<section>\r\n%SELSTR%\r\n</section>");
  EXPECT_EQ(CursorBackCount(ReadTemplate("H5_Section", missing)), 11u);
}

TEST_F(ReadTemplateTest, ReadsUserTagsByNumber) {
  const std::string path = Write("Tagsling.INI",
                                 "[UserTag]\r\nItemCount=2\r\nTitle0=a\r\nTag0=<EM>%SELSTR%</EM>\r\n"
                                 "Tag1=<SPAN>%SELSTR%</SPAN>\r\n");
  EXPECT_EQ(ReadUserTemplate(0, path), "<EM>%SELSTR%</EM>");
  EXPECT_EQ(ReadUserTemplate(1, path), "<SPAN>%SELSTR%</SPAN>");
  EXPECT_EQ(ReadUserTemplate(2, path), "");
  EXPECT_EQ(ReadUserTemplate(-1, path), "");
}

}  // namespace
}  // namespace tagsling
