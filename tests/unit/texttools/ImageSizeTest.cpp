#include "texttools/ImageSize.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/unit/support/ScratchFolder.h"
#include "texttools/ExifOrientation.h"
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

// ---- Exif blocks made here ----

std::string Endian(std::uint32_t value, int bytes, bool little) {
  std::string out = BigEndian(value, bytes);
  return little ? std::string(out.rbegin(), out.rend()) : out;
}

struct TiffEntry {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  std::uint16_t value;  // a SHORT, left in the 4-byte value field
};
constexpr std::uint16_t kShort = 3;
constexpr std::uint16_t kOrientation = 0x0112;

// "Exif\0\0", a TIFF header and one image directory right after it (or at
// `directory`).
std::string ExifPayload(bool little, const std::vector<TiffEntry>& entries, std::uint32_t directory = 8) {
  std::string tiff = std::string(little ? "II" : "MM") + Endian(42, 2, little) + Endian(directory, 4, little);
  tiff += Endian(static_cast<std::uint32_t>(entries.size()), 2, little);
  for (const TiffEntry& e : entries) {
    tiff += Endian(e.tag, 2, little) + Endian(e.type, 2, little) + Endian(e.count, 4, little) +
            Endian(e.value, 2, little) + Endian(0, 2, little);
  }
  return std::string("Exif\0\0", 6) + tiff + Endian(0, 4, little);
}

// A phone's Exif block: the camera's make before the orientation.
std::string ExifPhoto(bool little, std::uint16_t orientation) {
  return Segment(0xE1, ExifPayload(little, {{0x010F, 2, 4, 0}, {kOrientation, kShort, 1, orientation}}));
}

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
      // Photos taken upright are stored sideways with an orientation that
      // turns them: the size as browsers show them.
      {"Exif orientation 6, big-endian", PictureKind::kJpeg, Jpeg(ExifPhoto(false, 6) + Frame(0xC0, 4032, 3024)),
       PictureSize{3024, 4032}},
      {"Exif orientation 8, little-endian", PictureKind::kJpeg,
       Jpeg(Jfif() + ExifPhoto(true, 8) + Dqt() + Frame(0xC2, 640, 480)), PictureSize{480, 640}},
      {"Exif orientation 3 (upside down)", PictureKind::kJpeg, Jpeg(ExifPhoto(true, 3) + Frame(0xC0, 640, 480)),
       PictureSize{640, 480}},
      {"XMP before the Exif block", PictureKind::kJpeg,
       Jpeg(Segment(0xE1, "http://ns.adobe.com/xap/1.0/") + ExifPhoto(false, 5) + Frame(0xC0, 20, 10)),
       PictureSize{10, 20}},
      {"only the first Exif block counts", PictureKind::kJpeg,
       Jpeg(ExifPhoto(false, 1) + ExifPhoto(false, 6) + Frame(0xC0, 20, 10)), PictureSize{20, 10}},
      {"Exif after the frame", PictureKind::kJpeg, Jpeg(Frame(0xC0, 20, 10) + ExifPhoto(false, 6)),
       PictureSize{20, 10}},
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

TEST(ImageSizeTest, EachOrientationInEitherByteOrder) {
  for (bool little : {false, true}) {
    for (std::uint16_t orientation = 0; orientation <= 9; ++orientation) {
      const bool turned = orientation >= 5 && orientation <= 8;
      const std::string photo = Jpeg(ExifPhoto(little, orientation) + Frame(0xC0, 300, 200));
      MemoryByteSource source(photo);
      const PictureSize shown = turned ? PictureSize{200, 300} : PictureSize{300, 200};
      EXPECT_EQ(ReadJpegSize(source), shown) << orientation << (little ? " II" : " MM");
    }
  }
}

// A broken Exif block never crashes and never turns the size: the picture
// keeps its stored width and height.
TEST(ImageSizeTest, MalformedExifLeavesTheStoredSize) {
  const TiffEntry upright{kOrientation, kShort, 1, 6};
  auto with_tiff = [](std::string payload, std::size_t at, const std::string& bytes) {
    return payload.replace(6 + at, bytes.size(), bytes);
  };
  const std::string good = ExifPayload(false, {upright});
  ASSERT_EQ(ExifOrientation(good), 6);
  ASSERT_EQ(ExifOrientation(ExifPayload(true, {upright})), 6);
  const struct {
    const char* name;
    std::string payload;
  } kCases[] = {
      {"no Exif header", good.substr(6)},
      {"Exif without its two zero bytes", "Exif" + good.substr(6)},
      {"unknown byte order", with_tiff(good, 0, "IM")},
      {"byte order of the other kind", with_tiff(good, 0, "II")},
      {"no 42", with_tiff(good, 2, std::string("\0\x2B", 2))},
      {"TIFF header cut short", good.substr(0, 6 + 7)},
      {"directory beyond the block", ExifPayload(false, {upright}, 4000)},
      {"directory at the last byte", ExifPayload(false, {upright}, static_cast<std::uint32_t>(good.size() - 7))},
      {"directory offset near 2^32", ExifPayload(false, {upright}, 0xFFFFFFFF)},
      {"more entries than the block holds", with_tiff(good, 8, std::string("\x7F\xFF", 2))},
      {"entry cut short", good.substr(0, 6 + 8 + 2 + 11)},
      {"orientation of type LONG", ExifPayload(false, {{kOrientation, 4, 1, 6}})},
      {"orientation with two values", ExifPayload(false, {{kOrientation, kShort, 2, 6}})},
      {"orientation 0", ExifPayload(false, {{kOrientation, kShort, 1, 0}})},
      {"orientation 9", ExifPayload(false, {{kOrientation, kShort, 1, 9}})},
      {"orientation 0x0600 read the wrong way", ExifPayload(true, {{kOrientation, kShort, 1, 0x0600}})},
      {"no orientation tag", ExifPayload(false, {{0x010F, 2, 4, 6}})},
      {"no entries", ExifPayload(false, {})},
      {"empty", ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ExifOrientation(c.payload), std::nullopt) << c.name;
    const std::string photo = Jpeg(Segment(0xE1, c.payload) + Frame(0xC0, 300, 200));
    MemoryByteSource source(photo);
    EXPECT_EQ(ReadJpegSize(source), (PictureSize{300, 200})) << c.name;
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
      {u"縦の写真.jpg", Jpeg(ExifPhoto(true, 6) + Frame(0xC0, 4032, 3024)), PictureKind::kJpeg, {3024, 4032}},
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
