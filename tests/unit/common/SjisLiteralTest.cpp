#include "common/SjisLiteral.h"

#include <gtest/gtest.h>

#include <string_view>

#include "common/Sjis.h"

namespace tagsling {
namespace {

// Known answers: what Windows writes for these texts in code page 932.
TEST(SjisLiteralTest, ConvertsToTheBytesWindowsWrites) {
  const struct {
    std::string_view converted;
    std::string_view expected;
  } kCases[] = {
      {"Tagsling"_sjis, "Tagsling"},
      {"ホットキー「"_sjis, "\x83\x7a\x83\x62\x83\x67\x83\x4c\x81\x5b\x81\x75"},
      {"(未登録)"_sjis, "(\x96\xa2\x93\x6f\x98\x5e)"},
      {"表ソ"_sjis, "\x95\x5c\x83\x5c"},  // trail bytes that are "\"
      {"ｲﾝﾀｰﾈｯﾄ"_sjis, "\xb2\xdd\xc0\xb0\xc8\xaf\xc4"},
      {"[ 　]"_sjis, "[ \x81\x40]"},
      {"a\r\nb\"\\"_sjis, "a\r\nb\"\\"},
      {"①～"_sjis, "\x87\x40\x81\x60"},
      {""_sjis, ""},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.converted, c.expected);
  static_assert(sizeof("ア"_sjis) == 3, "two bytes and the closing NUL");
}

// The table the conversion searches: sorted by code point with no repeats,
// every entry a double-byte character of code page 932 with a lead byte
// outside the user-defined area.
TEST(SjisLiteralTest, TableIsSortedAndHoldsDoubleByteCharacters) {
  const auto& table = sjis_literal::kCp932Table;
  ASSERT_GT(std::size(table), 7000u);
  for (std::size_t i = 0; i < std::size(table); ++i) {
    const sjis_literal::Cp932Row& row = table[i];
    if (i > 0) {
      ASSERT_LT(table[i - 1].code_point, row.code_point);
    }
    const auto lead = static_cast<unsigned char>(row.bytes >> 8);
    const auto trail = static_cast<unsigned char>(row.bytes & 0xFF);
    EXPECT_TRUE(IsSjisLeadByte(lead)) << std::hex << row.bytes;
    EXPECT_FALSE(lead >= 0xF0 && lead <= 0xF9) << std::hex << row.bytes;
    EXPECT_TRUE(trail >= 0x40 && trail <= 0xFC && trail != 0x7F) << std::hex << row.bytes;
  }
}

}  // namespace
}  // namespace tagsling
