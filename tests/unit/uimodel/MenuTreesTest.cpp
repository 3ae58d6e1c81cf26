#include "ui/model/MenuTrees.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuWalk.h"
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
    {MenuId::PopupMenu_Kihon_Body,
     {"Kihon_Body_Text", "Kihon_Body_Link", "Kihon_Body_Vlink", "Kihon_Body_Alink", "Kihon_Body_Bgcolor",
      "Kihon_Body_Background", "Kihon_Body_LeftMargin", "Kihon_Body_TopMargin"}},
    {MenuId::PopupMenu_Moji_Font, {"Moji_Font_Size", "Moji_Font_Color", "Moji_Font_Face"}},
    {MenuId::PopupMenu_Align, kAlign},
    {MenuId::PopupMenu_P_Hr_Hr_Op, Join({{"P_Hr_Size", "P_Hr_Width", "P_Hr_Color", "P_Hr_Noshade"}, kAlign})},
    {MenuId::PopupMenu_Table_Table_Table,
     Join({kAlign,
           {"Table_Table_Border", "Table_Table_Cellspacing", "Table_Table_Cellpadding", "Table_Table_Width",
            "Table_Table_Height", "Table_Table_Bgcolor"}})},
    {MenuId::PopupMenu_Table_Tr_Tr, Join({kAlign, kValign, {"Talbe_Tr_Bgcolor"}})},
    {MenuId::PopupMenu_Talbe_Td_Td, Join({kAlign,
                                          kValign,
                                          {"Talbe_Td_Width", "Talbe_Td_Height", "Talbe_Td_Colspan", "Talbe_Td_Rowspan",
                                           "Talbe_Td_Nowrap", "Talbe_Td_Bgcolor"}})},
    {MenuId::PopupMenu_Table_Caption_Caption, {"Table_Caption_Align_Top", "Table_Caption_Align_Bottom"}},
    {MenuId::PopupMenu_Table_Ol_Ol, {"Table_Ol_Start"}},
    {MenuId::PopupMenu_Table_Li_Li, {"Table_Li_Type_A", "Table_Li_Type_I", "Table_Li_Type_1"}},
    {MenuId::PopupMenu_Table_Dl_Dl, {"Table_Dl_Compact"}},
    {MenuId::PopupMenu_Link_AHref_AHref,
     {"Link_AHref_AHref_Target_Free", "Link_AHref_AHref_Target__Blank", "Link_AHref_AHref_Target__Top",
      "Link_AHref_AHref_Target_Top"}},
    {MenuId::PopupMenu_Link_Img_Img,
     {"Link_Img_Alt", "Link_Img_Align1_Top", "Link_Img_Align1_Middle", "Link_Img_Align1_Bottom", "OP_Left", "OP_Right",
      "Link_Img_Vspace", "Link_Img_Hspace", "Link_Img_Width", "Link_Img_Height", "Link_Img_Lowsrc", "Link_Img_Border"}},
    {MenuId::PopupMenu_Etc_Form_Form,
     {"Etc_Form_Action_Url", "Etc_Form_Action_Mail", "Etc_Form_Method_Post", "Etc_Form_Method_Get"}},
    {MenuId::PopupMenu_Etc_Button_Button, {"Etc_Button_Name", "Etc_Button_Value"}},
    {MenuId::PopupMenu_Etc_Text_Text,
     {"Etc_Text_Password", "Etc_Text_Name", "Etc_Text_Value", "Etc_Text_Size", "Etc_Text_Maxlenth"}},
    {MenuId::PopupMenu_Etc_Radio_Radio, {"Etc_Radio_Name", "Etc_Radio_Value", "Etc_Radio_Checked"}},
    {MenuId::PopupMenu_Etc_Radio_Checkbox_Checkbox,
     {"Etc_Checkbox_Name", "Etc_Checkbox_Value", "Etc_Checkbox_Checked"}},
    {MenuId::PopupMenu_Etc_hidden_hidden, {"Etc_Hidden_Name", "Etc_Hidden_Value"}},
    {MenuId::PopupMenu_Etc_Select_Select,
     {"Etc_Select_Name", "Etc_Select_Size", "Etc_Select_Multipre", "Etc_Select_Option", "Etc_Select_OpValue",
      "Etc_Select_OpSelected"}},
    {MenuId::PopupMenu_Etc_Textarea_Textarea,
     {"Etc_Textarea_Name", "Etc_Textarea_Cols", "Etc_Textarea_Rows", "Etc_Textarea_Wrap_off", "Etc_Textarea_Wrap_hard",
      "Etc_Textarea_Wrap_Soft"}},
    {MenuId::PopupMenu_Etc_Framset, {"Etc_Framset_Frameborder_Yes", "Etc_Framset_Frameborder_No"}},
    {MenuId::PopupMenu_Etc_Frame_Frame,
     {"Etc_Frame_Name", "Etc_Frame_Marginwidth", "Etc_Frame_Marginheight", "Etc_Frame_Scrolling_Yes",
      "Etc_Frame_Scrolling_No", "Etc_Frame_Scrolling_Auto", "Etc_Frame_Noresize", "Etc_Frame_Frameborder_Yes",
      "Etc_Frame_Frameborder_No"}},
};

