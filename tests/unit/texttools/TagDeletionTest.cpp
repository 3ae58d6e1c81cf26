#include "texttools/TagDeletion.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/SimDesktop.h"

namespace tagsling::texttools {
namespace {

struct DeleteCase {
  DeletionMode mode;
  std::string input;
  std::string expected;
};

// "あ" is 0x82 0xA0, "ソ" 0x83 0x5C (a trail byte that looks like "\"),
// the ideographic space 0x81 0x40.
const DeleteCase kDeleteCases[] = {
    {DeletionMode::kOutermostTag, "<p>hello</p>", "hello"},
    {DeletionMode::kOutermostTag, "<a href=x><b>t</b></a>", "<b>t</b>"},
    {DeletionMode::kOutermostTag, "<br>", "<br>"},
    {DeletionMode::kOutermostTag, "plain", "plain"},
    {DeletionMode::kOutermostTag, "x<p>a\r\nb</p>y", "xa\r\nby"},
    {DeletionMode::kOutermostTag, "<p>\x82\xa0\x83\x5c</p>", "\x82\xa0\x83\x5c"},
    {DeletionMode::kOutermostTag, "<b>\x83\x5c\x82\xa0<i>\x82\xa0</i></b>", "\x83\x5c\x82\xa0<i>\x82\xa0</i>"},
    // A comment holding markup is one tag: nothing happens.
    {DeletionMode::kOutermostTag, "<!-- <b>x</b> -->", "<!-- <b>x</b> -->"},
    // The comment alternative runs to the last "-->" of the text.
    {DeletionMode::kOutermostTag, "<!-- a --><p>b</p><!-- c -->", "<!-- a --><p>b</p><!-- c -->"},
    {DeletionMode::kOutermostTag, "<!-- a -->b<!-- c -->x<i>", "x"},
    {DeletionMode::kOutermostTag, "\t<p>a</p>\t", "\ta\t"},
    // A lead byte ending the text alone stays where it is.
    {DeletionMode::kOutermostTag, "<p>a</p>\x92", "a\x92"},
    {DeletionMode::kOutermostTag, "<p>a</p>\x92\x92\x92", "a\x92\x92\x92"},
    {DeletionMode::kOutermostTag, "#####CR#####<p>a</p>", "\ra"},
    {DeletionMode::kOutermostTag, "#####CR#####<p>", "#####CR#####<p>"},
    {DeletionMode::kAllTags, "<<b>i>x", "x"},
    {DeletionMode::kAllTags, "<p>a<br>\r\nb</p>", "a\r\nb"},
    {DeletionMode::kAllTags, "<a\r\nhref=x>y</a>", "y"},
    {DeletionMode::kAllTags, "#####LF#####x", "\nx"},
    {DeletionMode::kAllTags, "a < b > c", "a  c"},
    {DeletionMode::kUncomment, "<!--\x81\x40note -->", "note"},
    {DeletionMode::kUncomment, "<!--  a\r\nb \x81\x40-->", "a\r\nb"},
    {DeletionMode::kUncomment, "x<!--y-->z<!-- w -->", "xyzw"},
    {DeletionMode::kUncomment, "#####TAB#####", "\t"},
    {DeletionMode::kUncomment, "<p>keep</p>", "<p>keep</p>"},
};

TEST(DeleteTagsTest, TransformsEachMode) {
  for (const DeleteCase& c : kDeleteCases) {
    EXPECT_EQ(DeleteTags(c.input, c.mode), c.expected) << "mode " << static_cast<int>(c.mode) << " on " << c.input;
  }
}

TEST(DeleteTagsTest, ReversesCharactersNotBytes) {
  EXPECT_EQ(ReverseSjisText("a\x82\xa0"
                            "b\x83\x5c"),
            "\x83\x5c"
            "b\x82\xa0"
            "a");
  EXPECT_EQ(ReverseSjisText(""), "");
  // A lead byte without its trail byte stays a single character.
  EXPECT_EQ(ReverseSjisText("a\x82"),
            "\x82"
            "a");
}

class SelectionTest : public ::testing::Test {
 protected:
  platform::sim::SimDesktop desk;
};

TEST_F(SelectionTest, CharactersOutsideCodePage932ComeBackUnchanged) {
  // An emoji (surrogate pair), a character with only a best-fit mapping
  // (U+00A5), DEL and a lone surrogate, inside and around tags.
  const platform::WideText selection = u"<b>\U0001F600\u00A5\x7F</b>\U0001F600<i>\xD800</i>x";
  EXPECT_EQ(DeleteTagsInSelection(selection, DeletionMode::kOutermostTag, desk, desk),
            u"\U0001F600\u00A5\x7F</b>\U0001F600<i>\xD800x");
  EXPECT_EQ(DeleteTagsInSelection(selection, DeletionMode::kAllTags, desk, desk),
            u"\U0001F600\u00A5\x7F\U0001F600\xD800x");
  EXPECT_EQ(DeleteTagsInSelection(u"<!--\u3000\U0001F600 -->", DeletionMode::kUncomment, desk, desk), u"\U0001F600");
  // A tag whose attribute holds an emoji goes as a whole.
  EXPECT_EQ(DeleteTagsInSelection(u"<a title=\U0001F600>t</a>", DeletionMode::kOutermostTag, desk, desk), u"t");
  // Lookalikes of the carrier tokens typed by the user survive too.
  EXPECT_EQ(DeleteTagsInSelection(u"\x7F"
                                  u"41\x7F<b>x</b>",
                                  DeletionMode::kAllTags, desk, desk),
            u"\x7F"
            u"41\x7Fx");
}

TEST_F(SelectionTest, LimitIsTenThousandCodePage932Bytes) {
  // "あ" is two bytes in code page 932.
  for (std::size_t bytes : {kTagDeletionLimit - 1, kTagDeletionLimit, kTagDeletionLimit + 1}) {
    platform::WideText selection = u"<b>" + platform::WideText((bytes - 7) / 2, u'\u3042') + u"</b>";
    if ((bytes - 7) % 2 != 0) selection += u"x";
    bool over = bytes > kTagDeletionLimit;
    int beeps_before = desk.beeps;
    platform::WideText result = DeleteTagsInSelection(selection, DeletionMode::kAllTags, desk, desk);
    EXPECT_EQ(result.size(), over ? selection.size() : selection.size() - 7) << bytes;
    EXPECT_EQ(desk.beeps - beeps_before, over ? 1 : 0) << bytes;
  }
}

}  // namespace
}  // namespace tagsling::texttools

