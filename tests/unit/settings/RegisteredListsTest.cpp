#include "settings/RegisteredLists.h"

#include <gtest/gtest.h>

#include "settings/AppSettings.h"
#include "tests/unit/support/ScratchFolder.h"

namespace tagsling::settings {
namespace {

using test::FileBytes;
using test::MakeReadOnly;
using test::PutFile;
using test::ScratchFolder;

using Rows = std::vector<std::vector<std::string>>;

TEST(RegisteredListsTest, ItemCountDecidesTheEntries) {
  struct {
    const char* name;
    std::string text;
    Rows expected;
  } cases[] = {
      {"HigherNumbersIgnored",
       "[UserTag]\nItemCount=2\nTitle0=a\nTag0=<a>\nTitle1=b\nTag1=<b>\nTitle2=c\nTag2=<c>\n",
       {{"a", "<a>"}, {"b", "<b>"}}},
      {"MissingKeysAreEmpty", "[UserTag]\nItemCount=3\nTag1=<b>\n", {{"", ""}, {"", "<b>"}, {"", ""}}},
      {"ZeroWithStaleKeys", "[UserTag]\nItemCount=0\nTitle0=stale\n", {}},
      {"Negative", "[UserTag]\nItemCount=-4\nTitle0=stale\n", {}},
      {"NotANumber", "[UserTag]\nItemCount=two\nTitle0=stale\n", {}},
      {"NoSection", "[Tools]\nItemCount=1\n", {}},
      {"KeysCaseInsensitive", "[usertag]\nITEMCOUNT=1\ntitle0=-\nTAG0=\n", {{"-", ""}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadListRows(ProfileDocument::FromText(c.text), RegisteredList::kUserTag), c.expected) << c.name;
  }
}

TEST(RegisteredListsTest, HugeItemCountDoesNotMakeUpMillionsOfEntries) {
  ProfileDocument file = ProfileDocument::FromText("[Tools]\nItemCount=2000000000\nTitle0=a\nTitle1=b\n");
  std::vector<std::string> titles = ReadListField(file, RegisteredList::kTools, "Title");
  ASSERT_EQ(titles.size(), static_cast<std::size_t>(kPhantomEntryLimit));
  EXPECT_EQ(titles[1], "b");
  EXPECT_EQ(titles[2], "");
}

TEST(RegisteredListsTest, EntriesReadStraightFromTheFile) {
  ScratchFolder folder;
  std::string path = folder.Path("t.INI");
  std::string long_param(3000, 'x');
  PutFile(path,
          "[Tools]\r\nItemCount=2\r\nTitle0=Tidy\r\nFile0=C:\\tidy.exe\r\nParam0=-m %f\r\nTmpDir0=\r\n"
          "Title1=big\r\nParam1=" +
              long_param + "\r\n");
  EXPECT_EQ(ReadToolEntry(path, 1).Param, long_param.substr(0, 2047));
  ToolEntry tool = ReadToolEntry(path, 0);
  EXPECT_EQ(tool.Title, "Tidy");
  EXPECT_EQ(tool.File, "C:\\tidy.exe");
  EXPECT_EQ(tool.Param, "-m %f");
  EXPECT_EQ(tool.TmpDir, "");
  EXPECT_EQ(ReadToolEntry(path, 5).File, "");
}

TEST(RegisteredListsTest, ThroughWindowListKeepsOrderAndEmptyNames) {
  ScratchFolder folder;
  std::string path = folder.Path("t.INI");
  ThroughWindowClasses() = {"left over"};
  LoadThroughWindowList(path);
  EXPECT_TRUE(ThroughWindowClasses().empty());
  PutFile(path,
          "[ThroughWindow]\nItemCount=3\nItemName0=Tray\nClassName0=Shell_TrayWnd\nClassName2=tooltips_class32\n");
  LoadThroughWindowList(path);
  EXPECT_EQ(ThroughWindowClasses(), (std::vector<std::string>{"Shell_TrayWnd", "", "tooltips_class32"}));
}

TEST(RegisteredListsTest, SavingErasesOnlyWhenTheListHadEntries) {
  const std::string around = "[Option]\r\nHasamiMode=1\r\n";
  struct {
    const char* name;
    std::string section;
    std::string expected_section;
  } cases[] = {
      // Had entries: the section is rewritten whole, removed entries vanish.
      {"HadEntries", "[UserTag]\r\nItemCount=3\r\nTitle0=a\r\nTag0=1\r\nTitle1=b\r\nTag1=2\r\nTitle2=c\r\nTag2=3\r\n",
       "[UserTag]\r\nItemCount=2\r\nTitle0=-\r\nTag0=\r\nTitle1=new\r\nTag1=<b>%SELSTR%</b>\r\n"},
      // Was empty: written in place; stale keys stay beyond ItemCount.
      {"WasEmpty", "[UserTag]\r\nItemCount=0\r\nTitle0=old\r\nTitle5=stale\r\n",
       "[UserTag]\r\nItemCount=2\r\nTitle0=-\r\nTitle5=stale\r\nTag0=\r\nTitle1=new\r\nTag1=<b>%SELSTR%</b>\r\n"},
  };
  for (const auto& c : cases) {
    ProfileDocument file = ProfileDocument::FromText(c.section + around);
    DialogList list = LoadListForDialog(file, RegisteredList::kUserTag);
    list.rows = {{"-", ""}, {"new", "<b>%SELSTR%</b>"}};
    ASSERT_TRUE(WriteListSection(file, RegisteredList::kUserTag, list)) << c.name;
    std::string expected =
        c.name == std::string("HadEntries") ? around + c.expected_section : c.expected_section + around;
    EXPECT_EQ(file.Text(), expected) << c.name;
    EXPECT_EQ(ReadListRows(file, RegisteredList::kUserTag), list.rows) << c.name;
  }
}

TEST(RegisteredListsTest, KeysWrittenInFieldOrder) {
  ProfileDocument file;
  DialogList list;
  list.rows = {{"a", "C:\\a.exe", "%f", "C:\\"}, {"b"}};
  ASSERT_TRUE(WriteListSection(file, RegisteredList::kTools, list));
  EXPECT_EQ(file.KeyNames("Tools"), (std::vector<std::string>{"ItemCount", "Title0", "File0", "Param0", "TmpDir0",
                                                              "Title1", "File1", "Param1", "TmpDir1"}));
  list.rows = {{"Editor", "EditPlus"}};
  ASSERT_TRUE(WriteListSection(file, RegisteredList::kThroughWindow, list));
  EXPECT_EQ(file.KeyNames("ThroughWindow"), (std::vector<std::string>{"ItemCount", "ItemName0", "ClassName0"}));
}

TEST(RegisteredListsTest, FailedListSaveReportsAndKeepsFile) {
  ScratchFolder folder;
  std::string path = folder.Path("t.INI");
  const std::string old = "[UserTag]\r\nItemCount=1\r\nTitle0=a\r\n";
  PutFile(path, old);
  MakeReadOnly(path);
  DialogList list;
  list.loaded_count = 1;
  EXPECT_THROW(SaveListSection(path, RegisteredList::kUserTag, list), SettingsWriteError);
  EXPECT_EQ(FileBytes(path), old);
}

}  // namespace
}  // namespace tagsling::settings
