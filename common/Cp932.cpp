#include "common/Cp932.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "common/Sjis.h"
#include "common/SjisLiteral.h"

namespace tagsling {

namespace {

struct DuplicateRow {
  std::uint16_t bytes;
  char16_t code_point;
};
constexpr DuplicateRow kDuplicates[] = {
#include "common/Cp932Duplicates.inc"
};

// The user-defined area: lead bytes F0 to F9, 188 trail bytes each, mapped in
// order onto the private use area from U+E000.
constexpr unsigned kUserLeadFirst = 0xF0;
constexpr unsigned kUserLeadLast = 0xF9;
constexpr unsigned kTrailsPerLead = 188;
constexpr char32_t kUserAreaFirst = 0xE000;
constexpr char32_t kUserAreaLast = kUserAreaFirst + (kUserLeadLast - kUserLeadFirst + 1) * kTrailsPerLead - 1;

bool IsTrailByte(unsigned byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }
unsigned TrailIndex(unsigned byte) { return byte < 0x7F ? byte - 0x40 : byte - 0x41; }
unsigned TrailByte(unsigned index) { return index < 0x3F ? 0x40 + index : 0x41 + index; }

// One-byte codes beyond ASCII: 0x80, 0xA0 and 0xFD-0xFF keep places in the
// private use area, 0xA1-0xDF are the half-width katakana.
std::optional<char32_t> SingleByteCodePoint(unsigned byte) {
  if (byte < 0x80) return byte;
  if (byte == 0x80) return 0x80;
  if (byte == 0xA0) return 0xF8F0;
  if (byte >= 0xA1 && byte <= 0xDF) return 0xFF61 + (byte - 0xA1);
  if (byte >= 0xFD) return 0xF8F1 + (byte - 0xFD);
  return std::nullopt;
}

std::optional<char32_t> DoubleByteCodePoint(unsigned code) {
  const unsigned lead = code >> 8;
  const unsigned trail = code & 0xFF;
  if (!IsTrailByte(trail)) return std::nullopt;
  if (lead >= kUserLeadFirst && lead <= kUserLeadLast)
    return kUserAreaFirst + (lead - kUserLeadFirst) * kTrailsPerLead + TrailIndex(trail);
  const DuplicateRow* duplicate =
      std::lower_bound(std::begin(kDuplicates), std::end(kDuplicates), code,
                       [](const DuplicateRow& row, unsigned wanted) { return row.bytes < wanted; });
  if (duplicate != std::end(kDuplicates) && duplicate->bytes == code) return duplicate->code_point;
  // The main table is sorted by code point: built once, an index by bytes.
  static const std::vector<sjis_literal::Cp932Row> by_bytes = [] {
    std::vector<sjis_literal::Cp932Row> rows(std::begin(sjis_literal::kCp932Table),
                                             std::end(sjis_literal::kCp932Table));
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.bytes < b.bytes; });
    return rows;
  }();
  const auto row = std::lower_bound(by_bytes.begin(), by_bytes.end(), code,
                                    [](const sjis_literal::Cp932Row& r, unsigned wanted) { return r.bytes < wanted; });
  if (row != by_bytes.end() && row->bytes == code) return row->code_point;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> Cp932Bytes(char32_t code_point) {
  const auto one = [](unsigned byte) { return std::string(1, static_cast<char>(byte)); };
  const auto two = [](unsigned code) {
    return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  };
  if (code_point <= 0x80) return one(code_point);
  if (code_point == 0xF8F0) return one(0xA0);
  if (code_point >= 0xFF61 && code_point <= 0xFF9F) return one(0xA1 + (code_point - 0xFF61));
  if (code_point >= 0xF8F1 && code_point <= 0xF8F3) return one(0xFD + (code_point - 0xF8F1));
  if (code_point >= kUserAreaFirst && code_point <= kUserAreaLast) {
    const unsigned index = code_point - kUserAreaFirst;
    return two((kUserLeadFirst + index / kTrailsPerLead) << 8 | TrailByte(index % kTrailsPerLead));
  }
  const auto* row =
      std::lower_bound(std::begin(sjis_literal::kCp932Table), std::end(sjis_literal::kCp932Table), code_point,
                       [](const sjis_literal::Cp932Row& r, char32_t c) { return r.code_point < c; });
  if (row == std::end(sjis_literal::kCp932Table) || row->code_point != code_point) return std::nullopt;
  return two(row->bytes);
}

std::optional<char32_t> Cp932CodePoint(std::string_view text, std::size_t pos) {
  const unsigned byte = static_cast<unsigned char>(text[pos]);
  if (!IsSjisLeadByte(static_cast<unsigned char>(byte))) return SingleByteCodePoint(byte);
  if (pos + 1 >= text.size()) return std::nullopt;
  return DoubleByteCodePoint(byte << 8 | static_cast<unsigned char>(text[pos + 1]));
}

}  // namespace tagsling
