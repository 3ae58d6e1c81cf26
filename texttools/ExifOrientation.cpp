#include "texttools/ExifOrientation.h"

#include <cstdint>

namespace tagsling::texttools {

namespace {

constexpr std::string_view kExifHeader("Exif\0\0", 6);
constexpr std::uint32_t kOrientationTag = 0x0112;
constexpr std::uint32_t kShortType = 3;
constexpr std::size_t kEntrySize = 12;

// Reads the TIFF block's numbers in its own byte order; every read is
// checked against the block's end by the caller.
class TiffReader {
 public:
  TiffReader(std::string_view tiff, bool little_endian) : tiff_(tiff), little_endian_(little_endian) {}

  bool Holds(std::uint64_t at, std::uint64_t size) const { return at <= tiff_.size() && size <= tiff_.size() - at; }

  std::uint32_t U16(std::size_t at) const {
    std::uint32_t first = Byte(at);
    std::uint32_t second = Byte(at + 1);
    return little_endian_ ? first | second << 8 : first << 8 | second;
  }

  std::uint32_t U32(std::size_t at) const {
    std::uint32_t low_half = U16(little_endian_ ? at : at + 2);
    std::uint32_t high_half = U16(little_endian_ ? at + 2 : at);
    return high_half << 16 | low_half;
  }

 private:
  std::uint32_t Byte(std::size_t at) const { return static_cast<unsigned char>(tiff_[at]); }

  std::string_view tiff_;
  bool little_endian_;
};

}  // namespace

std::optional<int> ExifOrientation(std::string_view app1_payload) {
  if (app1_payload.substr(0, kExifHeader.size()) != kExifHeader) return std::nullopt;
  const std::string_view tiff = app1_payload.substr(kExifHeader.size());
  if (tiff.size() < 8) return std::nullopt;
  const std::string_view order = tiff.substr(0, 2);
  if (order != "II" && order != "MM") return std::nullopt;
  const TiffReader reader(tiff, order == "II");
  if (reader.U16(2) != 42) return std::nullopt;
  const std::uint64_t directory = reader.U32(4);
  if (!reader.Holds(directory, 2)) return std::nullopt;
  const std::uint32_t entries = reader.U16(directory);
  // A directory that claims more entries than the block holds is broken as
  // a whole: none of it is believed.
  if (!reader.Holds(directory + 2, std::uint64_t{entries} * kEntrySize)) return std::nullopt;
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::uint64_t entry = directory + 2 + std::uint64_t{i} * kEntrySize;
    if (reader.U16(entry) != kOrientationTag) continue;
    if (reader.U16(entry + 2) != kShortType || reader.U32(entry + 4) != 1) return std::nullopt;
    // A single SHORT sits in the first two bytes of the value field.
    const std::uint32_t value = reader.U16(entry + 8);
    if (value < 1 || value > 8) return std::nullopt;
    return static_cast<int>(value);
  }
  return std::nullopt;
}

}  // namespace tagsling::texttools
