#include "abbrev/Abbreviation.h"

#include <gtest/gtest.h>

#include <string>

#include "AbbrevTestSupport.h"

namespace tagsling::abbrev {
namespace {

using testing::Case;
using testing::Expand;

void ExpectExpansions(std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(Expand(c.abbreviation), c.expected) << "abbreviation: " << c.abbreviation;
}

TEST(AbbreviationTest, ElementsAndImplicitNames) {
  ExpectExpansions({
      {"p", "<p>|</p>"},
      {"my-element", "<my-element>|</my-element>"},
      {"svg:rect", "<svg:rect>|</svg:rect>"},
      {"h1", "<h1>|</h1>"},
      {".x", "<div class=\"x\">|</div>"},
      {"#top", "<div id=\"top\">|</div>"},
      {"ul>.x", "<ul>\n\t<li class=\"x\">|</li>\n</ul>"},
      {"ol>.x", "<ol>\n\t<li class=\"x\">|</li>\n</ol>"},
      {"table>.r>.c", "<table>\n\t<tr class=\"r\">\n\t\t<td class=\"c\">|</td>\n\t</tr>\n</table>"},
      {"tbody>.r", "<tbody>\n\t<tr class=\"r\">|</tr>\n</tbody>"},
      {"thead>.r", "<thead>\n\t<tr class=\"r\">|</tr>\n</thead>"},
      {"tfoot>.r", "<tfoot>\n\t<tr class=\"r\">|</tr>\n</tfoot>"},
      {"tr>.c", "<tr>\n\t<td class=\"c\">|</td>\n</tr>"},
      {"select>.o", "<select>\n\t<option class=\"o\">|</option>\n</select>"},
      {"datalist>.o", "<datalist>\n\t<option class=\"o\">|</option>\n</datalist>"},
      {"optgroup>.o", "<optgroup>\n\t<option class=\"o\">|</option>\n</optgroup>"},
      {"span>.x", "<span><span class=\"x\">|</span></span>"},
      {"em>.x", "<em><span class=\"x\">|</span></em>"},
      {"p>.x", "<p><span class=\"x\">|</span></p>"},
      {"a>.x", "<a href=\"|\"><span class=\"x\"></span></a>"},
      {"button>.x", "<button><span class=\"x\">|</span></button>"},
      {"label[for=n]>.x", "<label for=\"n\"><span class=\"x\">|</span></label>"},
      {"colgroup>.c", "<colgroup>\n\t<col class=\"c\">\n</colgroup>"},
      {"video>.s", "<video>\n\t<source class=\"s\">\n</video>"},
      {"audio>[src=a.mp3]", "<audio>\n\t<source src=\"a.mp3\">\n</audio>"},
      {"picture>.s", "<picture>\n\t<source class=\"s\">\n</picture>"},
      {"div>.x", "<div>\n\t<div class=\"x\">|</div>\n</div>"},
      {"section>.x", "<section>\n\t<div class=\"x\">|</div>\n</section>"},
      // Through a group the parent is still the element around it.
      {"ul>(.a+.b)", "<ul>\n\t<li class=\"a\">|</li>\n\t<li class=\"b\"></li>\n</ul>"},
      // A numbered parent is no known element.
      {"h$>.x", "<h1>\n\t<div class=\"x\">|</div>\n</h1>"},
  });
}

TEST(AbbreviationTest, LetterCaseIsKept) {
  ExpectExpansions({
      {"Div", "<Div>|</Div>"},
      {"DIV#a.b", "<DIV ID=\"a\" CLASS=\"b\">|</DIV>"},
      {"UL>.X", "<UL>\n\t<LI CLASS=\"X\">|</LI>\n</UL>"},
      {"A", "<A HREF=\"|\"></A>"},
      {"IMG", "<IMG SRC=\"|\" ALT=\"\">"},
      {"div[dataX=Y]", "<div dataX=\"Y\">|</div>"},
      {"A[href=x]", "<A href=\"x\">|</A>"},
  });
}

TEST(AbbreviationTest, IdClassesAndAttributes) {
  ExpectExpansions({
      {"div#main", "<div id=\"main\">|</div>"},
      {"div.a.b.c", "<div class=\"a b c\">|</div>"},
      {"div#i.c[title=t]", "<div id=\"i\" class=\"c\" title=\"t\">|</div>"},
      {"div[title=t].c#i", "<div id=\"i\" class=\"c\" title=\"t\">|</div>"},
      {"div[a b=1 c=\"x y\" d='q']", "<div a=\"|\" b=\"1\" c=\"x y\" d=\"q\"></div>"},
      {"div[  a   b=1 ]", "<div a=\"|\" b=\"1\"></div>"},
      {"div[a][b]", "<div a=\"|\" b=\"\"></div>"},
      {"div[x=1 x=2]", "<div x=\"2\">|</div>"},
      {"div[class=x].y", "<div class=\"x y\">|</div>"},
      {"div.y[class=\"x z\"]", "<div class=\"y x z\">|</div>"},
      {"div[id=x]#y", "<div id=\"y\">|</div>"},
      {"div#y[id=x]", "<div id=\"x\">|</div>"},
      {"div[class]", "<div class=\"|\"></div>"},
      {"p[title='say \"hi\"']", "<p title=\"say &quot;hi&quot;\">|</p>"},
      {"p[title=\"a]b\"]", "<p title=\"a]b\">|</p>"},
      {"p[title=\"\"]", "<p title=\"|\"></p>"},
      {"p[title=]", "<p title=\"|\"></p>"},
      {"p[onclick=\"f('a')\"]", "<p onclick=\"f('a')\">|</p>"},
      {"p[v-on:click=go @x=y]", "<p v-on:click=\"go\" @x=\"y\">|</p>"},
      {"p.w-1/2.sm:p-4", "<p class=\"w-1/2 sm:p-4\">|</p>"},
      // Double-byte characters whose trail bytes look like "\" (0x5C),
      // "]" (0x5D) and "}" (0x7D) are read whole.
      {"p[title=\x95\x5C]", "<p title=\"\x95\x5C\">|</p>"},
      {"p[title=\x83\x5D]", "<p title=\"\x83\x5D\">|</p>"},
      {"p.\x95\x5C#\x83\x7D", "<p id=\"\x83\x7D\" class=\"\x95\x5C\">|</p>"},
  });
}

TEST(AbbreviationTest, DefaultAttributes) {
  ExpectExpansions({
      {"a", "<a href=\"|\"></a>"},
      {"a[title=x]", "<a href=\"|\" title=\"x\"></a>"},
      {"a[title=x href=y]", "<a href=\"y\" title=\"x\">|</a>"},
      {"a[HREF=y]", "<a HREF=\"y\">|</a>"},
      {"a#n.c", "<a id=\"n\" class=\"c\" href=\"|\"></a>"},
      {"img", "<img src=\"|\" alt=\"\">"},
      {"img[alt=A]", "<img src=\"|\" alt=\"A\">"},
      {"img[alt=A src=s.png width=10]", "<img src=\"s.png\" alt=\"A\" width=\"10\">"},
      {"input", "<input type=\"text\">"},
      {"input[type=email name]", "<input type=\"email\" name=\"|\">"},
      {"input.x", "<input class=\"x\" type=\"text\">"},
      {"link", "<link rel=\"stylesheet\" href=\"|\">"},
      {"link[rel=icon]", "<link rel=\"icon\" href=\"|\">"},
      {"form", "<form action=\"|\"></form>"},
      {"label", "<label for=\"|\"></label>"},
      {"label[for=n]{Name}", "<label for=\"n\">Name</label>"},
      // A label that holds its control needs no "for".
      {"label>input", "<label><input type=\"text\"></label>"},
      {"label{Name }>select", "<label>Name <select>|</select></label>"},
      {"label>span>textarea", "<label><span><textarea>|</textarea></span></label>"},
      {"label[for=x]>input", "<label for=\"x\"><input type=\"text\"></label>"},
      {"label+input", "<label for=\"|\"></label><input type=\"text\">"},
  });
}

TEST(AbbreviationTest, VoidElements) {
  ExpectExpansions({
      {"br", "<br>"},
      {"hr+hr", "<hr>\n<hr>"},
      {"meta", "<meta>"},
      {"area+base+col+embed+source+track+wbr", "<area>\n<base>\n<col>\n<embed>\n<source>\n<track>\n<wbr>"},
      {"p>br", "<p><br></p>"},
      {"BR", "<BR>"},
      // "br" inside a name is no void element.
      {"brx", "<brx>|</brx>"},
  });
}

TEST(AbbreviationTest, Text) {
  ExpectExpansions({
      {"p{hi}", "<p>hi</p>"},
      {"{hi}", "hi"},
      {"p{a \\} b}", "<p>a } b</p>"},
      {"p{\\{x\\}}", "<p>{x}</p>"},
      {"p{a\\\\}", "<p>a\\</p>"},
      {"p{\\$5}", "<p>$5</p>"},
      {"p{c:\\x}", "<p>c:\\x</p>"},
      {"p{a}{b}", "<p>ab</p>"},
      {"p{}", "<p>|</p>"},
      {"{a}+{b}", "ab"},
      {"p>{a}+b{c}+{d}", "<p>a<b>c</b>d</p>"},
      {"p{<b>x</b> &amp; y}", "<p><b>x</b> &amp; y</p>"},
      {"p{x}.c", "<p class=\"c\">x</p>"},
      {"{x}.c", "<div class=\"c\">x</div>"},
      {"div{a}>p", "<div>\n\ta\n\t<p>|</p>\n</div>"},
      // A text with a double-byte character whose trail byte is "}" (0x83 0x7D).
      {"p{\x83\x7D}", "<p>\x83\x7D</p>"},
      {"p{\x95\x5C}", "<p>\x95\x5C</p>"},
  });
}

TEST(AbbreviationTest, ChildSiblingAndClimb) {
  ExpectExpansions({
      {"div>p", "<div>\n\t<p>|</p>\n</div>"},
      {"div+p", "<div>|</div>\n<p></p>"},
      {"div>p+p", "<div>\n\t<p>|</p>\n\t<p></p>\n</div>"},
      {"div>p>span", "<div>\n\t<p><span>|</span></p>\n</div>"},
      {"div>p>span^p", "<div>\n\t<p><span>|</span></p>\n\t<p></p>\n</div>"},
      {"div>p>span^^p", "<div>\n\t<p><span>|</span></p>\n</div>\n<p></p>"},
      {"div>div>div>p^^^p", "<div>\n\t<div>\n\t\t<div>\n\t\t\t<p>|</p>\n\t\t</div>\n\t</div>\n</div>\n<p></p>"},
      {"div>p>em+strong^p", "<div>\n\t<p><em>|</em><strong></strong></p>\n\t<p></p>\n</div>"},
      // Climbing past the top stops there; in a group, at the group's top.
      {"div+div>p>span+em^^^bq",
       "<div>|</div>\n<div>\n\t<p><span></span><em></em></p>\n</div>\n<blockquote></blockquote>"},
      {"a^b", "<a href=\"|\"></a><b></b>"},
      {"div>(p>b^^^i)+u", "<div>\n\t<p><b>|</b></p>\n\t<i></i><u></u>\n</div>"},
      {"div>p^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^p", "<div>\n\t<p>|</p>\n</div>\n<p></p>"},
  });
}

TEST(AbbreviationTest, Repeats) {
  ExpectExpansions({
      {"li*3", "<li>|</li>\n<li></li>\n<li></li>"},
      {"ul>li*2", "<ul>\n\t<li>|</li>\n\t<li></li>\n</ul>"},
      {"ul>li*2>a", "<ul>\n\t<li><a href=\"|\"></a></li>\n\t<li><a href=\"\"></a></li>\n</ul>"},
      {"p*2>span", "<p><span>|</span></p>\n<p><span></span></p>"},
      {"span*3", "<span>|</span><span></span><span></span>"},
      {"{x$}*3", "x1x2x3"},
      {"p*1", "<p>|</p>"},
      {"p*01", "<p>|</p>"},
      // Text, id, classes and attributes may follow the count.
      {"li*3{Item $}", "<li>Item 1</li>\n<li>Item 2</li>\n<li>Item 3</li>"},
      {"td*3{x}", "<td>x</td>\n<td>x</td>\n<td>x</td>"},
      {".col*2[data-x=1]", "<div class=\"col\" data-x=\"1\">|</div>\n<div class=\"col\" data-x=\"1\"></div>"},
      {"li*2#a", "<li id=\"a\">|</li>\n<li id=\"a\"></li>"},
      {"div*2>p*2{$}", "<div>\n\t<p>1</p>\n\t<p>2</p>\n</div>\n<div>\n\t<p>1</p>\n\t<p>2</p>\n</div>"},
      {"li.a*2.b{x}[title=t]{y}", "<li class=\"a b\" title=\"t\">xy</li>\n<li class=\"a b\" title=\"t\">xy</li>"},
      {"{x$}*2{y}", "x1yx2y"},
      {"ul>li*.i", "<ul>\n\t<li class=\"i\">|</li>\n</ul>"},
      // Without a selection a bare "*" is one copy.
      {"ul>li*", "<ul>\n\t<li>|</li>\n</ul>"},
  });
  EXPECT_EQ(ExpandAbbreviation("b*1000", {}).expansion->text.size(), 7000u);
}

TEST(AbbreviationTest, Groups) {
  ExpectExpansions({
      {"(div>p)+footer", "<div>\n\t<p>|</p>\n</div>\n<footer></footer>"},
      {"(li>a)*2", "<li><a href=\"|\"></a></li>\n<li><a href=\"\"></a></li>"},
      {"div>(header>h1)+(main>p)+footer",
       "<div>\n\t<header>\n\t\t<h1>|</h1>\n\t</header>\n\t<main>\n\t\t<p></p>\n\t</main>\n\t<footer></footer>\n</div>"},
      {"((p))", "<p>|</p>"},
      // ">" after a group goes into its last item.
      {"(a+b)>i", "<a href=\"|\"></a><b><i></i></b>"},
      {"(div)*2>p", "<div>\n\t<p>|</p>\n</div>\n<div>\n\t<p></p>\n</div>"},
      {"div>(p>span)^a", "<div>\n\t<p><span>|</span></p>\n</div>\n<a href=\"\"></a>"},
      {"(p+p)*2", "<p>|</p>\n<p></p>\n<p></p>\n<p></p>"},
      {"dl>(dt+dd)*2", "<dl>\n\t<dt>|</dt>\n\t<dd></dd>\n\t<dt></dt>\n\t<dd></dd>\n</dl>"},
  });
}

TEST(AbbreviationTest, Numbering) {
  ExpectExpansions({
      {"li.item$*3", "<li class=\"item1\">|</li>\n<li class=\"item2\"></li>\n<li class=\"item3\"></li>"},
      {"li.item$$$*2", "<li class=\"item001\">|</li>\n<li class=\"item002\"></li>"},
      {"li{$@-}*3", "<li>3</li>\n<li>2</li>\n<li>1</li>"},
      {"li{$@3}*3", "<li>3</li>\n<li>4</li>\n<li>5</li>"},
      {"li{$@-3}*3", "<li>5</li>\n<li>4</li>\n<li>3</li>"},
      {"li{$$@-3}*2", "<li>04</li>\n<li>03</li>"},
      {"li{$@0}*2", "<li>0</li>\n<li>1</li>"},
      {"li{$@}*2", "<li>1</li>\n<li>2</li>"},
      {"h$*3", "<h1>|</h1>\n<h2></h2>\n<h3></h3>"},
      {"li#i$[data-n=$$]*2", "<li id=\"i1\" data-n=\"01\">|</li>\n<li id=\"i2\" data-n=\"02\"></li>"},
      {"li[data-$=x]*2", "<li data-1=\"x\">|</li>\n<li data-2=\"x\"></li>"},
      // The nearest repeat: the element's own, else its closest ancestor's.
      {"ul>li*2>a{$}", "<ul>\n\t<li><a href=\"|\">1</a></li>\n\t<li><a href=\"\">2</a></li>\n</ul>"},
      {"div*2>p{$}*2", "<div>\n\t<p>1</p>\n\t<p>2</p>\n</div>\n<div>\n\t<p>1</p>\n\t<p>2</p>\n</div>"},
      {"(p{$})*2", "<p>1</p>\n<p>2</p>"},
      {"p{$}", "<p>1</p>"},
      {"li{$$$$$}*1", "<li>00001</li>"},
      {"li{$@999999999}*2", "<li>999999999</li>\n<li>1000000000</li>"},
      {"li{\\$$}*2", "<li>$1</li>\n<li>$2</li>"},
      {"li[title=\\$]", "<li title=\"$\">|</li>"},
  });
}

TEST(AbbreviationTest, LayoutOfInlineAndBlockElements) {
  ExpectExpansions({
      {"a+b", "<a href=\"|\"></a><b></b>"},
      {"div>a+b+p+i", "<div>\n\t<a href=\"|\"></a><b></b>\n\t<p></p>\n\t<i></i>\n</div>"},
      {"p>a+b", "<p><a href=\"|\"></a><b></b></p>"},
      {"b+div+i", "<b>|</b>\n<div></div>\n<i></i>"},
      // An inline element holding a block one is laid out as a block.
      {"span>div", "<span>\n\t<div>|</div>\n</span>"},
      {"p>span>div", "<p>\n\t<span>\n\t\t<div>|</div>\n\t</span>\n</p>"},
      {"select>option*2", "<select>\n\t<option>|</option>\n\t<option></option>\n</select>"},
      // Ruby annotations stay on the line of the text they annotate: a line
      // break there would show as a space between the characters.
      {"p>ruby{\x8A\xBF}>rp{(}+rt{\x82\xA9\x82\xF1}+rp{)}",
       "<p><ruby>\x8A\xBF<rp>(</rp><rt>\x82\xA9\x82\xF1</rt><rp>)</rp></ruby></p>"},
  });
}

TEST(AbbreviationTest, CaretGoesToTheFirstPlaceToFill) {
  struct CaretCase {
    const char* abbreviation;
    std::size_t cursor_back;
  };
  // cursor_back counts CR LF once and a double-byte character once.
  const CaretCase cases[] = {
      {"p", 4},                                  // </p>
      {"ul>li*2", 22},                           // </li> CRLF \t <li></li> CRLF </ul>
      {"a", 6},                                  // "></a>
      {"br", 0},                                 // nothing to fill: at the end
      {"p{x}", 0},       {"p+p{\x82\xA0}", 13},  // </p> CRLF <p>あ</p>
      {"img[src=x]", 2},                         // ">
  };
  for (const CaretCase& c : cases) {
    const AbbrevResult result = ExpandAbbreviation(c.abbreviation, {});
    ASSERT_TRUE(result) << c.abbreviation;
    EXPECT_EQ(result.expansion->cursor_back, c.cursor_back) << c.abbreviation;
  }
}

TEST(AbbreviationTest, SelectionKeepsItsSurroundingsAndIndentation) {
  const struct {
    const char* selection;
    const char* expected;
  } cases[] = {
      {"ul>li", "<ul>\n\t<li>|</li>\n</ul>"},
      {"  p  ", "  <p>|</p>  "},
      {"\t\tul>li\r\n", "\t\t<ul>\n\t\t\t<li>|</li>\n\t\t</ul>\n"},
      {"\r\n  div>p\r\n\r\n", "\n  <div>\n  \t<p>|</p>\n  </div>\n\n"},
      {" \t\r\n ", "error: the selection holds no abbreviation"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(testing::Show(ExpandSelection(c.selection, {})), c.expected) << c.selection;
  }
  // The caret counts the blanks after the expansion too.
  EXPECT_EQ(ExpandSelection("p\r\n", {}).expansion->cursor_back, 5u);
}

}  // namespace
}  // namespace tagsling::abbrev
