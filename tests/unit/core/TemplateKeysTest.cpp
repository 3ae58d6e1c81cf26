#include "core/TemplateKeys.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/Sjis.h"
#include "core/BuiltInTemplates.h"
#include "core/Templates.h"

namespace tagsling::core {
namespace {

TEST(TemplateKeysTest, CatalogueHoldsItsKeysDistinctWithoutRegardToCase) {
  std::set<std::string> folded;
  for (const TemplateKey& key : TemplateKeys()) folded.insert(SjisToLower(key.name));
  EXPECT_EQ(TemplateKeys().size(), kTemplateKeyCount);
  EXPECT_EQ(folded.size(), 275u);
  EXPECT_EQ(kClassicTemplateKeyCount, 209u);
}

TEST(TemplateKeysTest, CategoriesHaveTheirSizesAndPrefixes) {
  struct Expected {
    std::size_t count;
    std::set<std::string> prefixes;
  };
  const std::map<KeyCategory, Expected> expected = {
      {KeyCategory::kKihon, {17, {"Kihon"}}}, {KeyCategory::kMoji, {20, {"Moji"}}},
      {KeyCategory::kP, {55, {"P"}}},         {KeyCategory::kTable, {26, {"Table", "Talbe"}}},
      {KeyCategory::kList, {11, {"Table"}}},  {KeyCategory::kLink, {18, {"Link"}}},
      {KeyCategory::kForm, {41, {"Etc"}}},    {KeyCategory::kFrame, {15, {"Etc"}}},
      {KeyCategory::kHtml5, {66, {"H5"}}},    {KeyCategory::kOp, {6, {"OP"}}},
  };
  std::map<KeyCategory, std::size_t> counts;
  for (const TemplateKey& key : TemplateKeys()) {
    ++counts[key.category];
    std::string prefix(key.name.substr(0, key.name.find('_')));
    EXPECT_TRUE(expected.at(key.category).prefixes.count(prefix)) << key.name;
  }
  for (const auto& [category, want] : expected) EXPECT_EQ(counts[category], want.count);
  // The classic keys come first, so the first 209 rows are the classic table.
  for (std::size_t i = 0; i < TemplateKeys().size(); ++i) {
    const bool classic = TemplateKeys()[i].category != KeyCategory::kHtml5;
    const bool in_classic_rows = i < kClassicTemplateKeyCount - 6 || i >= kTemplateKeyCount - 6;
    EXPECT_EQ(classic, in_classic_rows) << TemplateKeys()[i].name;
  }
}

TEST(TemplateKeysTest, FindIgnoresCaseAndKeepsHistoricalSpellings) {
  const TemplateKey* hidden = FindTemplateKey("Etc_hidden_hidden");
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(hidden->name, "Etc_Hidden_Hidden");
  ASSERT_NE(FindTemplateKey("etc_form_method_get"), nullptr);
  EXPECT_EQ(FindTemplateKey("etc_form_method_get")->name, "Etc_Form_Method_Get");

  for (const char* name : {"Talbe_Tr_Bgcolor", "Etc_Framset_Cols", "Etc_Select_Multipre", "Etc_Text_Maxlenth",
                           "Link_Img_Align1_Top", "Link_AHref_AHref_Target__Blank", "Etc_Textarea_Wrap_off"}) {
    ASSERT_NE(FindTemplateKey(name), nullptr) << name;
    EXPECT_EQ(FindTemplateKey(name)->name, name);
  }
  for (const char* name : {"Table_Tr_Bgcolor", "Etc_Frameset_Cols", "Etc_Select_Multiple", "", "Moji_B_", "H5_"}) {
    EXPECT_EQ(FindTemplateKey(name), nullptr) << name;
  }
}

TEST(TemplateKeysTest, Html5KeysAreThoseOfTheirElements) {
  const char* const names[] = {
      "H5_Doc",
      "H5_Header",
      "H5_Nav",
      "H5_Main",
      "H5_Section",
      "H5_Article",
      "H5_Aside",
      "H5_Footer",
      "H5_Figure",
      "H5_Picture",
      "H5_Video",
      "H5_Audio",
      "H5_Details",
      "H5_Dialog",
      "H5_Template",
      "H5_Mark",
      "H5_Time",
      "H5_Small",
      "H5_Strong",
      "H5_Em",
      "H5_Viewport",
      "H5_Charset",
      "H5_InputEmail",
      "H5_InputTel",
      "H5_InputUrl",
      "H5_InputNumber",
      "H5_InputRange",
      "H5_InputDate",
      "H5_InputColor",
      "H5_InputSearch",
      "H5_Datalist",
      "H5_Progress",
      "H5_Meter",
      "H5_Output",
      // Added for the elements authors write every day.
      "H5_MetaDescription",
      "H5_LinkStylesheet",
      "H5_LinkIcon",
      "H5_ScriptDefer",
      "H5_ScriptModule",
      "H5_Style",
      "H5_Div",
      "H5_Span",
      "H5_Search",
      "H5_Hgroup",
      "H5_Noscript",
      "H5_Img",
      "H5_Iframe",
      "H5_Canvas",
      "H5_Code",
      "H5_Kbd",
      "H5_Q",
      "H5_Del",
      "H5_Ins",
      "H5_Ruby",
      "H5_Thead",
      "H5_Tbody",
      "H5_Tfoot",
      "H5_Button",
      "H5_Label",
      "H5_Fieldset",
      "H5_InputTime",
      "H5_InputDatetimeLocal",
      "H5_InputMonth",
      "H5_InputWeek",
      "H5_InputFile",
      "H5_InputList",
  };
  std::vector<std::string_view> catalogue;
  for (const TemplateKey& key : TemplateKeys()) {
    if (key.category == KeyCategory::kHtml5) catalogue.push_back(key.name);
  }
  EXPECT_EQ(catalogue, std::vector<std::string_view>(std::begin(names), std::end(names)));
}

// A deliberately small reader of the HTML that the HTML5 templates produce:
// an optional doctype first; tags with lower-case names; attributes with
// lower-case names, bare or with a value in double quotes, each after one
// blank; void elements never closed and never written with "/"; every other
// element closed, innermost first. Returns what is wrong, or "" when the text
// reads.
std::string Html5Fault(std::string_view html) {
  static const std::set<std::string, std::less<>> kVoid = {"area",  "base", "br",   "col",    "embed", "hr", "img",
                                                           "input", "link", "meta", "source", "track", "wbr"};
  const auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::vector<std::string> open;
  for (std::size_t i = 0; i < html.size();) {
    if (html[i] == '>') return "a \">\" outside a tag";
    if (html[i] != '<') {
      ++i;
      continue;
    }
    const std::size_t end = html.find('>', i);
    if (end == std::string_view::npos) return "a tag without \">\"";
    std::string_view tag = html.substr(i + 1, end - i - 1);
    const bool first = i == 0;
    i = end + 1;
    if (tag.starts_with('!')) {
      if (tag != "!DOCTYPE html" || !first) return "a doctype other than \"<!DOCTYPE html>\" at the start";
      continue;
    }
    const bool closing = tag.starts_with('/');
    if (closing) tag.remove_prefix(1);
    std::size_t n = 0;
    while (n < tag.size() && (lower(tag[n]) || (n > 0 && digit(tag[n])))) ++n;
    if (n == 0) return "a tag without a lower-case name: <" + std::string(tag) + ">";
    const std::string name(tag.substr(0, n));
    std::string_view rest = tag.substr(n);
    if (closing) {
      if (!rest.empty()) return "a closing tag with more than its name: </" + name + ">";
      if (open.empty() || open.back() != name) return "</" + name + "> closes nothing open";
      open.pop_back();
      continue;
    }
    while (!rest.empty()) {
      if (rest.front() != ' ') return "<" + name + "> has \"" + std::string(rest) + "\" where an attribute goes";
      rest.remove_prefix(1);
      std::size_t a = 0;
      while (a < rest.size() && (lower(rest[a]) || rest[a] == '-')) ++a;
      if (a == 0) return "<" + name + "> has an attribute without a lower-case name";
      rest.remove_prefix(a);
      if (rest.starts_with('=')) {
        if (!rest.substr(1).starts_with('"')) return "<" + name + "> has a value outside double quotes";
        const std::size_t quote = rest.find('"', 2);
        if (quote == std::string_view::npos) return "<" + name + "> has an unclosed value";
        rest.remove_prefix(quote + 1);
      }
    }
    if (!kVoid.count(name)) open.push_back(name);
  }
  if (!open.empty()) return "<" + open.back() + "> is never closed";
  return "";
}

TEST(TemplateKeysTest, TheReaderRefusesWhatHtml5TemplatesMustNotHold) {
  const std::pair<const char*, bool> cases[] = {
      {"<p>x</p>", true},
      {"<!DOCTYPE html>\r\n<html lang=\"ja\"><meta charset=\"utf-8\"></html>", true},
      {"<input type=\"text\" required>", true},
      {"<P>x</P>", false},
      {"<br/>", false},
      {"<img src=\"\" />", false},
      {"<input type=text>", false},
      {"<p><b>x</p></b>", false},
      {"<p>x", false},
      {"</p>", false},
      {"<meta></meta>", false},
      {"<p x=\"1\">", false},
      {"x<!DOCTYPE html>", false},
      {"<p>a > b</p>", false},
      {"<p id=\"1\"class=\"\"></p>", false},
  };
  for (const auto& [html, reads] : cases) EXPECT_EQ(Html5Fault(html).empty(), reads) << html;
}

// Every HTML5 key has a built-in template, and only they do; each template
// reads as HTML5 once expanded, in normal mode and with a selection, and
// names the caret's place.
TEST(TemplateKeysTest, EveryHtml5KeyHasABuiltInTemplateThatReads) {
  std::set<std::string> with_template;
  for (const BuiltInTemplate& entry : kBuiltInTemplates) {
    const TemplateKey* key = FindTemplateKey(entry.key);
    ASSERT_NE(key, nullptr) << entry.key;
    EXPECT_EQ(key->name, entry.key);
    EXPECT_EQ(key->category, KeyCategory::kHtml5) << entry.key;
    EXPECT_TRUE(with_template.insert(std::string(entry.key)).second) << entry.key;
  }
  for (const TemplateKey& key : TemplateKeys()) {
    SCOPED_TRACE(std::string(key.name));
    const std::optional<std::string_view> text = FindBuiltInTemplate(key.name);
    ASSERT_EQ(text.has_value(), key.category == KeyCategory::kHtml5);
    if (!text) continue;
    EXPECT_EQ(FindBuiltInTemplate(SjisToLower(key.name)), text);
    EXPECT_LE(text->size(), 2047u);
    EXPECT_NE(text->find(kSelStr), std::string_view::npos);
    const ExpandedTemplate expanded = ExpandTemplate(*text, false);
    const std::string normal = PlainText(expanded.sandwich);
    EXPECT_EQ(normal.find('%'), std::string::npos) << "a placeholder not in its exact form";
    // Lower case throughout, but for the doctype's customary spelling.
    EXPECT_EQ(SjisToLower(ReplaceAll("<!DOCTYPE html>", "", normal)), ReplaceAll("<!DOCTYPE html>", "", normal));
    EXPECT_EQ(Html5Fault(normal), "");
    EXPECT_EQ(Html5Fault(ReplaceAll(kSelStr, "Tagsling", expanded.sandwich)), "");
  }
  EXPECT_EQ(FindBuiltInTemplate("Kihon_Doc"), std::nullopt);
  EXPECT_EQ(FindBuiltInTemplate("H5_Doc_"), std::nullopt);
  EXPECT_EQ(FindBuiltInTemplate(""), std::nullopt);
}

TEST(TemplateKeysTest, BuiltInTemplatesProduceTheirElements) {
  const std::pair<const char*, const char*> cases[] = {
      {"H5_Doc",
       "<!DOCTYPE html>%CR%<html lang=\"ja\">%CR%<head>%CR%<meta charset=\"utf-8\">%CR%<meta name=\"viewport\" "
       "content=\"width=device-width, initial-scale=1\">%CR%<title>%SELSTR%</title>%CR%</head>%CR%<body>%CR%%CR%"
       "</body>%CR%</html>"},
      {"H5_Section", "<section>%CR%%SELSTR%%CR%</section>"},
      {"H5_Footer", "<footer>%CR%%SELSTR%%CR%</footer>"},
      {"H5_Time", "<time datetime=\"%SELSTR%\"></time>"},
      {"H5_Em", "<em>%SELSTR%</em>"},
      {"H5_InputEmail", "<input type=\"email\" name=\"%SELSTR%\">"},
      {"H5_InputSearch", "<input type=\"search\" name=\"%SELSTR%\">"},
      {"H5_Charset", "<meta charset=\"utf-8\">%SELSTR%"},
      {"H5_Video", "<video controls>%SELSTR%</video>"},
      {"H5_Audio", "<audio controls>%SELSTR%</audio>"},
      {"H5_Datalist", "<datalist id=\"%SELSTR%\">%CR%%CR%</datalist>"},
      {"H5_Progress", "<progress max=\"100\">%SELSTR%</progress>"},
      {"H5_Meter", "<meter value=\"0\" min=\"0\" max=\"100\">%SELSTR%</meter>"},
      {"H5_Output", "<output>%SELSTR%</output>"},
      {"H5_InputList", " list=\"%SELSTR%\""},
      {"H5_InputDatetimeLocal", "<input type=\"datetime-local\" name=\"%SELSTR%\">"},
      {"H5_Button", "<button type=\"button\">%SELSTR%</button>"},
  };
  for (const auto& [key, text] : cases) EXPECT_EQ(FindBuiltInTemplate(key), text) << key;

  // The constructs the elements are known by.
  const std::pair<const char*, std::vector<const char*>> parts[] = {
      {"H5_Figure", {"<figure>", "<img src=\"image.jpg\" alt=\"\">", "<figcaption>%SELSTR%</figcaption>"}},
      {"H5_Picture",
       {"<picture>", "<source srcset=\"image.webp\" type=\"", "<img src=\"image.jpg\" alt=\"%SELSTR%\">"}},
      {"H5_Details", {"<details>", "<summary>%SELSTR%</summary>"}},
      {"H5_Viewport", {"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"}},
      {"H5_LinkStylesheet", {"<link rel=\"stylesheet\" href=\"%SELSTR%\">"}},
      {"H5_LinkIcon", {"<link rel=\"icon\" href=\"%SELSTR%\">"}},
      {"H5_ScriptDefer", {"<script src=\"%SELSTR%\" defer></script>"}},
      {"H5_ScriptModule", {"<script type=\"module\">"}},
      {"H5_MetaDescription", {"<meta name=\"description\" content=\"%SELSTR%\">"}},
      {"H5_Div", {"<div>%CR%%SELSTR%%CR%</div>"}},
      {"H5_Iframe", {"<iframe src=\"%SELSTR%\"", " title=\"", " loading=\"lazy\"", "></iframe>"}},
      {"H5_Img", {"<img src=\"%SELSTR%\" alt=\"\"", " loading=\"lazy\"", " decoding=\"async\""}},
      {"H5_Ruby", {"<ruby>%SELSTR%", "<rp>(</rp><rt></rt><rp>)</rp></ruby>"}},
      {"H5_Fieldset", {"<fieldset>", "<legend>%SELSTR%</legend>"}},
      {"H5_Hgroup", {"<hgroup>", "<h1>%SELSTR%</h1>", "<p></p>"}},
  };
  // No attribute that HTML requires to hold a value is left empty (the
  // validators of the test command check the whole documents).
  for (const BuiltInTemplate& entry : kBuiltInTemplates) {
    for (const char* empty : {" src=\"\"", " srcset=\"\"", " datetime=\"\"", " id=\"\"", " for=\"\"", " name=\"\""}) {
      EXPECT_EQ(entry.text.find(empty), std::string_view::npos) << entry.key;
    }
  }
  for (const auto& [key, wanted] : parts) {
    const std::string_view text = FindBuiltInTemplate(key).value_or("");
    for (const char* part : wanted) EXPECT_NE(text.find(part), std::string_view::npos) << key << ": " << part;
  }
}

}  // namespace
}  // namespace tagsling::core
