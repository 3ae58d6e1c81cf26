#include "preview/ByteRange.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace tagsling::preview {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Digits only (no sign, no blanks), within 64 bits.
std::optional<std::uint64_t> Number(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

ByteRange ParseByteRange(std::string_view header, std::uint64_t size) {
  constexpr ByteRange kWhole{};
  header = Trimmed(header);
  if (!header.starts_with("bytes=")) return kWhole;
  const std::string_view ranges = Trimmed(header.substr(6));
  if (ranges.find(',') != std::string_view::npos) return kWhole;
  const std::size_t dash = ranges.find('-');
  if (dash == std::string_view::npos) return kWhole;
  const std::string_view first_text = Trimmed(ranges.substr(0, dash));
  const std::string_view last_text = Trimmed(ranges.substr(dash + 1));
  ByteRange range{ByteRange::Kind::kPartial};
  if (first_text.empty()) {
    // "-N": the last N bytes.
    const std::optional<std::uint64_t> suffix = Number(last_text);
    if (!suffix) return kWhole;
    if (*suffix == 0 || size == 0) return {ByteRange::Kind::kUnsatisfiable};
    range.first = size - std::min(*suffix, size);
    range.last = size - 1;
  } else {
    const std::optional<std::uint64_t> first = Number(first_text);
    if (!first) return kWhole;
    std::uint64_t last = size == 0 ? 0 : size - 1;
    if (!last_text.empty()) {
      const std::optional<std::uint64_t> asked = Number(last_text);
      if (!asked || *asked < *first) return kWhole;
      last = std::min(*asked, last);
    }
    if (*first >= size) return {ByteRange::Kind::kUnsatisfiable};
    range.first = *first;
    range.last = last;
  }
  range.last = std::min(range.last, range.first + kLongestSlice - 1);
  return range;
}

std::string ContentRange(const ByteRange& range, std::uint64_t size) {
  if (range.kind == ByteRange::Kind::kPartial) {
    return "bytes " + std::to_string(range.first) + "-" + std::to_string(range.last) + "/" + std::to_string(size);
  }
  return "bytes */" + std::to_string(size);
}

}  // namespace tagsling::preview
