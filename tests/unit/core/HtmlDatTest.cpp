// The default "Html.dat" shipped in data/: one usable template per key of
// the catalogue in catalogue order, nothing else, in code page 932 with CRLF
// line endings.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/Sjis.h"
#include "core/BuiltInTemplates.h"
#include "core/TemplateKeys.h"
#include "core/Templates.h"

namespace tagsling {
namespace {

const std::string kHtmlDat = std::string(TAGSLING_SOURCE_DIR) + "/data/Html.dat";

std::string FileBytes() {
  std::ifstream in(kHtmlDat, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Key names of the [Html] section in file order (only to enumerate the
// file; values are read through ReadTemplate).
std::vector<std::string> HtmlSectionKeys(const std::string& bytes) {
  std::vector<std::string> keys;
  bool in_html = false;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find("\r\n", start);
    std::string line = bytes.substr(start, end - start);
    start = end == std::string::npos ? bytes.size() : end + 2;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      in_html = line == "[Html]";
      continue;
    }
    if (in_html) keys.push_back(line.substr(0, line.find('=')));
  }
  return keys;
}

TEST(HtmlDatTest, IsCodePage932WithCrLfLines) {
  const std::string bytes = FileBytes();
  ASSERT_FALSE(bytes.empty()) << kHtmlDat;
  for (std::size_t pos = 0; pos < bytes.size(); pos += SjisCharLength(bytes, pos)) {
    const auto c = static_cast<unsigned char>(bytes[pos]);
    if (SjisCharLength(bytes, pos) == 2) {
      const auto trail = static_cast<unsigned char>(bytes[pos + 1]);
      EXPECT_TRUE(trail >= 0x40 && trail <= 0xFC && trail != 0x7F) << "bad trail byte at " << pos;
    } else {
      EXPECT_FALSE(IsSjisLeadByte(c)) << "lead byte without trail byte at " << pos;
      if (c == '\n') {
        EXPECT_TRUE(pos > 0 && bytes[pos - 1] == '\r') << "bare LF at " << pos;
      }
      if (c == '\r') {
        EXPECT_TRUE(pos + 1 < bytes.size() && bytes[pos + 1] == '\n') << "bare CR at " << pos;
      }
    }
  }
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST(HtmlDatTest, HoldsExactlyTheCatalogueKeysOnce) {
  std::map<std::string, int> seen;
  for (const std::string& key : HtmlSectionKeys(FileBytes())) {
    const TemplateKey* known = FindTemplateKey(key);
    ASSERT_NE(known, nullptr) << "key outside the catalogue: " << key;
    EXPECT_EQ(known->name, key) << "spelled differently from the catalogue";
    ++seen[std::string(known->name)];
  }
  EXPECT_EQ(seen.size(), kTemplateKeyCount);
  for (const auto& [key, count] : seen) EXPECT_EQ(count, 1) << key;
  // File order is catalogue order.
  const std::vector<std::string> keys = HtmlSectionKeys(FileBytes());
  ASSERT_EQ(keys.size(), kTemplateKeyCount);
  for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(keys[i], TemplateKeys()[i].name);
}

TEST(HtmlDatTest, EveryCatalogueKeyHasAUsableTemplate) {
  for (const TemplateKey& key : TemplateKeys()) {
    const std::string raw = ReadTemplate(std::string(key.name), kHtmlDat);
    ASSERT_FALSE(raw.empty()) << key.name;
    const ExpandedTemplate expanded = ExpandTemplate(raw, false);
    // Placeholders are written in their exact form only.
    EXPECT_EQ(expanded.tag_text.find('%'), expanded.tag_text.find(kSelStr)) << key.name;
    EXPECT_EQ(PlainText(expanded.sandwich).find('%'), std::string::npos) << key.name;
    // An HTML5 template is the program's built-in one, letter for letter
    // (both are written by scripts/gen-html-dat.py from one table; the
    // catalogue test checks that they read as HTML5).
    if (key.category == KeyCategory::kHtml5) {
      EXPECT_EQ(FindBuiltInTemplate(key.name), raw) << key.name;
      continue;
    }
    // Classic tag names and attribute names are upper case, as the captions
    // show them; only quoted values may hold small letters.
    // (Character references such as "&nbsp;" are small by nature.)
    if (raw.front() == '&') continue;
    bool quoted = false;
    for (char c : PlainText(expanded.sandwich)) {
      if (c == '"') quoted = !quoted;
      EXPECT_FALSE(!quoted && c >= 'a' && c <= 'z') << key.name << ": " << raw;
    }
  }
}

struct ConstructCase {
  const char* key;
  const char* raw;
};

TEST(HtmlDatTest, TemplatesProduceTheConstructOfTheirCaption) {
  const ConstructCase cases[] = {
      {"Moji_B", "<B>%SELSTR%</B>"},
      {"P_P_P", "<P>%CR%%SELSTR%%CR%</P>"},
      {"Kihon_Comment", "<!-- %SELSTR% -->"},
      {"Moji_Kigou_Nbsp", "&nbsp;"},
      {"P_Pre", "<PRE>%SELSTR%</PRE>"},
      {"Talbe_Th_Rowspan", " ROWSPAN=\"%SELSTR%\""},
      {"Table_Table_Width", " WIDTH=\"%SELSTR%\""},
      {"Table_Li_Type_A", " TYPE=\"A\""},
      {"Link_AHref_AHref_Target__Blank", " TARGET=\"_blank\""},
      {"Link_AHref_AHref_Target__Top", " TARGET=\"_top\""},
      {"Link_AHref_AHref_Target_Top", " TARGET=\"top\""},
      {"Link_AHref_AHref_Target_Free", " TARGET=\"%SELSTR%\""},
      {"Link_Img_Align1_Top", " ALIGN=\"top\""},
      {"Etc_Text_Maxlenth", " MAXLENGTH=\"%SELSTR%\""},
      {"Etc_Select_Multipre", " MULTIPLE"},
      {"Talbe_Td_Nowrap", " NOWRAP"},
      {"Etc_Select_OpValue", " VALUE=\"%SELSTR%\""},
      {"Etc_Framset_Cols", "<FRAMESET COLS=\"%SELSTR%,*\">%CR%%CR%</FRAMESET>"},
      {"Etc_Noframes", "<NOFRAMES>%CR%%SELSTR%%CR%</NOFRAMES>"},
      {"Etc_Form_Method_get", " METHOD=\"get\""},
      {"Etc_hidden_hidden", "<INPUT TYPE=\"hidden\" NAME=\"%SELSTR%\">"},
      {"OP_Left", " ALIGN=\"left\""},
      {"OP_Top", " VALIGN=\"top\""},
      {"Link_Img_Img", "<IMG SRC=\"%SELSTR%\">"},
      {"Kihon_WwwcMetaCheck", "<META NAME=\"WWWC\" CONTENT=\"%SELSTR%\">"},
  };
  for (const ConstructCase& c : cases) EXPECT_EQ(ReadTemplate(c.key, kHtmlDat), c.raw) << c.key;

  const std::string doc = ReadTemplate("Kihon_Doc", kHtmlDat);
  EXPECT_EQ(doc.rfind("<HTML>%CR%", 0), 0u);
  EXPECT_EQ(ClosingPart(ExpandTemplate(doc, false).sandwich), "\r\n</BODY>\r\n</HTML>");
}

}  // namespace
}  // namespace tagsling
