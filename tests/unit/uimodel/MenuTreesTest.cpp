#include "ui/model/MenuTrees.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/support/MenuWalk.h"
#include "ui/model/MenuModel.h"

namespace tagsling::ui {
namespace {

using test::ForEachNode;
using test::TagKeys;
using Keys = std::vector<std::string>;

struct AttributeMenuCase {
  MenuId menu;
  Keys keys;
};

const Keys kAlign = {"OP_Left", "OP_Center", "OP_Right"};
const Keys kValign = {"OP_Top", "OP_Middle", "OP_Bottom"};

Keys Join(std::initializer_list<Keys> parts) {
  Keys all;
  for (const Keys& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// The keys each attribute menu runs, in order, as the palette's split buttons
// offer them.
const AttributeMenuCase kAttributeMenus[] = {
    {MenuId::kBodyAttrs,
     {"Kihon_Body_Text", "Kihon_Body_Link", "Kihon_Body_Vlink", "Kihon_Body_Alink", "Kihon_Body_Bgcolor",
      "Kihon_Body_Background", "Kihon_Body_LeftMargin", "Kihon_Body_TopMargin"}},
    {MenuId::kFontAttrs, {"Moji_Font_Size", "Moji_Font_Color", "Moji_Font_Face"}},
    {MenuId::kAlign3, kAlign},
    {MenuId::kHrAttrs, Join({{"P_Hr_Size", "P_Hr_Width", "P_Hr_Color", "P_Hr_Noshade"}, kAlign})},
    {MenuId::kTableAttrs, Join({kAlign,
                                {"Table_Table_Border", "Table_Table_Cellspacing", "Table_Table_Cellpadding",
                                 "Table_Table_Width", "Table_Table_Height", "Table_Table_Bgcolor"}})},
    {MenuId::kTrAttrs, Join({kAlign, kValign, {"Talbe_Tr_Bgcolor"}})},
    {MenuId::kTdAttrs, Join({kAlign,
                             kValign,
                             {"Talbe_Td_Width", "Talbe_Td_Height", "Talbe_Td_Colspan", "Talbe_Td_Rowspan",
                              "Talbe_Td_Nowrap", "Talbe_Td_Bgcolor"}})},
    {MenuId::kCaptionAligns, {"Table_Caption_Align_Top", "Table_Caption_Align_Bottom"}},
    {MenuId::kOlAttrs, {"Table_Ol_Start"}},
    {MenuId::kLiAttrMenu, {"Table_Li_Type_A", "Table_Li_Type_I", "Table_Li_Type_1"}},
    {MenuId::kDlAttrs, {"Table_Dl_Compact"}},
    {MenuId::kTargetItems,
     {"Link_AHref_AHref_Target_Free", "Link_AHref_AHref_Target__Blank", "Link_AHref_AHref_Target__Top",
      "Link_AHref_AHref_Target_Top"}},
    {MenuId::kImgAttrs,
     {"Link_Img_Alt", "Link_Img_Align1_Top", "Link_Img_Align1_Middle", "Link_Img_Align1_Bottom", "OP_Left", "OP_Right",
      "Link_Img_Vspace", "Link_Img_Hspace", "Link_Img_Width", "Link_Img_Height", "Link_Img_Lowsrc", "Link_Img_Border"}},
    {MenuId::kFormAttrs,
     {"Etc_Form_Action_Url", "Etc_Form_Action_Mail", "Etc_Form_Method_Post", "Etc_Form_Method_Get"}},
    {MenuId::kButtonAttrs, {"Etc_Button_Name", "Etc_Button_Value"}},
    {MenuId::kTextAttrs,
     {"Etc_Text_Password", "Etc_Text_Name", "Etc_Text_Value", "Etc_Text_Size", "Etc_Text_Maxlenth"}},
    {MenuId::kRadioAttrs, {"Etc_Radio_Name", "Etc_Radio_Value", "Etc_Radio_Checked"}},
    {MenuId::kCheckboxAttrs, {"Etc_Checkbox_Name", "Etc_Checkbox_Value", "Etc_Checkbox_Checked"}},
    {MenuId::kHiddenAttrs, {"Etc_Hidden_Name", "Etc_Hidden_Value"}},
    {MenuId::kSelectAttrs,
     {"Etc_Select_Name", "Etc_Select_Size", "Etc_Select_Multipre", "Etc_Select_Option", "Etc_Select_OpValue",
      "Etc_Select_OpSelected"}},
    {MenuId::kTextareaAttrs,
     {"Etc_Textarea_Name", "Etc_Textarea_Cols", "Etc_Textarea_Rows", "Etc_Textarea_Wrap_off", "Etc_Textarea_Wrap_hard",
      "Etc_Textarea_Wrap_Soft"}},
    {MenuId::kFramesetAttrMenu, {"Etc_Framset_Frameborder_Yes", "Etc_Framset_Frameborder_No"}},
    {MenuId::kFrameAttrs,
     {"Etc_Frame_Name", "Etc_Frame_Marginwidth", "Etc_Frame_Marginheight", "Etc_Frame_Scrolling_Yes",
      "Etc_Frame_Scrolling_No", "Etc_Frame_Scrolling_Auto", "Etc_Frame_Noresize", "Etc_Frame_Frameborder_Yes",
      "Etc_Frame_Frameborder_No"}},
};

TEST(MenuTrees, AttributeMenusCarryTheirKeysWithThePaletteFormAndNoImages) {
  for (const AttributeMenuCase& c : kAttributeMenus) {
    const MenuModel menu = BuildMenu(c.menu);
    SCOPED_TRACE(menu.name);
    EXPECT_EQ(TagKeys(menu.items), c.keys);
    EXPECT_FALSE(menu.icon_switch);
    ForEachNode(menu.items, [](const MenuNode& node) {
      if (!node.key.empty()) {
        EXPECT_EQ(node.command, CommandId::kRunTagCommand);
      }
    });
  }
}

TEST(MenuTrees, AttributeMenusShowTheirOwnCaptions) {
  struct Case {
    MenuId menu;
    std::vector<int> path;
    const char* caption;
  };
  const Case cases[] = {
      {MenuId::kTargetItems, {1}, "新ウィンドウ (TARGET=\"_blank\")"},
      {MenuId::kSelectAttrs, {7}, "初期選択 (&SELECTED)"},
      {MenuId::kFrameAttrs, {4}, "サイズ変更禁止 (NORE&SIZE)"},
      {MenuId::kImgAttrs, {2}, "テキスト回り込み (AL&IGN=\"\")"},
      {MenuId::kImgAttrs, {1}, "テキスト位置 (A&LIGN=\"\")"},
      {MenuId::kFramesetAttrMenu, {0}, "境界線表示 (FRAMEBORDER=\"&yes\")"},
      {MenuId::kLiAttrMenu, {0}, "※<OL>で有効"},
      {MenuId::kAlign3, {2}, "右 (ALIGN=\"&right\")"},
  };
  for (const Case& c : cases) {
    const MenuModel menu = BuildMenu(c.menu);
    const MenuNode* node = NodeAt(menu, c.path);
    ASSERT_NE(node, nullptr) << menu.name;
    EXPECT_EQ(node->caption, c.caption) << menu.name;
  }
  // The tag tree keeps its own captions for the same items.
  const MenuModel bar = BuildMenu(MenuId::kMainMenu);
  EXPECT_EQ(NodeAt(bar, {1, 9, 6, 9})->caption, "初期選択 (S&ELECTED)");
  EXPECT_FALSE(NodeAt(BuildMenu(MenuId::kLiAttrMenu), {0})->enabled);
}

TEST(MenuTrees, MenuIconsFollowTheSwitchOnlyInTheMenuBarAndPopupMenus1To6) {
  for (const MenuDefinition& def : AllMenuDefinitions()) {
    const bool expected = def.id == MenuId::kMainMenu || def.id == MenuId::kTagPopup || def.id == MenuId::kTrayMenu ||
                          def.id == MenuId::kToolPanelMenu || def.id == MenuId::kShortTagPopup ||
                          def.id == MenuId::kBaseFolderMenu || def.id == MenuId::kToolHotKeyMenu;
    EXPECT_EQ(def.icon_switch, expected) << def.name;
  }
}

TEST(MenuTrees, EveryTableReferencedByAnotherExists) {
  for (const auto& tables : {TagMenuTables(), CommandMenuTables()}) {
    for (const MenuTable& t : tables) {
      EXPECT_EQ(Rows(t.id).data(), t.rows.data());
      for (const MenuRow& row : t.rows) {
        if (row.kind == RowKind::kInsert) {
          EXPECT_FALSE(Rows(row.insert).empty());
        }
      }
    }
  }
}

}  // namespace
}  // namespace tagsling::ui
