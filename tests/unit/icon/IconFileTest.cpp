#include "icon/IconFile.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <stdexcept>

#include "icon/ProgramIcon.h"

namespace tagsling::icon {
namespace {

unsigned Le16(const std::string& s, size_t at) {
  return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}
std::uint32_t Le32(const std::string& s, size_t at) {
  return Le16(s, at) | static_cast<std::uint32_t>(Le16(s, at + 2)) << 16;
}
std::uint32_t Be32(const std::string& s, size_t at) {
  std::uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(s[at + i]);
  return value;
}

// A reader of the PNG files EncodePng writes (8-bit RGBA, filter 0 rows),
// checking every chunk's CRC on the way.
std::vector<std::uint32_t> DecodePng(const std::string& png, int* width, int* height) {
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  std::string data;
  std::vector<std::string> types;
  for (size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = Be32(png, at);
    const std::string body = png.substr(at + 4, 4 + length);
    EXPECT_EQ(Be32(png, at + 8 + length),
              crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())))
        << body.substr(0, 4);
    types.push_back(body.substr(0, 4));
    if (types.back() == "IHDR") {
      *width = static_cast<int>(Be32(body, 4));
      *height = static_cast<int>(Be32(body, 8));
      EXPECT_EQ(body.substr(12), std::string("\x08\x06\x00\x00\x00", 5));
    }
    if (types.back() == "IDAT") data += body.substr(4);
    at += 12 + length;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  const size_t stride = 1 + 4 * static_cast<size_t>(*width);
  std::string raw(stride * static_cast<size_t>(*height), '\0');
  uLongf raw_size = static_cast<uLongf>(raw.size());
  EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &raw_size, reinterpret_cast<const Bytef*>(data.data()),
                       static_cast<uLong>(data.size())),
            Z_OK);
  EXPECT_EQ(raw_size, raw.size());
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < *height; ++y) {
    EXPECT_EQ(raw[y * stride], '\0');
    for (int x = 0; x < *width; ++x) {
      const size_t at = y * stride + 1 + 4 * static_cast<size_t>(x);
      auto byte = [&](size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(raw[at + i])); };
      pixels.push_back(byte(3) << 24 | byte(0) << 16 | byte(1) << 8 | byte(2));
    }
  }
  return pixels;
}

std::vector<std::uint32_t> Pattern(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int i = 0; i < width * height; ++i) pixels.push_back(static_cast<std::uint32_t>(i) * 0x9e3779b1u);
  return pixels;
}

TEST(IconFile, PngRoundTrips) {
  for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {17, 5}, {256, 256}}) {
    const std::vector<std::uint32_t> pixels = Pattern(w, h);
    int width = 0, height = 0;
    EXPECT_EQ(DecodePng(EncodePng(w, h, pixels), &width, &height), pixels) << w << "x" << h;
    EXPECT_EQ(width, w);
    EXPECT_EQ(height, h);
  }
}

TEST(IconFile, BadPicturesAreRefused) {
  EXPECT_THROW(EncodePng(2, 2, std::vector<std::uint32_t>(3)), std::invalid_argument);
  EXPECT_THROW(EncodePng(0, 0, {}), std::invalid_argument);
  EXPECT_THROW(EncodeIconFile({}), std::invalid_argument);
  EXPECT_THROW(EncodeIconFile({{0, {}}}), std::invalid_argument);
  EXPECT_THROW(EncodeIconFile({{257, std::vector<std::uint32_t>(257 * 257)}}), std::invalid_argument);
  EXPECT_THROW(EncodeIconFile({{16, std::vector<std::uint32_t>(15 * 16)}}), std::invalid_argument);
}

// The icon file as Windows reads it: the directory, then each picture at the
// offset its entry names; bitmaps bottom-up with the AND mask after the
// colours, the 256-pixel picture as PNG.
TEST(IconFile, ProgramIconFileHoldsEverySize) {
  std::vector<IconImage> images;
  for (int size : kIconFileSizes) images.push_back({size, RenderProgramIcon(0, size)});
  // A transparent pixel in one picture checks the mask bit.
  images[0].pixels[1] = 0x00123456;
  const std::string file = EncodeIconFile(images);
  ASSERT_GE(file.size(), 6u);
  EXPECT_EQ(Le16(file, 0), 0u);
  EXPECT_EQ(Le16(file, 2), 1u);
  ASSERT_EQ(Le16(file, 4), kIconFileSizes.size());
  size_t expected_offset = 6 + 16 * kIconFileSizes.size();
  for (size_t i = 0; i < kIconFileSizes.size(); ++i) {
    const int size = kIconFileSizes[i];
    const size_t entry = 6 + 16 * i;
    EXPECT_EQ(static_cast<unsigned char>(file[entry]), size % 256) << size;
    EXPECT_EQ(static_cast<unsigned char>(file[entry + 1]), size % 256) << size;
    EXPECT_EQ(Le16(file, entry + 4), 1u);
    EXPECT_EQ(Le16(file, entry + 6), 32u);
    const std::uint32_t length = Le32(file, entry + 8);
    const std::uint32_t offset = Le32(file, entry + 12);
    EXPECT_EQ(offset, expected_offset) << size;
    ASSERT_LE(offset + length, file.size());
    expected_offset += length;
    const std::string body = file.substr(offset, length);
    if (size == 256) {
      int width = 0, height = 0;
      EXPECT_EQ(DecodePng(body, &width, &height), images[i].pixels);
      EXPECT_LT(body.size(), 16u * 1024) << "the flat picture packs small";
      continue;
    }
    const size_t mask_stride = (size + 31) / 32 * 4;
    ASSERT_EQ(body.size(), 40 + 4u * size * size + mask_stride * size) << size;
    EXPECT_EQ(Le32(body, 0), 40u);
    EXPECT_EQ(Le32(body, 4), static_cast<std::uint32_t>(size));
    EXPECT_EQ(Le32(body, 8), static_cast<std::uint32_t>(2 * size));
    EXPECT_EQ(Le16(body, 12), 1u);
    EXPECT_EQ(Le16(body, 14), 32u);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const std::uint32_t pixel = images[i].pixels[y * size + x];
        const size_t row = size - 1 - y;  // bottom-up
        ASSERT_EQ(Le32(body, 40 + 4 * (row * size + x)), pixel) << size << " at " << x << "," << y;
        const unsigned char mask = body[40 + 4 * size * size + row * mask_stride + x / 8];
        ASSERT_EQ((mask >> (7 - x % 8)) & 1, (pixel >> 24) == 0 ? 1 : 0) << size << " at " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(expected_offset, file.size());
}

}  // namespace
}  // namespace tagsling::icon
