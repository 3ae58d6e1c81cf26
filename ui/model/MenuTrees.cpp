// The list of the main window's menus and the lookup of row tables.

#include "ui/model/MenuTrees.h"

namespace tagsling::ui {
namespace {

using M = MenuId;
constexpr CommandId kPopupForm = CommandId::kRunTagCommandFromPopup;

// TagPopup repeats the tag tree with two differences besides its item names
// and its user-tag submenu.
constexpr CaptionOverride kTagPopupCaptions[] = {{"意味(&M) <DD>", "意味(&E) <DD>"}};
constexpr NameOverride kTagPopupNames[] = {
    {"Etc_Form_Method_Get", "Etc_Form_Method_get"},
    {"Etc_Hidden_Hidden", "Etc_hidden_hidden"},
};

constexpr CaptionOverride kImgCaptions[] = {{"テキスト回り込み (ALI&GN=\"\")", "テキスト回り込み (AL&IGN=\"\")"}};
constexpr CaptionOverride kSelectCaptions[] = {{"初期選択 (S&ELECTED)", "初期選択 (&SELECTED)"}};
constexpr CaptionOverride kFrameCaptions[] = {{"サイズ変更禁止 (N&ORESIZE)", "サイズ変更禁止 (NORE&SIZE)"}};

constexpr MenuDefinition kMenus[] = {
    {.id = M::kMainMenu, .name = "MainMenu1", .is_menu_bar = true, .icon_switch = true},
    {.id = M::kTagPopup,
     .name = "PopupMenu1",
     .item_prefix = "PM1_",
     .tag_command = kPopupForm,
     .icon_switch = true,
     .open_handler = "PopupMenu1Popup",
     .captions = kTagPopupCaptions,
     .names = kTagPopupNames},
    {.id = M::kShortTagPopup,
     .name = "PopupMenu4",
     .item_prefix = "PM4_",
     .tag_command = kPopupForm,
     .icon_switch = true,
     .open_handler = "PopupMenu4Popup"},
    {.id = M::kBodyAttrs, .name = "PopupMenu_Kihon_Body"},
    {.id = M::kFontAttrs, .name = "PopupMenu_Moji_Font"},
    {.id = M::kAlign3, .name = "PopupMenu_Align"},
    {.id = M::kHrAttrs, .name = "PopupMenu_P_Hr_Hr_Op"},
    {.id = M::kTableAttrs, .name = "PopupMenu_Table_Table_Table"},
    {.id = M::kTrAttrs, .name = "PopupMenu_Table_Tr_Tr"},
    {.id = M::kTdAttrs, .name = "PopupMenu_Talbe_Td_Td"},
    {.id = M::kCaptionAligns, .name = "PopupMenu_Table_Caption_Caption"},
    {.id = M::kOlAttrs, .name = "PopupMenu_Table_Ol_Ol"},
    {.id = M::kLiAttrMenu, .name = "PopupMenu_Table_Li_Li"},
    {.id = M::kDlAttrs, .name = "PopupMenu_Table_Dl_Dl"},
    {.id = M::kTargetItems, .name = "PopupMenu_Link_AHref_AHref", .strip_accelerators = true},
    {.id = M::kImgAttrs, .name = "PopupMenu_Link_Img_Img", .captions = kImgCaptions},
    {.id = M::kFormAttrs, .name = "PopupMenu_Etc_Form_Form"},
    {.id = M::kButtonAttrs, .name = "PopupMenu_Etc_Button_Button"},
    {.id = M::kTextAttrs, .name = "PopupMenu_Etc_Text_Text"},
    {.id = M::kRadioAttrs, .name = "PopupMenu_Etc_Radio_Radio"},
    {.id = M::kCheckboxAttrs, .name = "PopupMenu_Etc_Radio_Checkbox_Checkbox"},
    {.id = M::kHiddenAttrs, .name = "PopupMenu_Etc_hidden_hidden"},
    {.id = M::kSelectAttrs, .name = "PopupMenu_Etc_Select_Select", .captions = kSelectCaptions},
    {.id = M::kTextareaAttrs, .name = "PopupMenu_Etc_Textarea_Textarea"},
    {.id = M::kFramesetAttrMenu, .name = "PopupMenu_Etc_Framset"},
    {.id = M::kFrameAttrs, .name = "PopupMenu_Etc_Frame_Frame", .captions = kFrameCaptions},
    // The grouped buttons of the palette page "HTML5".
    {.id = M::kHtml5HeadTags, .name = "PopupMenu_H5_Head"},
    {.id = M::kHtml5TextTags, .name = "PopupMenu_H5_Text"},
    {.id = M::kHtml5MoreButtonMenu, .name = "PopupMenu_H5_More"},
    {.id = M::kBrowserSizes, .name = "PopupMenu_BWSIZE", .open_handler = "PopupMenu_BWSIZEPopup"},
    {.id = M::kUserTagButtonMenu, .name = "PopupMenu_UserTag"},
    {.id = M::kTagDeleteButtonMenu, .name = "PopupMenu_TagDel"},
    {.id = M::kToolsButtonMenu, .name = "PopupMenu_Tools"},
    {.id = M::kTrayMenu,
     .name = "PopupMenu2",
     .icon_switch = true,
     .default_item = CommandId::kShowMainWindow,
     .open_handler = "PopupMenu2Popup"},
    {.id = M::kToolPanelMenu, .name = "PopupMenu3", .icon_switch = true, .open_handler = "PopupMenu3Popup"},
    {.id = M::kBaseFolderMenu,
     .name = "PopupMenu5",
     .icon_switch = true,
     .default_item = CommandId::kOpenBaseFolder,
     .open_handler = "PopupMenu5Popup"},
    {.id = M::kToolHotKeyMenu, .name = "PopupMenu6", .icon_switch = true, .open_handler = "PopupMenu6Popup"},
    {.id = M::kOuterToolHotKeyMenu, .name = "PopupMenu7", .open_handler = "PopupMenu7Popup"},
};

std::span<const MenuRow> FindIn(std::span<const MenuTable> tables, TableId table) {
  for (const MenuTable& t : tables) {
    if (t.id == table) return t.rows;
  }
  return {};
}

}  // namespace

std::span<const MenuRow> Rows(TableId table) {
  std::span<const MenuRow> rows = FindIn(TagMenuTables(), table);
  return rows.empty() ? FindIn(CommandMenuTables(), table) : rows;
}

std::span<const MenuDefinition> AllMenuDefinitions() { return kMenus; }

const MenuDefinition& FindMenuDefinition(MenuId id) {
  for (const MenuDefinition& m : kMenus) {
    if (m.id == id) return m;
  }
  return kMenus[0];
}

}  // namespace tagsling::ui
