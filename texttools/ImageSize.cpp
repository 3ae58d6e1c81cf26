#include "texttools/ImageSize.h"

#include <string_view>

#include "texttools/ExifOrientation.h"
#include "texttools/Messages.h"
#include "texttools/PathText.h"

namespace tagsling::texttools {

namespace {

std::uint32_t Byte(const std::string& bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }

std::uint32_t LittleEndian16(const std::string& bytes, std::size_t at) {
  return Byte(bytes, at) | Byte(bytes, at + 1) << 8;
}

std::uint32_t BigEndian16(const std::string& bytes, std::size_t at) {
  return Byte(bytes, at) << 8 | Byte(bytes, at + 1);
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
  return BigEndian16(bytes, at) << 16 | BigEndian16(bytes, at + 2);
}

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr std::uint32_t kPngLargestDimension = 0x7FFFFFFF;

// JPEG markers (the byte after 0xFF).
constexpr std::uint32_t kSoi = 0xD8;
constexpr std::uint32_t kEoi = 0xD9;
constexpr std::uint32_t kSos = 0xDA;
constexpr std::uint32_t kTem = 0x01;
constexpr std::uint32_t kApp1 = 0xE1;
constexpr std::uint32_t kDht = 0xC4;
constexpr std::uint32_t kJpg = 0xC8;
constexpr std::uint32_t kDac = 0xCC;

bool IsStartOfFrame(std::uint32_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != kDht && marker != kJpg && marker != kDac;
}

// Markers that stand alone, without a length field.
bool IsStandalone(std::uint32_t marker) { return marker == kTem || (marker >= 0xD0 && marker <= kSoi); }

}  // namespace

PictureKind PictureKindOf(std::u16string_view path) {
  WideText extension = AsciiUpper(FileExtension(path));
  if (extension == u".GIF") return PictureKind::kGif;
  if (extension == u".JPG" || extension == u".JPEG") return PictureKind::kJpeg;
  if (extension == u".PNG") return PictureKind::kPng;
  return PictureKind::kNone;
}

std::optional<PictureSize> ReadGifSize(ByteSource& source) {
  // The file must hold more than the 10 bytes of signature and screen size.
  std::string header = source.ReadAt(0, 11);
  if (header.size() < 11) return std::nullopt;
  std::string_view signature(header.data(), 6);
  if (signature != "GIF87a" && signature != "GIF89a") return std::nullopt;
  return PictureSize{LittleEndian16(header, 6), LittleEndian16(header, 8)};
}

std::optional<PictureSize> ReadPngSize(ByteSource& source) {
  // Signature (8), IHDR length (4), "IHDR" (4), width (4), height (4).
  std::string header = source.ReadAt(0, 24);
  if (header.size() < 24) return std::nullopt;
  if (std::string_view(header.data(), 8) != kPngSignature) return std::nullopt;
  if (std::string_view(header.data() + 12, 4) != "IHDR") return std::nullopt;
  std::uint32_t width = BigEndian32(header, 16);
  std::uint32_t height = BigEndian32(header, 20);
  if (width == 0 || height == 0 || width > kPngLargestDimension || height > kPngLargestDimension) {
    return std::nullopt;
  }
  return PictureSize{width, height};
}

std::optional<PictureSize> ReadJpegSize(ByteSource& source) {
  std::string soi = source.ReadAt(0, 2);
  if (soi.size() < 2 || Byte(soi, 0) != 0xFF || Byte(soi, 1) != kSoi) return std::nullopt;
  std::uint64_t at = 2;
  // From the first Exif block, which comes before the frame.
  std::optional<int> orientation;
  for (;;) {
    // A marker is 0xFF, any number of 0xFF fill bytes, then the code.
    std::string head = source.ReadAt(at, 2);
    if (head.size() < 2 || Byte(head, 0) != 0xFF) return std::nullopt;
    ++at;
    std::uint32_t marker = Byte(head, 1);
    while (marker == 0xFF) {
      ++at;
      std::string next = source.ReadAt(at, 1);
      if (next.empty()) return std::nullopt;
      marker = Byte(next, 0);
    }
    ++at;  // past the code
    if (IsStandalone(marker)) continue;
    // Entropy-coded data or the end of the picture before any frame, or a
    // code that is no marker: no size to be had.
    if (marker == kEoi || marker == kSos || marker == 0x00) return std::nullopt;
    std::string length_bytes = source.ReadAt(at, 2);
    if (length_bytes.size() < 2) return std::nullopt;
    std::uint32_t length = BigEndian16(length_bytes, 0);
    if (length < 2) return std::nullopt;
    if (IsStartOfFrame(marker)) {
      // Length, precision, height, width.
      if (length < 8) return std::nullopt;
      std::string frame = source.ReadAt(at, 7);
      if (frame.size() < 7) return std::nullopt;
      std::uint32_t height = BigEndian16(frame, 3);
      std::uint32_t width = BigEndian16(frame, 5);
      if (width == 0 || height == 0) return std::nullopt;
      if (OrientationSwapsSides(orientation)) return PictureSize{height, width};
      return PictureSize{width, height};
    }
    if (marker == kApp1 && !orientation) orientation = ExifOrientation(source.ReadAt(at + 2, length - 2));
    at += length;
  }
}

std::optional<PictureSize> ReadPictureSize(PictureKind kind, ByteSource& source) {
  switch (kind) {
    case PictureKind::kGif:
      return ReadGifSize(source);
    case PictureKind::kJpeg:
      return ReadJpegSize(source);
    case PictureKind::kPng:
      return ReadPngSize(source);
    case PictureKind::kNone:
      break;
  }
  return std::nullopt;
}

PictureSizeResult ReadPictureFileSize(FileSystem& files, const platform::WideText& path, PictureKind kind) {
  PictureSizeResult result;
  std::unique_ptr<ByteSource> source = files.OpenFile(path, result.message);
  if (!source) return result;
  result.size = ReadPictureSize(kind, *source);
  if (!result.size) result.message = kMsgPictureSizeUnreadable;
  return result;
}

}  // namespace tagsling::texttools
