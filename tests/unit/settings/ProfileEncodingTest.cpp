// The settings file and "Html.dat" in each encoding: read, one key changed,
// written back byte for byte as it was apart from that key; the size limit;
// parsing once until the file changes.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "common/LosslessText.h"
#include "core/Templates.h"
#include "settings/FileAccess.h"
#include "settings/ProfileCache.h"
#include "settings/ProfileFile.h"
#include "tests/unit/support/ScratchFolder.h"

namespace tagsling::settings {
namespace {

using test::FileBytes;
using test::PutFile;
using test::ScratchFolder;

// UTF-8 text as UTF-16 file bytes with the mark, little or big endian.
std::string Utf16Bytes(const std::u16string& text, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes.push_back(big_endian ? high : low);
    bytes.push_back(big_endian ? low : high);
  }
  return bytes;
}

ino_t FileIdentity(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

struct RoundTripCase {
  const char* name;
  std::string before;  // the file as found
  std::string value;   // the new value of [Option] HasamiTime, lossless code page 932
  std::string after;   // the file as it must be written
};

class ProfileRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(ProfileRoundTripTest, ChangesOnlyTheKey) {
  const RoundTripCase& c = GetParam();
  ScratchFolder folder;
  const std::string path = folder.Path("tagsling.INI");
  PutFile(path, c.before);
  EXPECT_TRUE(WriteProfileString(path, "Option", "HasamiTime", c.value));
  EXPECT_EQ(FileBytes(path), c.after);
  EXPECT_EQ(ReadProfileString(path, "Option", "HasamiTime"), c.value);
}

const std::string kEmoji = LosslessToken(0x1F600);

INSTANTIATE_TEST_SUITE_P(
    Encodings, ProfileRoundTripTest,
    ::testing::Values(
        RoundTripCase{"Cp932", "; \x93\xFA\x96\x7B\r\n[Option]\r\nHasamiTime=100\r\nX=\x82\xA0\x7F\r\n", "200",
                      "; \x93\xFA\x96\x7B\r\n[Option]\r\nHasamiTime=200\r\nX=\x82\xA0\x7F\r\n"},
        RoundTripCase{"Cp932StrayBytes", "[Option]\nHasamiTime=1\nX=\x82\n", "2", "[Option]\nHasamiTime=2\nX=\x82\n"},
        RoundTripCase{"Utf8", "; \xE6\x97\xA5\n[Option]\nHasamiTime=100\n", "\x93\xFA",
                      "; \xE6\x97\xA5\n[Option]\nHasamiTime=\xE6\x97\xA5\n"},
        RoundTripCase{"Utf8Mark", "\xEF\xBB\xBF[Option]\r\nHasamiTime=100\r\n", kEmoji,
                      "\xEF\xBB\xBF[Option]\r\nHasamiTime=\xF0\x9F\x98\x80\r\n"},
        RoundTripCase{"Utf16Le", Utf16Bytes(u"[Option]\r\nHasamiTime=1\r\n\u2615=x\r\n", false), kEmoji,
                      Utf16Bytes(u"[Option]\r\nHasamiTime=\U0001F600\r\n\u2615=x\r\n", false)},
        RoundTripCase{"Utf16Be", Utf16Bytes(u"[Option]\nHasamiTime=1\n", true), "2",
                      Utf16Bytes(u"[Option]\nHasamiTime=2\n", true)},
        // A value code page 932 cannot hold turns the whole file into UTF-8
        // with a byte-order mark; every other character comes along.
        RoundTripCase{"Cp932ToUtf8", "; \x93\xFA\x87\x90\r\n[Option]\r\nHasamiTime=100\r\n", "a" + kEmoji,
                      "\xEF\xBB\xBF; \xE6\x97\xA5\xE2\x89\x92\r\n[Option]\r\nHasamiTime=a\xF0\x9F\x98\x80\r\n"},
        RoundTripCase{"NewFileIsCp932", "", "\x93\xFA", "[Option]\r\nHasamiTime=\x93\xFA\r\n"},
        RoundTripCase{"NewFileUtf8WhenNeeded", "", kEmoji, "\xEF\xBB\xBF[Option]\r\nHasamiTime=\xF0\x9F\x98\x80\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileEncoding, UnchangedFileIsNeverRewritten) {
  ScratchFolder folder;
  const std::string path = folder.Path("tagsling.INI");
  // Neither UTF-8 nor code page 932.
  const std::string stray = "[Option]\nHasamiTime=100\nX=\x82\xFF\x81\n";
  PutFile(path, stray);
  const ino_t before = FileIdentity(path);
  ProfileDocument document = ProfileDocument::Load(path);
  ASSERT_TRUE(document.Set("Option", "HasamiTime", "100"));
  EXPECT_TRUE(document.Save());
  // A save replaces the file by another: the same one means no save.
  EXPECT_EQ(FileIdentity(path), before);
  EXPECT_EQ(FileBytes(path), stray);
}

TEST(ProfileEncoding, TooLargeFileIsRefusedAndKept) {
  ScratchFolder folder;
  const std::string path = folder.Path("Html.dat");
  const std::string big = "[Html]\nB=<b>%SELSTR%</b>\n" + std::string(kProfileFileSizeLimit, ';');
  PutFile(path, big);
  ProfileDocument document = ProfileDocument::Load(path);
  EXPECT_TRUE(document.LoadTooLarge());
  EXPECT_EQ(document.Get("Html", "B", "none"), "none");
  EXPECT_FALSE(WriteProfileString(path, "Html", "B", "x"));
  EXPECT_EQ(FileBytes(path).size(), big.size());
}

TEST(ProfileEncoding, ByteOrderMarkTemplateIsFound) {
  ScratchFolder folder;
  const std::string path = folder.Path("Html.dat");
  PutFile(path, "\xEF\xBB\xBF[Html]\r\nB=<b>\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xF0\x9F\x98\x80%SELSTR%</b>\r\n");
  EXPECT_EQ(core::ReadTemplate("B", path), "<b>\x93\xFA\x96\x7B\x8C\xEA" + kEmoji + "%SELSTR%</b>");
  EXPECT_EQ(core::CursorBackCount(core::ReadTemplate("B", path)), 4u);
}

TEST(ProfileCache, ParsesAgainOnlyWhenTheFileChanged) {
  ScratchFolder folder;
  const std::string path = folder.Path("Html.dat");
  PutFile(path, "[Html]\nB=1\n");
  const auto first = CachedProfile(path);
  EXPECT_EQ(CachedProfile(path), first);
  PutFile(path, "[Html]\nB=22\n");  // another size
  EXPECT_EQ(core::ReadTemplate("B", path), "22");
  EXPECT_NE(CachedProfile(path), first);
  // Our own save is seen at once, even within one time stamp.
  ASSERT_TRUE(WriteProfileString(path, "Html", "B", "33"));
  EXPECT_EQ(ReadProfileString(path, "Html", "B"), "33");
}

}  // namespace
}  // namespace tagsling::settings
