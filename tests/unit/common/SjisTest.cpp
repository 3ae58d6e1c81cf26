#include "common/Sjis.h"

#include <gtest/gtest.h>

namespace tagsling {
namespace {

TEST(Sjis, CountsDoubleByteCharactersOnce) {
  EXPECT_EQ(SjisCharCount("ab"), 2u);
  EXPECT_EQ(SjisCharCount("\x82\xa0\x82\xa2x"), 3u);  // two hiragana and x
  EXPECT_EQ(SjisCharCount("a\x82"), 2u);              // lone lead byte at the end
  EXPECT_EQ(SjisCharCount("\xb1\xb2"), 2u);           // half-width katakana are single bytes
}

TEST(Sjis, LowerCasesAsciiAndFullWidthCapitals) {
  EXPECT_EQ(SjisToLower("<B>%SELSTR%</B>"), "<b>%selstr%</b>");
  EXPECT_EQ(SjisToLower("\x82\x60\x82\x79"), "\x82\x81\x82\x9a");  // full-width A, Z
  EXPECT_EQ(SjisToLower("\x83\x9f"), "\x83\xbf");                  // Greek Alpha
  EXPECT_EQ(SjisToLower("\x84\x40\x84\x4e\x84\x4f\x84\x60"), "\x84\x70\x84\x7e\x84\x80\x84\x91");
}

TEST(Sjis, NeverTouchesTrailBytes) {
  // 0x83 0x41 is katakana A; its trail byte is the ASCII code of 'A'.
  EXPECT_EQ(SjisToLower("\x83\x41"), "\x83\x41");
  // The "so" character has trail byte 0x5C (backslash) and stays whole.
  EXPECT_EQ(SjisToLower("\x83\x5cZ"), "\x83\x5cz");
}

}  // namespace
}  // namespace tagsling
