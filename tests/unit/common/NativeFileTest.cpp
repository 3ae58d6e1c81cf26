// Files by their system names: status, whole reads and writes, offsets,
// replacement by rename.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "common/NativeFile.h"
#include "tests/unit/support/ScratchFolder.h"

namespace tagsling::common {
namespace {

std::string ReadAll(const NativePath& path) {
  std::string bytes;
  const StdioFile file = OpenStdioFile(path, "rb");
  EXPECT_TRUE(file && ReadRest(file.get(), bytes));
  return bytes;
}

TEST(NativeFileTest, StatusTellsFilesFoldersAndMissingNamesApart) {
  test::ScratchFolder scratch;
  const NativePath file = scratch.Path("caf\xc3\xa9 \xe2\x98\x95.txt");  // a UTF-8 name outside code page 932
  ASSERT_TRUE(WriteAndClose(OpenStdioFile(file, "wb"), std::string("abc\0def", 7)));

  const FileStatus status = StatusOf(file);
  EXPECT_TRUE(status.exists && status.regular && !status.directory && !status.read_only);
  EXPECT_EQ(status.size, 7u);
  EXPECT_EQ(ReadAll(file), std::string("abc\0def", 7));

  const FileStatus folder = StatusOf(scratch.Path(""));
  EXPECT_TRUE(folder.exists && folder.directory && !folder.regular);
  EXPECT_FALSE(StatusOf(scratch.Path("missing")).exists);
  EXPECT_FALSE(StatusOf("").exists);

  chmod(file.c_str(), 0444);
  EXPECT_TRUE(StatusOf(file).read_only);
}

TEST(NativeFileTest, SeeksAndReadsTheRest) {
  test::ScratchFolder scratch;
  const NativePath file = scratch.Path("data");
  ASSERT_TRUE(WriteAndClose(OpenStdioFile(file, "wb"), "0123456789"));
  const StdioFile in = OpenStdioFile(file, "rb");
  ASSERT_TRUE(in);
  std::string rest;
  ASSERT_TRUE(SeekTo(in.get(), 6));
  ASSERT_TRUE(ReadRest(in.get(), rest));
  EXPECT_EQ(rest, "6789");
}

TEST(NativeFileTest, RenameReplacesAndRemoveDeletes) {
  test::ScratchFolder scratch;
  const NativePath target = scratch.Path("settings.ini");
  const NativePath temporary = WithSuffix(target, ".tmp~");
  EXPECT_EQ(temporary, scratch.Path("settings.ini.tmp~"));
  ASSERT_TRUE(WriteAndClose(OpenStdioFile(target, "wb"), "old"));
  ASSERT_TRUE(WriteAndClose(OpenStdioFile(temporary, "wb"), "new"));
  ASSERT_TRUE(RenameOver(temporary, target));
  EXPECT_EQ(ReadAll(target), "new");
  EXPECT_FALSE(StatusOf(temporary).exists);
  EXPECT_TRUE(RemoveFile(target));
  EXPECT_FALSE(RemoveFile(target));
  EXPECT_FALSE(OpenStdioFile(target, "rb"));
}

}  // namespace
}  // namespace tagsling::common
