#include "settings/ProfileFile.h"

#include <gtest/gtest.h>

#include <climits>

#include "TestFiles.h"

namespace tagsling::settings {
namespace {

using testing::FileBytes;
using testing::FolderEntryCount;
using testing::MakeReadOnly;
using testing::PutFile;
using testing::ScratchFolder;

// A file as users and older versions leave it: comments, blank lines,
// unknown sections, odd spacing, mixed line endings, no final line ending.
const std::string kMixedFile =
    "; Tagsling settings\r\n"
    "[Option]\r\n"
    "  HasamiMode = 1 \r\n"
    "; keep me\r\n"
    "UnknownKey=abc\r\n"
    "\r\n"
    "[Plugin]\n"
    "Path=C:\\x\n"
    "[System]\r\n"
    "FileNameInsDir=C:\\web";

struct ReadCase {
  const char* name;
  std::string text;
  std::string section;
  std::string key;
  std::string expected;
};

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, ReadsValue) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(ProfileDocument::FromText(c.text).Get(c.section, c.key, "<default>"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, ProfileReadTest,
    ::testing::Values(
        ReadCase{"AsciiCaseFolded", "[OPTION]\nhasamimode=1\n", "Option", "HasamiMode", "1"},
        ReadCase{"BlanksTrimmed", "[S]\n \t K \t=\t v  v \t\n", "S", "K", "v  v"},
        ReadCase{"BlankSectionHeader", "  [ S ]  ; note\nK=1\n", "S", "K", "1"},
        ReadCase{"FirstKeyWins", "[S]\nK=1\nK=2\n", "S", "K", "1"},
        ReadCase{"FirstKeyWinsAcrossRepeatedSections", "[S]\nA=1\n[T]\nK=x\n[s]\nK=2\nK=3\n", "S", "K", "2"},
        ReadCase{"KeyOutsideSectionIgnored", "K=1\n[S]\nJ=2\n", "S", "K", "<default>"},
        ReadCase{"CommentIsNoKey", "[S]\n;K=1\n", "S", "K", "<default>"},
        ReadCase{"LineWithoutEqualsIsNoKey", "[S]\nK\n", "S", "K", "<default>"},
        ReadCase{"MissingSection", "[T]\nK=1\n", "S", "K", "<default>"},
        ReadCase{"EmptyValueIsNotDefault", "[S]\nK=\n", "S", "K", ""},
        ReadCase{"ValueKeepsEquals", "[S]\nK=a=b\n", "S", "K", "a=b"},
        ReadCase{"CrLfStripped", "[S]\r\nK=v\r\n", "S", "K", "v"},
        ReadCase{"DoubleQuotesRemoved", "[S]\nK=\"  x  \"\n", "S", "K", "  x  "},
        ReadCase{"SingleQuotesRemoved", "[S]\nK= 'x' \n", "S", "K", "x"},
        ReadCase{"OnlyOnePairRemoved", "[S]\nK=\"\"x\"\"\n", "S", "K", "\"x\""},
        ReadCase{"UnmatchedQuotesKept", "[S]\nK=\"x'\n", "S", "K", "\"x'"},
        ReadCase{"LoneQuoteKept", "[S]\nK=\"\n", "S", "K", "\""},
        ReadCase{"EmptyQuotes", "[S]\nK=\"\"\n", "S", "K", ""},
        // Shift-JIS names: "ソフト" matches itself only.
        ReadCase{"SjisSection", "[\x83\x5c\x83\x74\x83\x67]\nK=1\n", "\x83\x5c\x83\x74\x83\x67", "K", "1"},
        // 0x83 0x41 and 0x83 0x61 differ only in a trail byte that looks
        // like 'A' / 'a': they are different characters.
        ReadCase{"TrailByteNotFolded", "[S]\n\x83\x41=1\n", "S", "\x83\x61", "<default>"},
        ReadCase{"TrailByteExact", "[S]\n\x83\x41x=1\n", "S", "\x83\x41X", "1"},
        // "‐" is 0x81 0x5D: its trail byte is ']' and must not end the name.
        ReadCase{"BracketTrailByteInSection", "[A\x81\x5d]\nK=1\n", "A\x81\x5d", "K", "1"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(ProfileFileTest, ReadCutsAt2047BytesWithoutSplittingACharacter) {
  struct {
    std::string value;
    std::size_t expected_size;
  } cases[] = {
      {std::string(3000, 'a'), 2047},
      {std::string(2047, 'a'), 2047},
      {std::string(2046, 'a') + "\x82\xa0" + "bb", 2046},  // "あ" would straddle the cut
      {std::string(2045, 'a') + "\x82\xa0" + "bb", 2047},
  };
  for (const auto& c : cases) {
    std::string read = ProfileDocument::FromText("[S]\nK=" + c.value + "\n").Get("S", "K");
    EXPECT_EQ(read.size(), c.expected_size);
    EXPECT_EQ(read, c.value.substr(0, c.expected_size));
  }
}

TEST(ProfileFileTest, ParsesIntegers) {
  struct {
    const char* text;
    int expected;
  } cases[] = {
      {"12", 12},
      {"-5", -5},
      {"+7", 7},
      {"00012", 12},
      {"0x1F", 31},
      {"0X1f", 31},
      {"0x0", 0},
      {"0xFFFFFFFF", -1},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"0x", 99},
      {"0x1G", 99},
      {"0x100000000", 99},
      {"2147483648", 99},
      {"12abc", 99},
      {"", 99},
      {"-", 99},
      {"1.5", 99},
      {"1 2", 99},
      {"-0x10", 99},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseProfileInt(c.text, 99), c.expected) << c.text;
  // Blanks and quotes around the value go before the integer is read.
  EXPECT_EQ(ProfileDocument::FromText("[S]\nK= \"0x10\" \n").GetInt("S", "K", 0), 16);
  EXPECT_TRUE(ProfileDocument::FromText("[S]\nK=5\n").GetBool("S", "K", false));
  EXPECT_TRUE(ProfileDocument::FromText("[S]\nK=yes\n").GetBool("S", "K", true));
  EXPECT_FALSE(ProfileDocument::FromText("[S]\nK=0\n").GetBool("S", "K", true));
}

TEST(ProfileFileTest, WritingKeepsEveryOtherLine) {
  struct {
    const char* name;
    const char* section;
    const char* key;
    const char* value;
    std::string expected;
  } cases[] = {
      {"ReplaceInPlaceKeepingSpelling", "option", "HASAMIMODE", "0",
       "; Tagsling settings\r\n[Option]\r\n  HasamiMode =0\r\n; keep me\r\nUnknownKey=abc\r\n\r\n"
       "[Plugin]\nPath=C:\\x\n[System]\r\nFileNameInsDir=C:\\web"},
      {"AppendAfterLastKeyOfSection", "Option", "CursorBak", "1",
       "; Tagsling settings\r\n[Option]\r\n  HasamiMode = 1 \r\n; keep me\r\nUnknownKey=abc\r\nCursorBak=1\r\n\r\n"
       "[Plugin]\nPath=C:\\x\n[System]\r\nFileNameInsDir=C:\\web"},
      {"AppendToLastSectionWithoutFinalNewline", "System", "UrlInsDir", "D:\\",
       "; Tagsling settings\r\n[Option]\r\n  HasamiMode = 1 \r\n; keep me\r\nUnknownKey=abc\r\n\r\n"
       "[Plugin]\nPath=C:\\x\n[System]\r\nFileNameInsDir=C:\\web\r\nUrlInsDir=D:\\\r\n"},
      {"NewSectionAtEnd", "UserTag", "ItemCount", "0",
       "; Tagsling settings\r\n[Option]\r\n  HasamiMode = 1 \r\n; keep me\r\nUnknownKey=abc\r\n\r\n"
       "[Plugin]\nPath=C:\\x\n[System]\r\nFileNameInsDir=C:\\web\r\n[UserTag]\r\nItemCount=0\r\n"},
  };
  for (const auto& c : cases) {
    ProfileDocument document = ProfileDocument::FromText(kMixedFile);
    ASSERT_TRUE(document.Set(c.section, c.key, c.value)) << c.name;
    EXPECT_EQ(document.Text(), c.expected) << c.name;
    EXPECT_EQ(document.Get(c.section, c.key), c.value) << c.name;
  }
}

TEST(ProfileFileTest, NewFileUsesWindowsLineEndings) {
  ProfileDocument document;
  ASSERT_TRUE(document.Set("A", "K", "1"));
  ASSERT_TRUE(document.Set("B", "K", "2"));
  ASSERT_TRUE(document.Set("A", "L", "3"));
  EXPECT_EQ(document.Text(), "[A]\r\nK=1\r\nL=3\r\n[B]\r\nK=2\r\n");
}

TEST(ProfileFileTest, EraseRemovesEverySectionOfThatNameWhole) {
  ProfileDocument document = ProfileDocument::FromText(
      "[Keep]\nA=1\n[UserTag]\nItemCount=2\n; inside\nTitle0=x\n\n[Other]\nB=2\n[usertag]\nTitle9=y\n");
  EXPECT_TRUE(document.EraseSection("USERTAG"));
  EXPECT_EQ(document.Text(), "[Keep]\nA=1\n[Other]\nB=2\n");
  EXPECT_FALSE(document.EraseSection("UserTag"));
}

TEST(ProfileFileTest, ValuesReadBackExactly) {
  const std::string values[] = {" lead", "trail ", "\"quoted\"", "'single'", "",          "x=y",
                                "[S]",   ";c",     "\"",         "\"a'",     "  \"b\"  ", "\x83\x5c\x83\x74"};
  for (const std::string& value : values) {
    ProfileDocument document;
    ASSERT_TRUE(document.Set("S", "K", value));
    ASSERT_TRUE(document.Set("S", "After", "1"));
    ProfileDocument reread = ProfileDocument::FromText(document.Text());
    EXPECT_EQ(reread.Get("S", "K"), value) << value;
    EXPECT_EQ(reread.Get("S", "After"), "1") << value;
  }
}

TEST(ProfileFileTest, LineBreaksInAValueCannotAddLines) {
  ProfileDocument document;
  ASSERT_TRUE(document.Set("S", "K", "a\r\n[Option]\nHasamiMode=1"));
  EXPECT_EQ(document.Text(), "[S]\r\nK=a  [Option] HasamiMode=1\r\n");
  EXPECT_FALSE(document.HasSection("Option"));
}

TEST(ProfileFileTest, LoneCarriageReturnEndsALine) {
  // Saving used to turn the CR inside the value into a blank: load, save and
  // load again gave another value.
  const std::string text = "[S]\rA=1\rB=x\r\nC=2\n";
  ProfileDocument document = ProfileDocument::FromText(text);
  EXPECT_EQ(document.Text(), text);
  EXPECT_EQ(document.Get("S", "A"), "1");
  EXPECT_EQ(document.Get("S", "B"), "x");
  EXPECT_EQ(document.Get("S", "C"), "2");
  ASSERT_TRUE(document.Set("S", "A", "3"));
  ASSERT_TRUE(document.Set("S", "D", "4"));
  EXPECT_EQ(document.Text(), "[S]\rA=3\rB=x\r\nC=2\nD=4\r");
  EXPECT_EQ(ProfileDocument::FromText(document.Text()).Get("S", "D"), "4");
}

TEST(ProfileFileTest, RejectsUnusableNamesWithoutChange) {
  struct {
    const char* section;
    const char* key;
  } cases[] = {{"S", ""},
               {"S", "   "},
               {"S", "a=b"},
               {"S", "a\nb"},
               {"S", "[x"},
               {"S", ";x"},
               {"a]b", "K"},
               {"a\rb", "K"},
               // A lead byte at the end would take the header's "]" as its trail byte.
               {"S\x81", "K"}};
  for (const auto& c : cases) {
    ProfileDocument document = ProfileDocument::FromText(kMixedFile);
    EXPECT_FALSE(document.Set(c.section, c.key, "v")) << c.section << "/" << c.key;
    EXPECT_EQ(document.Text(), kMixedFile);
  }
}

TEST(ProfileFileTest, SectionsEndingInDoubleByteCharactersReadBack) {
  // "表" ends in 0x5C and "\x81]" in 0x5D ("]"): both are whole characters.
  for (const char* section : {"\x95\x5c", "a\x81]", "\x82\xa0"}) {
    ProfileDocument document = ProfileDocument::FromText("");
    ASSERT_TRUE(document.Set(section, "K", "v")) << section;
    EXPECT_EQ(document.Get(section, "K"), "v") << section;
    EXPECT_EQ(ProfileDocument::FromText(document.Text()).Get(section, "K"), "v") << section;
  }
}

TEST(ProfileFileTest, FileFunctionsRoundTrip) {
  ScratchFolder folder;
  std::string path = folder.Path("Tagsling.INI");
  EXPECT_EQ(ReadProfileString(path, "Option", "K", "dflt"), "dflt");
  EXPECT_EQ(ReadProfileInt(path, "Option", "K", 7), 7);
  EXPECT_TRUE(EraseProfileSection(path, "Option"));
  EXPECT_FALSE(std::filesystem::exists(path)) << "erasing nothing creates no file";

  PutFile(path, kMixedFile);
  EXPECT_TRUE(WriteProfileString(path, "Option", "HasamiTime", "0x20"));
  EXPECT_EQ(ReadProfileInt(path, "option", "hasamitime", 0), 32);
  EXPECT_TRUE(EraseProfileSection(path, "Plugin"));
  std::string bytes = FileBytes(path);
  EXPECT_EQ(bytes.find("[Plugin]"), std::string::npos);
  EXPECT_NE(bytes.find("; keep me\r\nUnknownKey=abc\r\nHasamiTime=0x20\r\n"), std::string::npos);
  EXPECT_EQ(FolderEntryCount(folder.Folder()), 1u) << "no temporary file is left";
}

TEST(ProfileFileTest, FailedWriteLeavesTheFileAsItWas) {
  ScratchFolder folder;
  std::string read_only = folder.Path("ro.ini");
  PutFile(read_only, kMixedFile);
  MakeReadOnly(read_only);
  EXPECT_FALSE(WriteProfileString(read_only, "Option", "K", "1"));
  EXPECT_FALSE(EraseProfileSection(read_only, "Option"));
  EXPECT_EQ(FileBytes(read_only), kMixedFile);

  // A folder where the file should be can be neither read nor replaced.
  std::string folder_path = folder.Path("dir.ini");
  std::filesystem::create_directory(folder_path);
  EXPECT_TRUE(ProfileDocument::Load(folder_path).LoadFailed());
  EXPECT_FALSE(WriteProfileString(folder_path, "Option", "K", "1"));
  EXPECT_TRUE(std::filesystem::is_directory(folder_path));

  EXPECT_FALSE(WriteProfileString(folder.Path("missing/x.ini"), "Option", "K", "1"));
  EXPECT_EQ(FolderEntryCount(folder.Folder()), 2u) << "no temporary file is left";
}

}  // namespace
}  // namespace tagsling::settings
