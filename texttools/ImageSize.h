#pragma once
// Width and height of GIF, PNG and JPEG pictures, read from their headers.
//
// - GIF: the logical screen size after the "GIF87a"/"GIF89a" signature.
// - PNG: the full 32-bit width and height of the IHDR chunk, which must
//   follow the signature; zero or values above 2^31 - 1 are invalid.
// - JPEG: the marker segments are walked from the start of the file (SOI)
//   to the first start-of-frame marker (SOF0 to SOF15 other than DHT, JPG
//   and DAC), skipping each segment by its length, so JFIF, Exif and ICC
//   profile headers of any size come first without harm. A frame whose
//   height is still undefined (0, to be set by a later DNL marker) has no
//   usable size. An Exif block before the frame may record an orientation
//   of 5 to 8 (a photo taken upright, stored sideways): browsers show such a
//   picture turned, so its width and height are given exchanged, as shown.
//
// Every reader asks the source only for the bytes it needs, never reads past
// the end, and answers nullopt for anything truncated or malformed: a
// missing size, never a wrong one. Cost: a few small reads for GIF and PNG;
// for JPEG one 4-byte read per segment before the frame header.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "texttools/FileSystem.h"

namespace tagsling::texttools {

struct PictureSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool operator==(const PictureSize&) const = default;
};

enum class PictureKind { kNone, kGif, kJpeg, kPng };

// The picture kind of a file by its extension, compared after upper-casing:
// ".GIF", ".JPG" or ".JPEG", ".PNG"; kNone for anything else.
PictureKind PictureKindOf(std::u16string_view path);

std::optional<PictureSize> ReadGifSize(ByteSource& source);
std::optional<PictureSize> ReadPngSize(ByteSource& source);
std::optional<PictureSize> ReadJpegSize(ByteSource& source);
// The reader of `kind`; nullopt for kNone.
std::optional<PictureSize> ReadPictureSize(PictureKind kind, ByteSource& source);

// The size of a picture file, or the message to show: the system's error
// text when the file cannot be opened, otherwise "イメージの縦横サイズを取得
// できませんでした。" (kMsgPictureSizeUnreadable).
struct PictureSizeResult {
  std::optional<PictureSize> size;
  std::string message;
};
PictureSizeResult ReadPictureFileSize(FileSystem& files, const platform::WideText& path, PictureKind kind);

}  // namespace tagsling::texttools
