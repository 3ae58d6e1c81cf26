#pragma once
// The orientation a camera or phone recorded in a JPEG's Exif block: how the
// stored picture must be turned to stand upright. Browsers apply it when they
// draw the picture (CSS image-orientation: from-image is the default), so a
// photo taken upright shows with its stored width and height exchanged for
// the orientations 5 to 8.
//
// The block is the payload of an APP1 segment that begins "Exif\0\0",
// followed by a TIFF header ("II" little-endian or "MM" big-endian, 42, the
// offset of the first image directory). Only that first directory is read,
// for the tag 0x0112 of type SHORT and count 1. Every offset is checked
// against the payload; anything malformed, missing or out of the range 1 to 8
// gives nullopt, which leaves the size as stored; a directory that claims
// more entries than the payload holds is not believed at all. Cost: one pass
// over the directory's entries, bounded by the payload.

#include <optional>
#include <string_view>

namespace tagsling::texttools {

// 1 to 8 as the Exif tag gives it, or nullopt.
std::optional<int> ExifOrientation(std::string_view app1_payload);

// True for the orientations that turn the picture by a quarter (5 to 8):
// width and height as shown are the stored ones exchanged.
inline bool OrientationSwapsSides(std::optional<int> orientation) {
  return orientation && *orientation >= 5 && *orientation <= 8;
}

}  // namespace tagsling::texttools