TEST(MenuTrees, AttributeMenusCarryTheirKeysWithThePaletteFormAndNoImages) {
  for (const AttributeMenuCase& c : kAttributeMenus) {
    const MenuModel menu = BuildMenu(c.menu);
    SCOPED_TRACE(menu.name);
    EXPECT_EQ(TagKeys(menu.items), c.keys);
    EXPECT_FALSE(menu.iconSwitch);
    ForEachNode(menu.items, [](const MenuNode& node) {
      if (!node.key.empty()) {
        EXPECT_EQ(node.command, CommandId::RunTagCommand);
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
      {MenuId::PopupMenu_Link_AHref_AHref, {1}, "新ウィンドウ (TARGET=\"_blank\")"},
      {MenuId::PopupMenu_Etc_Select_Select, {7}, "初期選択 (&SELECTED)"},
      {MenuId::PopupMenu_Etc_Frame_Frame, {4}, "サイズ変更禁止 (NORE&SIZE)"},
      {MenuId::PopupMenu_Link_Img_Img, {2}, "テキスト回り込み (AL&IGN=\"\")"},
      {MenuId::PopupMenu_Link_Img_Img, {1}, "テキスト位置 (A&LIGN=\"\")"},
      {MenuId::PopupMenu_Etc_Framset, {0}, "境界線表示 (FRAMEBORDER=\"&yes\")"},
      {MenuId::PopupMenu_Table_Li_Li, {0}, "※<OL>で有効"},
      {MenuId::PopupMenu_Align, {2}, "右 (ALIGN=\"&right\")"},
  };
  for (const Case& c : cases) {
    const MenuModel menu = BuildMenu(c.menu);
    const MenuNode* node = NodeAt(menu, c.path);
    ASSERT_NE(node, nullptr) << menu.name;
    EXPECT_EQ(node->caption, c.caption) << menu.name;
  }
  // The tag tree keeps its own captions for the same items.
  const MenuModel bar = BuildMenu(MenuId::MainMenu1);
  EXPECT_EQ(NodeAt(bar, {1, 9, 6, 9})->caption, "初期選択 (S&ELECTED)");
  EXPECT_FALSE(NodeAt(BuildMenu(MenuId::PopupMenu_Table_Li_Li), {0})->enabled);
}

TEST(MenuTrees, MenuIconsFollowTheSwitchOnlyInTheMenuBarAndPopupMenus1To6) {
  for (const MenuDefinition& def : AllMenuDefinitions()) {
    const bool expected = def.id == MenuId::MainMenu1 || def.id == MenuId::PopupMenu1 || def.id == MenuId::PopupMenu2 ||
                          def.id == MenuId::PopupMenu3 || def.id == MenuId::PopupMenu4 ||
                          def.id == MenuId::PopupMenu5 || def.id == MenuId::PopupMenu6;
    EXPECT_EQ(def.iconSwitch, expected) << def.name;
  }
}

TEST(MenuTrees, EveryTableReferencedByAnotherExists) {
  for (const auto& tables : {TagMenuTables(), CommandMenuTables()}) {
    for (const MenuTable& t : tables) {
      EXPECT_EQ(Rows(t.id).data(), t.rows.data());
      for (const MenuRow& row : t.rows) {
        if (row.kind == RowKind::Insert) {
          EXPECT_FALSE(Rows(row.insert).empty());
        }
      }
    }
  }
}

}  // namespace
}  // namespace tagsling::ui
