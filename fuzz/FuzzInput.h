#pragma once
// Helpers shared by the fuzz targets: the check that stops a run, the
// field layout most targets use (NUL-separated fields, the last one taking
// the rest of the input) and a cleaner that makes arbitrary bytes into
// well-formed code page 932 text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/Sjis.h"

namespace tagsling::fuzz {

// Stops the run (libFuzzer saves the input) when an invariant fails.
inline void Check(bool condition) {
  if (!condition) std::abort();
}

// Reads fields separated by NUL bytes. Fields are easy to write by hand in a
// seed file and easy for the fuzzer to grow or split.
class FieldReader {
 public:
  FieldReader(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

  // The first byte, 0 when the input is empty.
  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    std::uint8_t value = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return value;
  }
  // Bytes up to the next NUL (which is consumed), at most `limit` of them.
  std::string Field(std::size_t limit = 1024) {
    std::size_t end = rest_.find('\0');
    std::string_view field = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return std::string(field.substr(0, limit));
  }
  // Everything left, at most `limit` bytes.
  std::string Rest(std::size_t limit) {
    std::string_view rest = rest_.substr(0, limit);
    rest_ = {};
    return std::string(rest);
  }

 private:
  std::string_view rest_;
};

inline bool IsSjisTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Text as the program's own conversions produce it: every lead byte is
// followed by a trail byte. A lead byte without one becomes '?', and so do
// the bytes in `banned`.
inline std::string WellFormedSjis(std::string_view bytes, std::string_view banned = "") {
  std::string out;
  for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
    unsigned char c = static_cast<unsigned char>(bytes[pos]);
    if (IsSjisLeadByte(c)) {
      if (pos + 1 < bytes.size() && IsSjisTrailByte(static_cast<unsigned char>(bytes[pos + 1]))) {
        out.append(bytes.substr(pos, 2));
        ++pos;
      } else {
        out += '?';
      }
    } else if (banned.find(static_cast<char>(c)) != std::string_view::npos) {
      out += '?';
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace tagsling::fuzz
