#include "common/TextEncoding.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <string>

#include "common/Cp932.h"
#include "common/LosslessText.h"
#include "common/Sjis.h"

namespace tagsling {
namespace {

const std::string kEmojiToken = LosslessToken(0x1F600);

struct DetectCase {
  const char* name;
  std::string bytes;
  TextEncoding expected;
};

class DetectTextEncodingTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectTextEncodingTest, Detects) { EXPECT_EQ(DetectTextEncoding(GetParam().bytes), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Files, DetectTextEncodingTest,
    ::testing::Values(DetectCase{"Empty", "", TextEncoding::kCp932},
                      DetectCase{"PureAscii", "[Html]\r\nB=<b>%SELSTR%</b>\r\n", TextEncoding::kCp932},
                      DetectCase{"Utf8Mark", "\xEF\xBB\xBF[Html]\r\nB=<b>x</b>\r\n", TextEncoding::kUtf8Bom},
                      DetectCase{"Utf8MarkAlone", "\xEF\xBB\xBF", TextEncoding::kUtf8Bom},
                      DetectCase{"Utf8MarkThenStrayBytes", "\xEF\xBB\xBF\x82\xA0", TextEncoding::kUtf8Bom},
                      DetectCase{"Utf8WithoutMark", "B=<b>\xE6\x97\xA5\xE6\x9C\xAC</b>", TextEncoding::kUtf8},
                      DetectCase{"Utf8FourByte", "B=\xF0\x9F\x98\x80", TextEncoding::kUtf8},
                      DetectCase{"Cp932Kanji", "B=<b>\x93\xFA\x96\x7B\x8C\xEA</b>", TextEncoding::kCp932},
                      // Half-width katakana pairs that happen to form a UTF-8 sequence,
                      // followed by code page 932 text that does not.
                      DetectCase{"Cp932WithUtf8LikeBytes", "\xC3\xA9 \x82\xA0", TextEncoding::kCp932},
                      DetectCase{"TruncatedAtEnd", "B=\xE6\x97\xA5\xE6\x9C", TextEncoding::kCp932},
                      DetectCase{"TruncatedInside", "B=\xE6\x97x", TextEncoding::kCp932},
                      DetectCase{"Overlong", "B=\xC0\xAF", TextEncoding::kCp932},
                      DetectCase{"EncodedSurrogate", "B=\xED\xA0\x80", TextEncoding::kCp932},
                      DetectCase{"BeyondUnicode", "B=\xF4\x90\x80\x80", TextEncoding::kCp932},
                      DetectCase{"Utf16Le", std::string("\xFF\xFE[\0H\0", 6), TextEncoding::kUtf16Le},
                      DetectCase{"Utf16Be", std::string("\xFE\xFF\0[\0H", 6), TextEncoding::kUtf16Be},
                      DetectCase{"Utf16LeOddLength", std::string("\xFF\xFE[\0H", 5), TextEncoding::kCp932}),
    [](const auto& info) { return std::string(info.param.name); });

struct DecodeCase {
  const char* name;
  std::string bytes;
  TextEncoding encoding;
  std::string text;  // lossless code page 932
};

class DecodeTextTest : public ::testing::TestWithParam<DecodeCase> {};

// Decoding gives the expected text, and encoding it again gives the file's
// bytes back exactly.
TEST_P(DecodeTextTest, DecodesAndRoundTrips) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(DecodeText(c.bytes, c.encoding), c.text);
  EXPECT_EQ(EncodeText(c.text, c.encoding), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DecodeTextTest,
    ::testing::Values(
        DecodeCase{"Cp932Kept", "\x93\xFA\x96\x7B", TextEncoding::kCp932, "\x93\xFA\x96\x7B"},
        DecodeCase{"Cp932StrayBytesKept", "a\x82\xFF\x81", TextEncoding::kCp932, "a\x82\xFF\x81"},
        DecodeCase{"Cp932DelIsToken",
                   "a\x7F"
                   "b",
                   TextEncoding::kCp932, std::string("a") + LosslessToken(0x7F) + "b"},
        DecodeCase{"Utf8Kanji", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", TextEncoding::kUtf8,
                   "\x93\xFA\x96\x7B\x8C\xEA"},
        DecodeCase{"Utf8Emoji", "<b>\xF0\x9F\x98\x80</b>", TextEncoding::kUtf8, "<b>" + kEmojiToken + "</b>"},
        DecodeCase{"Utf8MarkRemoved", "\xEF\xBB\xBFx\xC3\xA9", TextEncoding::kUtf8Bom,
                   std::string("x") + LosslessToken(0xE9)},
        DecodeCase{"Utf8HalfWidthKatakana", "\xEF\xBD\xB1", TextEncoding::kUtf8, "\xB1"},
        DecodeCase{"Utf8UserDefinedArea", "\xEE\x80\x80", TextEncoding::kUtf8, "\xF0\x40"},
        DecodeCase{"Utf8StrayBytesAfterMark", "\xEF\xBB\xBF\x82 \xFF", TextEncoding::kUtf8Bom,
                   LosslessToken(0xDC82) + " " + LosslessToken(0xDCFF)},
        DecodeCase{"Utf16LeWithPair",
                   std::string("\xFF\xFE"
                               "a\0\x3D\xD8\x00\xDE",
                               8),
                   TextEncoding::kUtf16Le, "a" + kEmojiToken},
        DecodeCase{"Utf16BeKanji", std::string("\xFE\xFF\x65\xE5", 4), TextEncoding::kUtf16Be, "\x93\xFA"},
        DecodeCase{"Utf16LoneSurrogateKept", std::string("\xFF\xFE\x3D\xD8", 4), TextEncoding::kUtf16Le,
                   LosslessToken(0xD83D)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EncodeText, Cp932CannotHoldCharactersFromOutside) {
  EXPECT_EQ(EncodeText("a" + kEmojiToken, TextEncoding::kCp932), std::nullopt);
  EXPECT_EQ(EncodeText("a" + kEmojiToken, TextEncoding::kUtf8Bom),
            "\xEF\xBB\xBF"
            "a\xF0\x9F\x98\x80");
  // A code page 932 text that changes encoding keeps every character.
  EXPECT_EQ(EncodeText("\x82\xA0\x87\x90", TextEncoding::kUtf8), "\xE3\x81\x82\xE2\x89\x92");
  // Bytes that are no character cannot be written as Unicode.
  EXPECT_EQ(EncodeText("a\x82", TextEncoding::kUtf8), std::nullopt);
  EXPECT_EQ(LosslessToUtf8("a\x82" + kEmojiToken), "a?\xF0\x9F\x98\x80");
}

TEST(SjisToLower, LeavesTokensWhole) {
  EXPECT_EQ(SjisToLower(std::string("<B>") + LosslessToken(0x1F60A) + "</B>"),
            std::string("<b>") + LosslessToken(0x1F60A) + "</b>");
}

TEST(LosslessCaretCount, CountsUtf16Units) {
  EXPECT_EQ(LosslessCaretCount("a\x82\xA0" + kEmojiToken + LosslessToken(0xE9)), 5u);
}

// Reference: the C library's code page 932 converter, a second source.
std::optional<std::u32string> IconvDecode(const std::string& bytes) {
  iconv_t cd = iconv_open("UTF-32LE", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char out[16];
  char* in_ptr = const_cast<char*>(bytes.data());
  char* out_ptr = out;
  std::size_t in_left = bytes.size();
  std::size_t out_left = sizeof out;
  const std::size_t rc = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) return std::nullopt;
  std::u32string result;
  for (char* p = out; p < out_ptr; p += 4) {
    result.push_back(static_cast<char32_t>(static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[1]) << 8 |
                                           static_cast<unsigned char>(p[2]) << 16));
  }
  return result;
}

// Every two-byte code the reference knows decodes to the same character, and
// encoding that character gives bytes that decode to it again.
TEST(Cp932, AgreesWithTheReferenceOnEveryDoubleByteCode) {
  int compared = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsSjisLeadByte(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      const std::optional<std::u32string> reference = IconvDecode(bytes);
      if (!reference || reference->size() != 1) continue;
      const std::optional<char32_t> decoded = Cp932CodePoint(bytes, 0);
      ASSERT_TRUE(decoded) << std::hex << lead << trail;
      EXPECT_EQ(*decoded, (*reference)[0]) << std::hex << lead << trail;
      const std::optional<std::string> encoded = Cp932Bytes(*decoded);
      ASSERT_TRUE(encoded) << std::hex << lead << trail;
      EXPECT_EQ(Cp932CodePoint(*encoded, 0), decoded);
      ++compared;
    }
  }
  EXPECT_GT(compared, 7000);
  EXPECT_EQ(Cp932CodePoint("\x81", 0), std::nullopt);      // lead byte at the end
  EXPECT_EQ(Cp932CodePoint("\x81\x20", 0), std::nullopt);  // no trail byte
  EXPECT_EQ(Cp932Bytes(0x1F600), std::nullopt);
}

}  // namespace
}  // namespace tagsling