namespace tagsling::texttools {
namespace {

// The whole command through the engine's shared capture: cut, wait, the
// transformation, paste back over the selection.
class StartTagDeletionTest : public ::testing::Test {
 protected:
  platform::sim::SimDesktop desk;
  settings::AppSettings settings;
  std::vector<std::string> through;
  platform::WindowHandle palette =
      desk.AddWindow("TTagslingMain", platform::sim::SimDesktop::kOwnProcess, platform::sim::SimDesktop::kOwnThread);
  platform::WindowHandle notepad = desk.AddWindow("Notepad", 2, 2);
  platform::WindowHandle edit = desk.AddEditor(notepad);
  platform::sim::SimEditor& editor = desk.Editor(edit);
  InsertionEngine engine{desk.platform(), settings, [this] {
                           EngineHooks hooks;
                           hooks.through_classes = &through;
                           return hooks;
                         }()};

  void SetUp() override { desk.SetForeground(palette); }
};

// "[" text "]", appended piece by piece: "[" + a temporary string trips a
// false -Wrestrict of GCC 12 when optimising.
platform::WideText Bracketed(const char16_t* text) {
  platform::WideText out = u"[";
  out += text;
  out += u']';
  return out;
}

TEST_F(StartTagDeletionTest, EachModeReplacesTheSelection) {
  struct Case {
    DeletionMode mode;
    const char16_t* selection;
    const char16_t* result;
  };
  const Case kCases[] = {
      {DeletionMode::kOutermostTag, u"<p>\U0001F600\r\nb</p>", u"\U0001F600\r\nb"},
      {DeletionMode::kAllTags, u"<a>x<b>y</b></a>", u"xy"},
      {DeletionMode::kUncomment, u"<!-- \u3042 -->", u"\u3042"},
  };
  for (const Case& c : kCases) {
    editor.SetText(Bracketed(c.selection));
    editor.Select(1, editor.text.size() - 1);
    ASSERT_TRUE(StartTagDeletion(engine, desk, desk, c.mode, true));
    desk.RunUntilIdle();
    EXPECT_EQ(editor.text, Bracketed(c.result));
  }
  EXPECT_EQ(desk.beeps, 0);
}

TEST_F(StartTagDeletionTest, NothingSelectedBeeps) {
  editor.SetText(u"<b>x</b>");
  ASSERT_TRUE(StartTagDeletion(engine, desk, desk, DeletionMode::kAllTags, true));
  desk.RunUntilIdle();
  EXPECT_EQ(editor.text, u"<b>x</b>");
  EXPECT_EQ(desk.beeps, 1);
}

}  // namespace
}  // namespace tagsling::texttools
