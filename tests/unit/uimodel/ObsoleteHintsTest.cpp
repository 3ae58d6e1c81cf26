#include "ui/model/ObsoleteHints.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "core/TemplateKeys.h"
#include "ui/model/MenuModel.h"

namespace tagsling::ui {
namespace {

TEST(ObsoleteHints, KeysOfWhatHtml5DroppedAreObsolete) {
  const std::pair<const char*, bool> cases[] = {
      // Elements HTML5 dropped, the menu-only ones too.
      {"Moji_Font_Font", true},
      {"Moji_Font_Face", true},
      {"Moji_Basefont", true},
      {"P_Marquee_Marquee", true},
      {"P_Marquee_Align_Top", true},
      {"P_Multicol_Gutter", true},
      {"P_Spacer_Spacer", true},
      {"P_Nobr", true},
      {"P_Center", true},
      {"Etc_Framset_Cols", true},
      {"Etc_Frame_Noresize", true},
      {"Etc_Noframes", true},
      // The doctype, DIV ALIGN and A NAME.
      {"Kihon_DocType", true},
      {"P_Div_Align_Center", true},
      {"Link_AName", true},
      // Attributes HTML5 dropped, in the case popup items spell them.
      {"Kihon_Body_Bgcolor", true},
      {"kihon_body_leftmargin", true},
      {"Table_Table_Border", true},
      {"Talbe_Tr_Bgcolor", true},
      {"Talbe_Td_Nowrap", true},
      {"Talbe_Th_Width", true},
      {"Table_Caption_Align_Bottom", true},
      {"P_Hr_Noshade", true},
      {"Link_Img_Align1_Middle", true},
      {"Link_Img_Lowsrc", true},
      {"Link_Img_Border", true},
      {"Table_Li_Type_I", true},
      {"Table_Dl_Compact", true},
      {"OP_Left", true},
      {"OP_Bottom", true},
      {"Etc_Textarea_Wrap_off", true},
      // What HTML5 kept.
      {"Kihon_Doc", false},
      {"Kihon_Body_Body", false},
      {"Moji_Small", false},
      {"P_Hr_Hr", false},
      {"P_Wbr", false},
      {"Table_Table_Table", false},
      {"Talbe_Td_Colspan", false},
      {"Talbe_Th_Rowspan", false},
      {"Table_Caption_Caption", false},
      {"Table_Ol_Start", false},
      {"Table_Li_Li", false},
      {"Link_Img_Alt", false},
      {"Link_Img_Width", false},
      {"Link_AHref_AHref_Target__Blank", false},
      {"Etc_Textarea_Wrap_hard", false},
      {"Etc_Textarea_Wrap_Soft", false},
      {"H5_Div", false},
      // Prefixes stand only for the keys under them.
      {"Moji_Font", false},
      {"OP_", false},
      {"P_Div_Align", false},
      {"", false},
  };
  for (const auto& [key, obsolete] : cases) {
    EXPECT_EQ(IsObsoleteInHtml5(key), obsolete) << key;
    EXPECT_EQ(HintWithObsoleteNote("x", key), obsolete ? "x (HTML5 では廃止)" : "x") << key;
  }
  for (const core::TemplateKey& key : core::TemplateKeys()) {
    if (key.category == core::KeyCategory::kHtml5) {
      EXPECT_FALSE(IsObsoleteInHtml5(key.name)) << key.name;
    }
    if (key.category == core::KeyCategory::kFrame || key.category == core::KeyCategory::kOp) {
      EXPECT_TRUE(IsObsoleteInHtml5(key.name)) << key.name;
    }
  }
}

// The item (or submenu) reached by captions from the menu's top level, with
// accelerators left out.
const MenuNode* Find(const std::vector<MenuNode>& items, std::initializer_list<std::string> path) {
  const std::vector<MenuNode>* level = &items;
  const MenuNode* node = nullptr;
  for (const std::string& caption : path) {
    node = nullptr;
    for (const MenuNode& candidate : *level) {
      if (StripAccelerators(candidate.caption) == caption) node = &candidate;
    }
    if (!node) return nullptr;
    level = &node->children;
  }
  return node;
}

// Menus show the note as the item's tooltip, in the palette's form: the
// caption without accelerators, then the note. A submenu has it when every
// tag under it is obsolete.
TEST(ObsoleteHints, MenuItemsCarryTheNoteAsTheirTooltip) {
  const MenuModel bar = BuildMenu(MenuId::kMainMenu);
  struct Case {
    std::initializer_list<std::string> path;
    const char* hint;  // "" for none
  };
  const Case cases[] = {
      {{"タグ(T)", "文字(M)", "基本サイズ <BASEFONT>"}, "基本サイズ <BASEFONT> (HTML5 では廃止)"},
      {{"タグ(T)", "段落(P)", "文字スクロール <MARQUEE>"}, "文字スクロール <MARQUEE> (HTML5 では廃止)"},
      {{"タグ(T)", "段落(P)", "文字スクロール <MARQUEE>", "回数 (LOOP=\"\")"}, "回数 (LOOP=\"\") (HTML5 では廃止)"},
      {{"タグ(T)", "段落(P)", "段組 <MULTICOL>"}, "段組 <MULTICOL> (HTML5 では廃止)"},
      {{"タグ(T)", "段落(P)", "空白制御 <SPACER>"}, "空白制御 <SPACER> (HTML5 では廃止)"},
      {{"タグ(T)", "段落(P)", "改行禁止 <NOBR>"}, "改行禁止 <NOBR> (HTML5 では廃止)"},
      {{"タグ(T)", "段落(P)", "表示位置 <DIV>", "左 <DIV ALIGN=\"left\">"}, "左 <DIV ALIGN=\"left\"> (HTML5 では廃止)"},
      {{"タグ(T)", "段落(P)", "表示位置 <DIV>"}, "表示位置 <DIV> (HTML5 では廃止)"},
      {{"タグ(T)", "段落(P)", "段落 <P>", "位置 (ALIGN=\"\")"}, "位置 (ALIGN=\"\") (HTML5 では廃止)"},
      {{"タグ(T)", "段落(P)", "段落 <P>", "位置 (ALIGN=\"\")", "中 (ALIGN=\"center\")"},
       "中 (ALIGN=\"center\") (HTML5 では廃止)"},
      {{"タグ(T)", "基本(D)", "ドキュメントタイプ <HTML>"}, "ドキュメントタイプ <HTML> (HTML5 では廃止)"},
      {{"タグ(T)", "基本(D)", "ボディ <BODY>", "背景色 (BGCOLOR=\"\")"}, "背景色 (BGCOLOR=\"\") (HTML5 では廃止)"},
      {{"タグ(T)", "リスト(S)", "リストの項目 <LI>", "マークタイプ (TYPE=\"\")"},
       "マークタイプ (TYPE=\"\") (HTML5 では廃止)"},
      {{"タグ(T)", "リスト(S)", "定義リスト(I) <DL>", "改行なし (COMPACT)"}, "改行なし (COMPACT) (HTML5 では廃止)"},
      {{"タグ(T)", "リンク/画像(L)", "ネームタグ <A NAME=\"\">"}, "ネームタグ <A NAME=\"\"> (HTML5 では廃止)"},
      {{"タグ(T)", "フレーム(R)", "フレーム未対応用 <NOFRAMES>"}, "フレーム未対応用 <NOFRAMES> (HTML5 では廃止)"},
      {{"タグ(T)", "フレーム(R)"}, "フレーム(R) (HTML5 では廃止)"},
      // Kept: no tooltip.
      {{"タグ(T)", "基本(D)", "ボディ <BODY>"}, ""},
      {{"タグ(T)", "基本(D)", "ボディ <BODY>", "ボディ <BODY>"}, ""},
      {{"タグ(T)", "段落(P)", "弱い改行 <WBR>"}, ""},
      {{"タグ(T)", "リンク/画像(L)", "画像 <IMG SRC=\"\">", "代替テキスト (ALT=\"\")"}, ""},
      {{"タグ(T)", "HTML5(5)", "ブロックと埋め込み(B)", "区分 <div>"}, ""},
      {{"ファイル(F)"}, ""},
  };
  for (const Case& c : cases) {
    std::string where;
    for (const std::string& caption : c.path) where += caption + " > ";
    const MenuNode* node = Find(bar.items, c.path);
    ASSERT_NE(node, nullptr) << where;
    EXPECT_EQ(node->hint, c.hint) << where;
  }
}

// The attribute menus of the split buttons and the popups carry the same
// tooltips as the tag menu, one item each.
TEST(ObsoleteHints, EveryMenuMarksExactlyTheObsoleteKeys) {
  for (const MenuDefinition& definition : AllMenuDefinitions()) {
    const MenuModel menu = BuildMenu(definition.id);
    std::function<void(const std::vector<MenuNode>&)> check = [&](const std::vector<MenuNode>& nodes) {
      for (const MenuNode& node : nodes) {
        check(node.children);
        if (node.kind != NodeKind::kItem || node.key.empty()) continue;
        EXPECT_EQ(!node.hint.empty(), IsObsoleteInHtml5(node.key)) << definition.name << ": " << node.caption;
      }
    };
    check(menu.items);
  }
  const MenuModel table = BuildMenu(MenuId::kTableAttrs);
  EXPECT_EQ(Find(table.items, {"枠線の太さ (BORDER=\"\")"})->hint, "枠線の太さ (BORDER=\"\") (HTML5 では廃止)");
  EXPECT_EQ(Find(table.items, {"表示位置 (ALIGN=\"\")"})->hint, "表示位置 (ALIGN=\"\") (HTML5 では廃止)");
  const MenuModel textarea = BuildMenu(MenuId::kTextareaAttrs);
  EXPECT_NE(Find(textarea.items, {"自動改行(WRAP=\"\")", "改行しない(WRAP=\"off\")"})->hint, "");
  EXPECT_EQ(Find(textarea.items, {"自動改行(WRAP=\"\")", "改行する/送信時改行する(WRAP=\"hard\")"})->hint, "");
  EXPECT_EQ(Find(textarea.items, {"自動改行(WRAP=\"\")"})->hint, "");
}

}  // namespace
}  // namespace tagsling::ui
