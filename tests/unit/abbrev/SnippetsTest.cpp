#include "abbrev/Snippets.h"

#include <gtest/gtest.h>

#include <optional>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "AbbrevTestSupport.h"
#include "abbrev/Abbreviation.h"
#include "abbrev/HtmlElements.h"
#include "tests/unit/support/ScratchFolder.h"

namespace tagsling::abbrev {
namespace {

using testing::Case;
using testing::Expand;
using testing::Repeated;

const char* const kDocument =
    "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>|</title>\n</head>\n"
    "<body>\n\n</body>\n</html>";

// User snippets from a table, looked up without regard to case as the
// profile file does.
SnippetSources UserSnippets(std::map<std::string, std::string> table) {
  SnippetSources sources;
  sources.user_snippet = [table = std::move(table)](const std::string& name) -> std::optional<std::string> {
    for (const auto& [key, value] : table) {
      if (EqualsIgnoringCase(key, name)) return value;
    }
    return std::nullopt;
  };
  return sources;
}

TEST(SnippetsTest, BuiltInSnippets) {
  const Case cases[] = {
      {"!", kDocument},
      {"html:5", kDocument},
      {"a:link", "<a href=\"https://\">|</a>"},
      {"a:mail", "<a href=\"mailto:\">|</a>"},
      {"link:css", "<link rel=\"stylesheet\" href=\"style.css\">"},
      {"script:src", "<script src=\"|\"></script>"},
      {"meta:vp", "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"},
      {"meta:utf", "<meta charset=\"utf-8\">"},
      {"input:email", "<input type=\"email\" name=\"|\">"},
      {"input:submit", "<input type=\"submit\" value=\"|\">"},
      {"input:image", "<input type=\"image\" src=\"|\" alt=\"\">"},
      {"input:hidden", "<input type=\"hidden\" name=\"|\" value=\"\">"},
      {"form:post>input:text", "<form action=\"|\" method=\"post\"><input type=\"text\" name=\"\"></form>"},
      {"form:get>p>input:search",
       "<form action=\"|\" method=\"get\">\n\t<p><input type=\"search\" name=\"\"></p>\n</form>"},
      // Looked up without regard to case.
      {"A:LINK", "<a href=\"https://\">|</a>"},
      // The usage's modifiers go onto the snippet's element, its children
      // into it, its repeat around it.
      {"a:link.btn#go[target=_blank]", "<a id=\"go\" class=\"btn\" href=\"https://\" target=\"_blank\">|</a>"},
      {"a:link[href=x]", "<a href=\"x\">|</a>"},
      {"a:link{x}>span", "<a href=\"https://\">x<span>|</span></a>"},
      {"ul>li*2>a:link{$}",
       "<ul>\n\t<li><a href=\"https://\">1</a></li>\n\t<li><a href=\"https://\">2</a></li>\n</ul>"},
      {"p>input:checkbox+label", "<p><input type=\"checkbox\" name=\"|\"><label for=\"\"></label></p>"},
      // A snippet name is an element name only when nothing defines it.
      {"x:y", "<x:y>|</x:y>"},
      // Short names of elements take modifiers, content and repeats.
      {"bq", "<blockquote>|</blockquote>"},
      {"btn.primary{OK}", "<button class=\"primary\">OK</button>"},
      {"fig>pic+figc", "<figure>\n\t<picture>|</picture>\n\t<figcaption></figcaption>\n</figure>"},
      {"ifr[src=a.html]", "<iframe src=\"a.html\">|</iframe>"},
      {"emb+obj", "<embed>\n<object>|</object>"},
      {"table>cap+colg>.c",
       "<table>\n\t<caption>|</caption>\n\t<colgroup>\n\t\t<col class=\"c\">\n\t</colgroup>\n</table>"},
      {"fst>leg+tarea", "<fieldset>\n\t<legend>|</legend>\n\t<textarea></textarea>\n</fieldset>"},
      {"fset", "<fieldset>|</fieldset>"},
      {"select>optg>opt*2",
       "<select>\n\t<optgroup>\n\t\t<option>|</option>\n\t\t<option></option>\n\t</optgroup>\n</select>"},
      {"sect+art+hdr+ftr+adr",
       "<section>|</section>\n<article></article>\n<header></header>\n<footer></footer>\n<address></address>"},
      {"dlg+mn+tem", "<dialog>|</dialog>\n<main></main>\n<template></template>"},
      {"p>str", "<p><strong>|</strong></p>"},
      {"prog+out", "<progress>|</progress>\n<output></output>"},
      {"datal>.o", "<datalist>\n\t<option class=\"o\">|</option>\n</datalist>"},
      {"det>sum", "<details>\n\t<summary>|</summary>\n</details>"},
      {"ul>li*2>str{$}", "<ul>\n\t<li><strong>1</strong></li>\n\t<li><strong>2</strong></li>\n</ul>"},
      // "c" is a comment around the caret.
      {"c", "<!-- | -->"},
      {"div>c+p", "<div>\n\t<!-- | -->\n\t<p></p>\n</div>"},
      // Input snippets in a label: the label names its control by holding it.
      {"label>input:checkbox", "<label><input type=\"checkbox\" name=\"|\"></label>"},
      {"label>input:radio+{Yes}", "<label><input type=\"radio\" name=\"|\">Yes</label>"},
      {"label>span>input:email", "<label><span><input type=\"email\" name=\"|\"></span></label>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Expand(c.abbreviation), c.expected) << "abbreviation: " << c.abbreviation;
}

TEST(SnippetsTest, EveryBuiltInExpandsAndEveryInputTypeHasOne) {
  for (const BuiltInSnippet& snippet : BuiltInSnippets()) {
    const AbbrevResult result = ExpandAbbreviation(snippet.name, {});
    EXPECT_TRUE(result) << snippet.name << ": " << result.error;
    EXPECT_EQ(snippet.is_template, LooksLikeTemplateText(snippet.value)) << snippet.name;
  }
  for (const char* type :
       {"text",   "password", "email",          "url",   "tel",      "search", "number", "range",  "date",   "month",
        "week",   "time",     "datetime-local", "color", "checkbox", "radio",  "file",   "hidden", "submit", "reset",
        "button", "image"}) {
    const AbbrevResult result = ExpandAbbreviation(std::string("input:") + type, {});
    ASSERT_TRUE(result) << type;
    EXPECT_EQ(result.expansion->text.find(std::string("<input type=\"") + type + "\""), 0u) << type;
  }
}

TEST(SnippetsTest, DocumentAsksForTheTemplateKeyFirst) {
  std::vector<std::string> asked;
  SnippetSources sources;
  sources.read_template = [&asked](const std::string& key) {
    asked.push_back(key);
    return std::string("<html>%CR%<title>%SELSTR%</title>%CR%%TAB%</html>");
  };
  EXPECT_EQ(Expand("!", sources), "<html>\n<title>|</title>\n\t</html>");
  EXPECT_EQ(asked, std::vector<std::string>{"H5_Doc"});
  // The lower-case placeholder is one too.
  sources.read_template = [](const std::string&) { return std::string("<p>%selstr%</p>"); };
  EXPECT_EQ(Expand("!", sources), "<p>|</p>");
  // An empty template falls back to the built-in copy.
  sources.read_template = [](const std::string&) { return std::string(); };
  EXPECT_EQ(Expand("!", sources), kDocument);
  // The caret sits in the title: the rest is counted with CR LF as one.
  const AbbrevResult result = ExpandAbbreviation("!", {});
  ASSERT_TRUE(result);
  EXPECT_EQ(result.expansion->cursor_back, std::string("</title></head><body></body></html>").size() + 5);
  // A template snippet nested in an element is indented with it.
  EXPECT_EQ(Expand("div>!", sources),
            "<div>\n\t<!DOCTYPE html>\n\t<html lang=\"ja\">\n\t<head>\n\t<meta charset=\"utf-8\">\n"
            "\t<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n\t<title>|</title>\n"
            "\t</head>\n\t<body>\n\n\t</body>\n\t</html>\n</div>");
}

TEST(SnippetsTest, UserSnippetsAddAndOverride) {
  const SnippetSources sources = UserSnippets({
      {"btn", "button.btn[type=button]"},
      {"box", "<div class=\"box\">%CR%%SELSTR%%CR%</div>"},
      {"a:link", "a[href=\"http://example.com/\"]"},
      {"a", "a[href=\"https://\" rel=noopener]"},
      {"x", "y"},
      {"y", "x"},
      {"pair", "dt+dd"},
      {"hi", "{Hello}"},
      {"bad", "a[["},
      {"uses-bad", "p>bad"},
      {"!", "<p>%SELSTR%</p>"},
      {"copy", "\xA9"},
  });
  const Case cases[] = {
      {"btn", "<button class=\"btn\" type=\"button\">|</button>"},
      {"BTN.big", "<button class=\"btn big\" type=\"button\">|</button>"},
      {"box", "<div class=\"box\">\n|\n</div>"},
      {"section>box", "<section>\n\t<div class=\"box\">\n\t|\n\t</div>\n</section>"},
      // "a:link" names "a", which the user has made a snippet too.
      {"a:link", "<a href=\"http://example.com/\" rel=\"noopener\">|</a>"},
      // A snippet that names itself means the element: no recursion.
      {"a", "<a href=\"https://\" rel=\"noopener\">|</a>"},
      {"x", "<x>|</x>"},
      {"y", "<y>|</y>"},
      {"dl>pair*2", "<dl>\n\t<dt>|</dt>\n\t<dd></dd>\n\t<dt></dt>\n\t<dd></dd>\n</dl>"},
      {"pair>b", "<dt>|</dt>\n<dd><b></b></dd>"},
      {"p>hi", "<p>Hello</p>"},
      {"!", "<p>|</p>"},
      // Refusals name the snippet.
      {"pair.x",
       "error: character 1: snippet \"pair\" is not a single element: it takes no #id, .class or [attributes]"},
      {"hi>b", "error: character 1: snippet \"hi\" ends in a text and cannot hold content"},
      {"p+box.x",
       "error: character 3: snippet \"box\" is template text: it takes no #id, .class, [attributes], "
       "{text} or child elements"},
      {"box{t}",
       "error: character 1: snippet \"box\" is template text: it takes no #id, .class, [attributes], "
       "{text} or child elements"},
      {"bad", "error: in snippet \"bad\", character 3: unexpected '[' in '[...]'"},
      {"div>uses-bad", "error: in snippet \"bad\", character 3: unexpected '[' in '[...]'"},
      {"copy", "error: in snippet \"copy\", character 1: expected an element, found '\xA9'"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Expand(c.abbreviation, sources), c.expected) << "abbreviation: " << c.abbreviation;

  // A template snippet takes a wrapped selection at its placeholder, as
  // it stands.
  EXPECT_EQ(testing::Show(WrapSelection("a\r\n  b", "box", sources)), "<div class=\"box\">\na\n  b\n</div>");
}

// `prefix` followed by the number (appended: GCC 12 warns falsely about
// "literal" + std::string when optimising).
std::string Numbered(std::string_view prefix, int number) { return std::string(prefix).append(std::to_string(number)); }

TEST(SnippetsTest, SnippetsCannotGrowWithoutBound) {
  // A chain of snippets each naming the next.
  std::map<std::string, std::string> chain;
  for (int i = 0; i < 150; ++i) chain[Numbered("s", i)] = Numbered("s", i + 1);
  EXPECT_EQ(Expand("s0", UserSnippets(chain)),
            "error: in snippet \"s99\", character 1: snippets nested deeper than 100 levels");
  EXPECT_EQ(Expand("s60", UserSnippets(chain)), "<s150>|</s150>");

  // Groups inside chained snippets add up.
  std::map<std::string, std::string> grouped;
  for (int i = 0; i < 40; ++i) grouped[Numbered("g", i)] = Numbered("(((((g", i + 1).append(")))))");
  EXPECT_EQ(Expand("g10", UserSnippets(grouped)), "<g40>|</g40>");
  const std::string refused = Expand("g0", UserSnippets(grouped));
  EXPECT_NE(refused.find("groups and snippets nested deeper than 200 levels"), std::string::npos) << refused;

  // Snippets that multiply each other.
  std::string many_y;
  std::string many_z;
  for (int i = 0; i < 600; ++i) {
    many_y += i ? "+y" : "y";
    many_z += i ? "+z" : "z";
  }
  EXPECT_EQ(Expand("x", UserSnippets({{"x", many_y}, {"y", many_z}, {"z", "p"}})),
            "error: snippets expand into more than 50000 parts");

  // Long snippets used many times: their text counts toward the output
  // before it is parsed or split, whatever would come of it later.
  const std::string refused_bytes = "error: the snippets and lorem texts used add up to more than 1 MB";
  const SnippetSources long_ones = UserSnippets({
      {"t", std::string("<p>").append(100000, 'x').append("%SELSTR%</p>")},
      {"a", std::string("p{").append(9000, 'x').append("}")},
      {"tens", "t+t+t+t+t+t+t+t+t+t"},
      {"big", std::string("<p>").append(kMaxOutputBytes, 'x').append("</p>")},
  });
  const struct {
    std::string abbreviation;
    std::string expected;
  } cases[] = {
      {"t*10", "expanded"},
      {"tens", "expanded"},
      {"t+tens", refused_bytes},
      {"(tens)*1000", "error: the expansion is larger than 1 MB"},
      {"a*1000", "error: the expansion is larger than 1 MB"},
      {Repeated("a+", 110) + "a", "expanded"},
      {Repeated("a+", 120) + "a", refused_bytes},
      {"div>big", refused_bytes},
  };
  for (const auto& c : cases) {
    const AbbrevResult result = ExpandAbbreviation(c.abbreviation, long_ones);
    EXPECT_EQ(result ? "expanded" : testing::Refusal(result), c.expected) << c.abbreviation.substr(0, 40);
  }
}

TEST(SnippetsTest, TemplateTextIsToldByItsLook) {
  EXPECT_TRUE(LooksLikeTemplateText("<b>"));
  EXPECT_TRUE(LooksLikeTemplateText("a%CR%b"));
  EXPECT_TRUE(LooksLikeTemplateText("a%TAB%b"));
  EXPECT_TRUE(LooksLikeTemplateText("%SELSTR%"));
  EXPECT_TRUE(LooksLikeTemplateText("%selstr%"));
  EXPECT_FALSE(LooksLikeTemplateText("ul>li*3"));
  EXPECT_FALSE(LooksLikeTemplateText("a[href=%cr%]"));
}

TEST(SnippetsTest, SnippetsFromTheTemplateFile) {
  std::optional<test::ScratchFolder> folder(std::in_place);
  const std::string path = folder->Path("Html.dat");
  {
    std::ofstream out(path, std::ios::binary);
    out << "[Html]\r\nH5_Doc=<html>%SELSTR%</html>\r\n[Snippets]\r\nBtn = "
           "button.btn\r\ncard=\"<div>%SELSTR%</div>\"\r\n"
           "empty=\r\n";
  }
  const SnippetSources sources = SnippetsFromFile(path);
  EXPECT_EQ(Expand("!", sources), "<html>|</html>");
  EXPECT_EQ(Expand("btn", sources), "<button class=\"btn\">|</button>");
  EXPECT_EQ(Expand("card", sources), "<div>|</div>");
  // An empty value defines nothing.
  EXPECT_EQ(Expand("empty", sources), "<empty>|</empty>");
  EXPECT_EQ(Expand("a:link", sources), "<a href=\"https://\">|</a>");
  folder.reset();

  // No file: the built-in snippets only.
  const SnippetSources none = SnippetsFromFile(path);
  EXPECT_EQ(Expand("!", none), kDocument);
  EXPECT_EQ(Expand("btn", none), "<button>|</button>");
}

// The document "!" falls back to is the core's built-in "H5_Doc": a file
// without the key, or with the key left empty, gives that one text, and the
// template file is read with the core's rules for HTML5 keys.
TEST(SnippetsTest, DocumentFallsBackToTheCoresBuiltInTemplate) {
  EXPECT_EQ(kBuiltInDocument, core::FindBuiltInTemplate("H5_Doc"));
  test::ScratchFolder folder;
  const std::string path = folder.Path("Html.dat");
  for (const char* file : {"[Html]\r\nMoji_B=<B>%SELSTR%</B>\r\n", "[Html]\r\nH5_Doc=\r\n"}) {
    SCOPED_TRACE(file);
    std::ofstream(path, std::ios::binary) << file;
    const SnippetSources sources = SnippetsFromFile(path);
    EXPECT_EQ(Expand("!", sources), kDocument);
    EXPECT_EQ(Expand("html:5", sources), kDocument);
    EXPECT_EQ(sources.read_template("Moji_I"), "");
  }
  EXPECT_EQ(SnippetsFromFile(path).read_template("H5_Doc"), "");
  EXPECT_EQ(SnippetsFromFile(path).read_template("H5_Nav"), core::FindBuiltInTemplate("H5_Nav"));
}

}  // namespace
}  // namespace tagsling::abbrev
