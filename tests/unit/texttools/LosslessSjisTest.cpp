#include "texttools/LosslessSjis.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/SimDesktop.h"

namespace tagsling::texttools {
namespace {

// Left presses the simulated editor needs to cross all of `text` (a CR LF
// is one caret stop, every other UTF-16 unit one).
std::size_t EditorStops(const platform::WideText& text) {
  std::size_t stops = 0;
  for (std::size_t caret = text.size(); caret > 0; ++stops) {
    caret -= caret >= 2 && text.compare(caret - 2, 2, u"\r\n") == 0 ? 2 : 1;
  }
  return stops;
}

TEST(LosslessSjisTest, CaretStopsMatchTheEditorOnTheConvertedText) {
  platform::sim::SimDesktop desk;
  const platform::WideText texts[] = {
      u"",
      u"abc",
      u"a\r\nb",
      u"\r\n\r\n",
      u"\r\r\n\n",
      u"\u3042\u30BD\t",
      u"\U0001F600",
      u"x\U0001F600\u00A5\x7F\xD800y",
      u"\x7F"
      u"41\x7F\x7F",
      u"<a href=\"\">\U0001F600\r\n</a>",
  };
  for (const platform::WideText& text : texts) {
    const std::string sjis = ToLosslessSjis(text, desk);
    EXPECT_EQ(FromLosslessSjis(sjis, desk), text);
    EXPECT_EQ(CaretStopCount(sjis), EditorStops(text)) << sjis;
  }
  // Plain code page 932 bytes: a double-byte character is one stop, and so
  // is a lead byte ending the text alone or a DEL that starts no token.
  EXPECT_EQ(CaretStopCount("\x82\xA0\x83\x5C"), 2u);
  EXPECT_EQ(CaretStopCount("a\x82"), 2u);
  EXPECT_EQ(CaretStopCount("\x7F"
                           "41"),
            3u);
  EXPECT_EQ(CaretStopCount("\x7F"
                           "1F600\x7F"),
            2u);
}

struct RoundTripCase {
  const char* name;
  std::u16string text;
  std::string bytes;  // what ToLosslessSjis gives
};

// "表" is 0x95 0x5C (a trail byte that looks like "\"), "あ" 0x82 0xA0.
const RoundTripCase kCases[] = {
    {"empty", u"", ""},
    {"ascii", u"<p>a</p>", "<p>a</p>"},
    {"japanese", u"\u8868\u3042", "\x95\x5c\x82\xa0"},
    // The yen sign turns into "\" on the way: it travels as a token.
    {"best fit", u"a\u00a5b",
     "a\x7f"
     "A5\x7f"
     "b"},
    {"emoji", u"<b>\U0001F600</b>",
     "<b>\x7f"
     "1F600\x7f"
     "</b>"},
    {"DEL", u"x\x7fy",
     "x\x7f"
     "7F\x7f"
     "y"},
    {"unpaired high surrogate", std::u16string(u"a") + char16_t(0xD800) + u"b",
     "a\x7f"
     "D800\x7f"
     "b"},
    {"unpaired low surrogate", std::u16string(1, char16_t(0xDC00)),
     "\x7f"
     "DC00\x7f"},
    {"token next to hex digits",
     u"\U0001F600"
     u"ABC",
     "\x7f"
     "1F600\x7f"
     "ABC"},
    {"same character twice", u"\u00a5\u8868\u00a5",
     "\x7f"
     "A5\x7f\x95\x5c\x7f"
     "A5\x7f"},
};

class LosslessSjisRoundTrip : public ::testing::TestWithParam<RoundTripCase> {
 protected:
  platform::sim::SimDesktop codec;
};

TEST_P(LosslessSjisRoundTrip, ConvertsAndComesBackUnchanged) {
  const RoundTripCase& c = GetParam();
  const std::string bytes = ToLosslessSjis(c.text, codec);
  EXPECT_EQ(bytes, c.bytes);
  EXPECT_EQ(FromLosslessSjis(bytes, codec), c.text);
}

INSTANTIATE_TEST_SUITE_P(Table, LosslessSjisRoundTrip, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& c : name) {
    if (c == ' ') c = '_';
  }
  return name;
});

TEST(LosslessSjis, BytesThatAreNoTokenConvertAsTheyStand) {
  platform::sim::SimDesktop codec;
  struct {
    const char* bytes;
    std::u16string text;
  } cases[] = {
      {"\x7f", u"\x7f"},          // a DEL alone
      {"\x7f\x7f", u"\x7f\x7f"},  // no digits
      {"\x7f"
       "1234567\x7f",
       u"\x7f"
       u"1234567\x7f"},  // more than six digits
      {"\x7f"
       "110000\x7f",
       u"\x7f"
       u"110000\x7f"},  // beyond Unicode
      {"\x7f"
       "a5\x7f",
       u"\x7f"
       u"a5\x7f"},  // lower-case digits are not ours
      {"\x7f"
       "41",
       u"\x7f"
       u"41"},  // cut before its end
      {"x\x7f"
       "41\x7f"
       "y",
       u"xAy"},
  };
  for (const auto& c : cases) EXPECT_EQ(FromLosslessSjis(c.bytes, codec), c.text) << c.bytes;
}

}  // namespace
}  // namespace tagsling::texttools
