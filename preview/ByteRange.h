#pragma once
// The Range header of a media request (RFC 9110, one "bytes" range): which
// bytes of a file of `size` bytes the answer carries. A header this server
// does not handle (another unit, several ranges, broken syntax) is ignored
// and the whole file is sent, as the standard allows; a range that starts
// past the end is unsatisfiable (416). One answer carries at most
// kLongestSlice bytes: an open range ("bytes=0-") of a long video gets its
// first part, and the browser asks for the rest as it plays.

#include <cstdint>
#include <string>
#include <string_view>

namespace tagsling::preview {

inline constexpr std::uint64_t kLongestSlice = 4u << 20;

struct ByteRange {
  enum class Kind : std::uint8_t { kWhole, kPartial, kUnsatisfiable };
  Kind kind = Kind::kWhole;
  std::uint64_t first = 0;  // kPartial: first and last byte, inclusive
  std::uint64_t last = 0;
  bool operator==(const ByteRange&) const = default;
};

ByteRange ParseByteRange(std::string_view header, std::uint64_t size);

// "bytes FIRST-LAST/SIZE" for a 206, "bytes */SIZE" for a 416.
std::string ContentRange(const ByteRange& range, std::uint64_t size);

}  // namespace tagsling::preview
