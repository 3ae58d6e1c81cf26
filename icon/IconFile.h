#pragma once
// Writes Windows icon files (.ico) and PNG pictures from 32-bit pixels, for
// tagsling-icon, the build-time program that turns the program icon's
// drawing into the icon resource of tagsling.exe. Built for the build
// machine only: it needs zlib, which the Windows program does not carry.

#include <cstdint>
#include <string>
#include <vector>

namespace tagsling::icon {

// A square picture: size x size pixels, top row first, 0xAARRGGBB with
// straight alpha (as RenderProgramIcon gives them).
struct IconImage {
  int size = 0;
  std::vector<std::uint32_t> pixels;
};

// The bytes of a PNG file (8-bit RGBA, no interlacing) of width x height
// pixels in the layout above. Throws std::invalid_argument when the pixel
// count does not match or a side is not positive.
std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels);

// The bytes of an icon file holding `images` in the order given. Pictures
// below 256 pixels are stored as 32-bit bitmaps with alpha and an AND mask
// (set where a pixel is fully transparent), which every version of Windows
// reads; the 256-pixel picture as PNG, as Windows expects it at that size.
// Throws std::invalid_argument for no image, a size outside 1..256 or a
// pixel count that does not match the size.
std::string EncodeIconFile(const std::vector<IconImage>& images);

}  // namespace tagsling::icon
