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

}  // namespace
}  // namespace tagsling::texttools
