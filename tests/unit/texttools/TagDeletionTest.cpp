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
    // A comment ends at the first "-->" after it.
    {DeletionMode::kOutermostTag, "<!-- a --><p>b</p><!-- c -->", "<p>b</p>"},
    {DeletionMode::kOutermostTag, "<!-- a -->b<!-- c -->x<i>", "b<!-- c -->x"},
    {DeletionMode::kOutermostTag, "<div><!-- c --></div>", "<!-- c -->"},
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
    {DeletionMode::kAllTags, "<!-- a\r\n<b>b</b> -->c", "c"},
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

// Markup as a browser's tokenizer finds it: what is no tag stays, in every
// mode, and what is one goes whole. Each row: the text, then what outermost
// and all-tags deletion and uncommenting make of it.
TEST(DeleteTagsTest, NeverTakesTextForATag) {
  const struct {
    std::string input;
    std::string outermost;
    std::string all;
    std::string uncommented;
  } kCases[] = {
      // A "<" that no ASCII letter, "/", "!" or "?" follows is text.
      {"a < b and c > d", "a < b and c > d", "a < b and c > d", "a < b and c > d"},
      {"x <= 3 && y >= 4", "x <= 3 && y >= 4", "x <= 3 && y >= 4", "x <= 3 && y >= 4"},
      {"1 <2 and 3> 0", "1 <2 and 3> 0", "1 <2 and 3> 0", "1 <2 and 3> 0"},
      {"<(_ _)>", "<(_ _)>", "<(_ _)>", "<(_ _)>"},
      {"I <3 you> <b>x</b>", "I <3 you> x", "I <3 you> x", "I <3 you> <b>x</b>"},
      {"zpipe < foo.txt > foo.txt.z <b>now</b>", "zpipe < foo.txt > foo.txt.z now", "zpipe < foo.txt > foo.txt.z now",
       "zpipe < foo.txt > foo.txt.z <b>now</b>"},
      // A "<" that nothing closes is text.
      {"a<b and <i>c</i>", "a<b and c", "a<b and c", "a<b and <i>c</i>"},
      // Quoted values hold ">" and "<"; unquoted ones and stray quotes do not.
      {"<img alt=\"a > b\" src=\"x.png\">caption", "<img alt=\"a > b\" src=\"x.png\">caption", "caption",
       "<img alt=\"a > b\" src=\"x.png\">caption"},
      {"<a title = '1 < 2'>x</a>", "x", "x", "<a title = '1 < 2'>x</a>"},
      {"<a href=x>y</a>", "y", "y", "<a href=x>y</a>"},
      {"<p class=\"a\">it's \"q\"</p>", "it's \"q\"", "it's \"q\"", "<p class=\"a\">it's \"q\"</p>"},
      {"<a b\"c>d</a>", "d", "d", "<a b\"c>d</a>"},
      // A quote that never closes is an ordinary character.
      {"<a href=\"x>link</a>", "link", "link", "<a href=\"x>link</a>"},
      // Declarations, processing instructions, end tags.
      {"<!DOCTYPE html><p>x</p>", "<p>x", "x", "<!DOCTYPE html><p>x</p>"},
      {"<?xml version=\"1.0\"?><r/>", "", "", "<?xml version=\"1.0\"?><r/>"},
      // A comment is one piece from "<!--" to "-->", whatever it holds.
      {"<!--[if lte IE 11]><div>Old browser.</div><![endif]-->Main",
       "<!--[if lte IE 11]><div>Old browser.</div><![endif]-->Main", "Main",
       "[if lte IE 11]><div>Old browser.</div><![endif]Main"},
      {"<!-- a > b -->x<br>", "x", "x", "a > bx<br>"},
      {"<!-->x<!--->y", "xy", "xy", ">x->y"},
      // Without "-->" it is scanned like a tag.
      {"<!-- <b>x</b>", "<!-- x", "<!-- x", "<b>x</b>"},
      // The second pass of all-tags deletion.
      {"<<b>i>x", "<<b>i>x", "x", "<<b>i>x"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(DeleteTags(c.input, DeletionMode::kOutermostTag), c.outermost) << c.input;
    EXPECT_EQ(DeleteTags(c.input, DeletionMode::kAllTags), c.all) << c.input;
    EXPECT_EQ(DeleteTags(c.input, DeletionMode::kUncomment), c.uncommented) << c.input;
  }
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

// Text from Japanese pages, one with a character code page 932 lacks
// ("‹"): it stays as the user wrote it.
TEST_F(SelectionTest, JapaneseTextAroundAngleBracketsStays) {
  const struct {
    platform::WideText input;
    platform::WideText all;
  } kCases[] = {
      {u"よろしくお願いします。<(_ _)>", u"よろしくお願いします。<(_ _)>"},
      {u"決算対策<\u2039 資金活用の提言！>> ★", u"決算対策<\u2039 資金活用の提言！>> ★"},
      {u"<b>決算対策</b><\u2039 提言！>>", u"決算対策<\u2039 提言！>>"},
      {u"<p title=\"\u2039>\">\U0001F600</p>", u"\U0001F600"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(DeleteTagsInSelection(c.input, DeletionMode::kAllTags, desk, desk), c.all);
    EXPECT_EQ(DeleteTagsInSelection(c.input, DeletionMode::kOutermostTag, desk, desk), c.all);
  }
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
  core::InsertionEngine engine{desk.platform(), settings, [this] {
                                 core::EngineHooks hooks;
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
