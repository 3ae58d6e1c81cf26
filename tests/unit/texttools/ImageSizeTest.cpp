#include "texttools/ImageSize.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/unit/support/ScratchFolder.h"
#include "texttools/Messages.h"

namespace tagsling::texttools {
namespace {

// ---- picture files made here ----

std::string BigEndian(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  return out;
}

std::string Gif(const char* signature, std::uint16_t width, std::uint16_t height) {
  std::string bytes = signature;
  bytes += {static_cast<char>(width & 0xFF), static_cast<char>(width >> 8), static_cast<char>(height & 0xFF),
            static_cast<char>(height >> 8)};
  return bytes + std::string("\xF7\x00\x00", 3) + ";";
}

std::string Png(std::uint32_t width, std::uint32_t height) {
  return std::string("\x89PNG\r\n\x1a\n", 8) + BigEndian(13, 4) + "IHDR" + BigEndian(width, 4) + BigEndian(height, 4) +
         std::string("\x08\x02\x00\x00\x00", 5) + "CRC!" + BigEndian(0, 4) + "IEND";
}

std::string Segment(std::uint8_t marker, const std::string& payload) {
  return std::string("\xFF", 1) + static_cast<char>(marker) +
         BigEndian(static_cast<std::uint32_t>(payload.size() + 2), 2) + payload;
}

std::string Jfif() { return Segment(0xE0, std::string("JFIF\0\x01\x01\x00\x00\x01\x00\x01\x00\x00", 14)); }
std::string Exif(std::size_t size) { return Segment(0xE1, std::string("Exif\0\0", 6) + std::string(size, 'M')); }
std::string Frame(std::uint8_t marker, std::uint16_t width, std::uint16_t height) {
  return Segment(
      marker, std::string("\x08", 1) + BigEndian(height, 2) + BigEndian(width, 2) + std::string("\x01\x01\x11\x00", 4));
}
std::string Dht() { return Segment(0xC4, std::string(20, '\0')); }
std::string Dqt() { return Segment(0xDB, std::string(65, '\x01')); }
std::string Sos() { return Segment(0xDA, std::string("\x01\x01\x00\x00\x3F\x00", 6)) + "\x12\x34\xFF\xD9"; }
std::string Jpeg(const std::string& segments) { return std::string("\xFF\xD8", 2) + segments + Sos(); }

struct SizeCase {
  const char* name;
  PictureKind kind;
  std::string bytes;
  std::optional<PictureSize> expected;
};

std::vector<SizeCase> SizeCases() {
  return {
      {"GIF87a", PictureKind::kGif, Gif("GIF87a", 100, 50), PictureSize{100, 50}},
      {"GIF89a", PictureKind::kGif, Gif("GIF89a", 0xFFFF, 1), PictureSize{65535, 1}},
      {"GIF of exactly 10 bytes", PictureKind::kGif, Gif("GIF89a", 1, 1).substr(0, 10), std::nullopt},
      {"GIF of 11 bytes", PictureKind::kGif, Gif("GIF89a", 3, 4).substr(0, 11), PictureSize{3, 4}},
      {"GIF90a", PictureKind::kGif, Gif("GIF90a", 1, 1), std::nullopt},
      {"PNG", PictureKind::kPng, Png(640, 480), PictureSize{640, 480}},
      {"PNG 70000 wide", PictureKind::kPng, Png(70000, 3), PictureSize{70000, 3}},
      {"PNG zero width", PictureKind::kPng, Png(0, 3), std::nullopt},
      {"PNG wider than 2^31-1", PictureKind::kPng, Png(0x80000000u, 3), std::nullopt},
      {"PNG without IHDR first", PictureKind::kPng,
       [] {
         std::string b = Png(5, 5);
         b.replace(12, 4, "tEXt");
         return b;
       }(),
       std::nullopt},
      {"JFIF baseline", PictureKind::kJpeg, Jpeg(Jfif() + Dqt() + Frame(0xC0, 100, 50) + Dht()), PictureSize{100, 50}},
      {"JFIF progressive", PictureKind::kJpeg, Jpeg(Jfif() + Dqt() + Frame(0xC2, 7, 9) + Dht()), PictureSize{7, 9}},
      {"JFIF with DHT before the frame", PictureKind::kJpeg, Jpeg(Jfif() + Dht() + Frame(0xC1, 8, 6)),
       PictureSize{8, 6}},
      {"Exif", PictureKind::kJpeg, Jpeg(Exif(300) + Dqt() + Frame(0xC0, 4000, 3000)), PictureSize{4000, 3000}},
      {"Exif, frame after byte 1024", PictureKind::kJpeg, Jpeg(Exif(20000) + Jfif() + Frame(0xC0, 1, 2)),
       PictureSize{1, 2}},
      {"JFIF, frame after byte 1024", PictureKind::kJpeg,
       Jpeg(Jfif() + Segment(0xE2, std::string(3000, 'i')) + Frame(0xCF, 3, 3)), PictureSize{3, 3}},
      {"fill bytes before a marker", PictureKind::kJpeg, Jpeg(Jfif() + "\xFF\xFF" + Frame(0xC0, 5, 6)),
       PictureSize{5, 6}},
      {"bytes that look like a frame inside a segment", PictureKind::kJpeg,
       Jpeg(Exif(0) + Segment(0xFE, Frame(0xC0, 11, 11)) + Frame(0xC0, 22, 33)), PictureSize{22, 33}},
      {"JPG and DAC are no frames", PictureKind::kJpeg,
       Jpeg(Segment(0xC8, Frame(0xC0, 1, 1).substr(4)) + Segment(0xCC, "xxxxxxx") + Frame(0xC3, 9, 8)),
       PictureSize{9, 8}},
      {"no frame before the scan", PictureKind::kJpeg, Jpeg(Jfif() + Dqt()), std::nullopt},
      {"height left to a DNL marker", PictureKind::kJpeg, Jpeg(Jfif() + Frame(0xC0, 10, 0)), std::nullopt},
      {"no SOI", PictureKind::kJpeg, Jfif() + Frame(0xC0, 10, 10), std::nullopt},
      {"garbage between segments", PictureKind::kJpeg, Jpeg(Jfif() + "x" + Frame(0xC0, 10, 10)), std::nullopt},
      {"segment length below 2", PictureKind::kJpeg, std::string("\xFF\xD8\xFF\xE0\x00\x01", 6) + Frame(0xC0, 1, 1),
       std::nullopt},
      {"frame segment too short for its fields", PictureKind::kJpeg,
       std::string("\xFF\xD8\xFF\xC0\x00\x05\x08\x00\x10", 9) + std::string(20, '\0'), std::nullopt},
      {"empty file", PictureKind::kJpeg, "", std::nullopt},
  };
}

TEST(ImageSizeTest, ReadsOrRefusesEachHeader) {
  for (const SizeCase& c : SizeCases()) {
    MemoryByteSource source(c.bytes);
    EXPECT_EQ(ReadPictureSize(c.kind, source), c.expected) << c.name;
  }
}

// A file cut anywhere before its size fields never yields a size, let alone a
// wrong one; cut after them it still yields the right one.
TEST(ImageSizeTest, TruncatedFilesYieldNoSize) {
  for (const SizeCase& c : SizeCases()) {
    if (!c.expected) continue;
    for (std::size_t length = 0; length < c.bytes.size(); ++length) {
      std::string cut = c.bytes.substr(0, length);
      MemoryByteSource source(cut);
      std::optional<PictureSize> size = ReadPictureSize(c.kind, source);
      if (size) {
        EXPECT_EQ(size, c.expected) << c.name << " cut at " << length;
      }
    }
  }
}

TEST(ImageSizeTest, KindFromExtensionIgnoresCase) {
  const std::pair<const char16_t*, PictureKind> kCases[] = {
      {u"C:\\web\\a.gif", PictureKind::kGif},
      {u"a.GIF", PictureKind::kGif},
      {u"photo.JPG", PictureKind::kJpeg},
      {u"x.Jpeg", PictureKind::kJpeg},
      {u"x.png", PictureKind::kPng},
      {u"x.jpe", PictureKind::kNone},
      {u"dir.png\\readme", PictureKind::kNone},
      {u"readme.txt", PictureKind::kNone},
      {u"gif", PictureKind::kNone},
      {u"C:\\☕.d\\café☕.PNG", PictureKind::kPng},
      {u"😀.gif", PictureKind::kGif},
      {u"x.ｐｎｇ", PictureKind::kNone},  // full-width letters are no extension
  };
  for (const auto& [path, kind] : kCases) EXPECT_EQ(PictureKindOf(path), kind);
}

// Pictures whose names code page 932 cannot hold are opened through the
// file system by their UTF-16 names and measured like any other.
TEST(ImageSizeTest, ReadsPicturesNamedOutsideCodePage932) {
  test::ScratchFolder folder;
  const struct {
    const char16_t* name;
    std::string bytes;
    PictureKind kind;
    PictureSize size;
  } kCases[] = {
      {u"café☕.png", Png(120, 45), PictureKind::kPng, {120, 45}},
      {u"😀 été.gif", Gif("GIF89a", 88, 31), PictureKind::kGif, {88, 31}},
      {u"Ünïcødé.jpeg", Jpeg(Jfif() + Frame(0xC0, 640, 480)), PictureKind::kJpeg, {640, 480}},
      {u"画像.PNG", Png(1, 2), PictureKind::kPng, {1, 2}},
  };
  NativeFileSystem files;
  for (const auto& c : kCases) {
    const std::u16string path = folder.WidePath(c.name);
    std::ofstream(std::filesystem::path(path), std::ios::binary) << c.bytes;
    EXPECT_TRUE(files.FileExists(path));
    EXPECT_EQ(files.FileSize(path), c.bytes.size());
    ASSERT_EQ(PictureKindOf(path), c.kind);
    PictureSizeResult read = ReadPictureFileSize(files, path, c.kind);
    EXPECT_EQ(read.size, c.size);
    EXPECT_EQ(read.message, "");
  }
  // The same name with one letter different is another file: nothing is
  // found by a look-alike.
  EXPECT_FALSE(files.FileExists(folder.WidePath(u"cafe☕.png")));
  PictureSizeResult missing = ReadPictureFileSize(files, folder.WidePath(u"cafe?.png"), PictureKind::kPng);
  EXPECT_FALSE(missing.size);
  EXPECT_FALSE(missing.message.empty());
  // A lone surrogate names no file here; it is reported, not a crash.
  const std::u16string lone = folder.WidePath(u"x\xD83D.png");
  EXPECT_FALSE(files.FileExists(lone));
  EXPECT_FALSE(files.DirectoryExists(lone));
  EXPECT_FALSE(files.FileSize(lone));
  PictureSizeResult odd = ReadPictureFileSize(files, lone, PictureKind::kPng);
  EXPECT_FALSE(odd.size);
  EXPECT_FALSE(odd.message.empty());
}

TEST(ImageSizeTest, ReportsUnreadableHeadersAndUnopenableFiles) {
  test::ScratchFolder folder;
  std::u16string good = folder.WidePath(u"a.png");
  std::u16string bad = folder.WidePath(u"b.gif");
  std::ofstream(folder.Path("a.png"), std::ios::binary) << Png(70000, 2);
  std::ofstream(folder.Path("b.gif"), std::ios::binary) << "GIF89a";
  NativeFileSystem files;

  PictureSizeResult ok = ReadPictureFileSize(files, good, PictureKind::kPng);
  EXPECT_EQ(ok.size, (PictureSize{70000, 2}));
  EXPECT_EQ(ok.message, "");
  PictureSizeResult unreadable = ReadPictureFileSize(files, bad, PictureKind::kGif);
  EXPECT_FALSE(unreadable.size);
  EXPECT_EQ(unreadable.message, kMsgPictureSizeUnreadable);
  PictureSizeResult missing = ReadPictureFileSize(files, folder.WidePath(u"none.jpg"), PictureKind::kJpeg);
  EXPECT_FALSE(missing.size);
  EXPECT_FALSE(missing.message.empty());
  EXPECT_NE(missing.message, kMsgPictureSizeUnreadable);
}

}  // namespace
}  // namespace tagsling::texttools
