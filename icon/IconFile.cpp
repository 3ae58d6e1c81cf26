// Icon and PNG encoding. An icon file is a directory (ICONDIR, then one
// ICONDIRENTRY of 16 bytes per picture) followed by the pictures; a bitmap
// picture is a BITMAPINFOHEADER whose height counts the colour rows and the
// mask rows together, the colour rows bottom-up in B, G, R, A order, then the
// AND mask bottom-up with rows padded to 32 bits. A PNG picture is a whole
// PNG file. All numbers are little-endian in the icon, big-endian in PNG.

#include "icon/IconFile.h"

#include <zlib.h>

#include <stdexcept>

namespace tagsling::icon {
namespace {

void Put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xff);
  out += static_cast<char>((value >> 8) & 0xff);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xffff);
  Put16(out, value >> 16);
}

void PutBig32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xff);
}

void CheckPixels(int width, int height, const std::vector<std::uint32_t>& pixels) {
  if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
    throw std::invalid_argument("pixel count does not match the picture's size");
  }
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  PutBig32(out, static_cast<std::uint32_t>(
                    crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

std::string EncodeBitmap(const IconImage& image) {
  const int size = image.size;
  const size_t mask_stride = static_cast<size_t>((size + 31) / 32 * 4);
  std::string out;
  Put32(out, 40);        // biSize
  Put32(out, size);      // biWidth
  Put32(out, 2 * size);  // biHeight: colour and mask rows
  Put16(out, 1);         // biPlanes
  Put16(out, 32);        // biBitCount
  Put32(out, 0);         // biCompression: BI_RGB
  Put32(out, static_cast<std::uint32_t>(size * size * 4 + mask_stride * size));
  for (int i = 0; i < 4; ++i) Put32(out, 0);  // resolution and palette: unused
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) Put32(out, image.pixels[static_cast<size_t>(y) * size + x]);
  }
  for (int y = size - 1; y >= 0; --y) {
    std::string row(mask_stride, '\0');
    for (int x = 0; x < size; ++x) {
      if ((image.pixels[static_cast<size_t>(y) * size + x] >> 24) == 0) {
        row[static_cast<size_t>(x / 8)] = static_cast<char>(row[static_cast<size_t>(x / 8)] | (0x80 >> (x % 8)));
      }
    }
    out += row;
  }
  return out;
}

}  // namespace

std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels) {
  CheckPixels(width, height, pixels);
  // Rows with filter type 0 (none): the pictures are flat colour, which zlib
  // packs well as it is.
  std::string raw;
  raw.reserve(static_cast<size_t>(height) * (1 + 4 * static_cast<size_t>(width)));
  for (int y = 0; y < height; ++y) {
    raw += '\0';
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      raw += static_cast<char>((p >> 16) & 0xff);
      raw += static_cast<char>((p >> 8) & 0xff);
      raw += static_cast<char>(p & 0xff);
      raw += static_cast<char>(p >> 24);
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packed_size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size, reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("zlib could not compress the picture");
  }
  packed.resize(packed_size);

  std::string header;
  PutBig32(header, static_cast<std::uint32_t>(width));
  PutBig32(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter set, no interlace
  std::string out("\x89PNG\r\n\x1a\n", 8);
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", "");
  return out;
}

std::string EncodeIconFile(const std::vector<IconImage>& images) {
  if (images.empty() || images.size() > 0xffff) throw std::invalid_argument("an icon file holds 1 to 65535 pictures");
  std::vector<std::string> bodies;
  for (const IconImage& image : images) {
    if (image.size < 1 || image.size > 256) throw std::invalid_argument("icon pictures are 1 to 256 pixels wide");
    CheckPixels(image.size, image.size, image.pixels);
    bodies.push_back(image.size == 256 ? EncodePng(256, 256, image.pixels) : EncodeBitmap(image));
  }
  std::string out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // type: icon
  Put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const unsigned side = images[i].size == 256 ? 0 : static_cast<unsigned>(images[i].size);  // 0 stands for 256
    out += static_cast<char>(side);
    out += static_cast<char>(side);
    out += '\0';     // colour count: not a palette picture
    out += '\0';     // reserved
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const std::string& body : bodies) out += body;
  return out;
}

}  // namespace tagsling::icon
