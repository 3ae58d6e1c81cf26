// The list of the main window's menus and the lookup of row tables.

#include "ui/model/MenuTrees.h"

namespace tagsling::ui {
namespace {

using M = MenuId;
constexpr CommandId kPopupForm = CommandId::RunTagCommandFromPopup;

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
    {.id = M::MainMenu, .name = "MainMenu1", .is_menu_bar = true, .icon_switch = true},
    {.id = M::TagPopup,
     .name = "PopupMenu1",
     .item_prefix = "PM1_",
     .tag_command = kPopupForm,
     .icon_switch = true,
     .open_handler = "PopupMenu1Popup",
     .captions = kTagPopupCaptions,
     .names = kTagPopupNames},
    {.id = M::ShortTagPopup,
     .name = "PopupMenu4",
     .item_prefix = "PM4_",
     .tag_command = kPopupForm,
     .icon_switch = true,
     .open_handler = "PopupMenu4Popup"},
    {.id = M::BodyAttrs, .name = "PopupMenu_Kihon_Body"},
    {.id = M::FontAttrs, .name = "PopupMenu_Moji_Font"},
    {.id = M::Align3, .name = "PopupMenu_Align"},
    {.id = M::HrAttrs, .name = "PopupMenu_P_Hr_Hr_Op"},
    {.id = M::TableAttrs, .name = "PopupMenu_Table_Table_Table"},
    {.id = M::TrAttrs, .name = "PopupMenu_Table_Tr_Tr"},
    {.id = M::TdAttrs, .name = "PopupMenu_Talbe_Td_Td"},
    {.id = M::CaptionAligns, .name = "PopupMenu_Table_Caption_Caption"},
    {.id = M::OlAttrs, .name = "PopupMenu_Table_Ol_Ol"},
    {.id = M::LiAttrMenu, .name = "PopupMenu_Table_Li_Li"},
    {.id = M::DlAttrs, .name = "PopupMenu_Table_Dl_Dl"},
    {.id = M::TargetItems, .name = "PopupMenu_Link_AHref_AHref", .strip_accelerators = true},
    {.id = M::ImgAttrs, .name = "PopupMenu_Link_Img_Img", .captions = kImgCaptions},
    {.id = M::FormAttrs, .name = "PopupMenu_Etc_Form_Form"},
    {.id = M::ButtonAttrs, .name = "PopupMenu_Etc_Button_Button"},
    {.id = M::TextAttrs, .name = "PopupMenu_Etc_Text_Text"},
    {.id = M::RadioAttrs, .name = "PopupMenu_Etc_Radio_Radio"},
    {.id = M::CheckboxAttrs, .name = "PopupMenu_Etc_Radio_Checkbox_Checkbox"},
    {.id = M::HiddenAttrs, .name = "PopupMenu_Etc_hidden_hidden"},
    {.id = M::SelectAttrs, .name = "PopupMenu_Etc_Select_Select", .captions = kSelectCaptions},
    {.id = M::TextareaAttrs, .name = "PopupMenu_Etc_Textarea_Textarea"},
    {.id = M::FramesetAttrMenu, .name = "PopupMenu_Etc_Framset"},
    {.id = M::FrameAttrs, .name = "PopupMenu_Etc_Frame_Frame", .captions = kFrameCaptions},
    // The grouped buttons of the palette page "HTML5".
    {.id = M::Html5HeadTags, .name = "PopupMenu_H5_Head"},
    {.id = M::Html5TextTags, .name = "PopupMenu_H5_Text"},
    {.id = M::Html5MoreButtonMenu, .name = "PopupMenu_H5_More"},
    {.id = M::BrowserSizes, .name = "PopupMenu_BWSIZE", .open_handler = "PopupMenu_BWSIZEPopup"},
    {.id = M::UserTagButtonMenu, .name = "PopupMenu_UserTag"},
    {.id = M::TagDeleteButtonMenu, .name = "PopupMenu_TagDel"},
    {.id = M::ToolsButtonMenu, .name = "PopupMenu_Tools"},
    {.id = M::TrayMenu,
     .name = "PopupMenu2",
     .icon_switch = true,
     .default_item = CommandId::ShowMainWindow,
     .open_handler = "PopupMenu2Popup"},
    {.id = M::ToolPanelMenu, .name = "PopupMenu3", .icon_switch = true, .open_handler = "PopupMenu3Popup"},
    {.id = M::BaseFolderMenu,
     .name = "PopupMenu5",
     .icon_switch = true,
     .default_item = CommandId::OpenBaseFolder,
     .open_handler = "PopupMenu5Popup"},
    {.id = M::ToolHotKeyMenu, .name = "PopupMenu6", .icon_switch = true, .open_handler = "PopupMenu6Popup"},
    {.id = M::OuterToolHotKeyMenu, .name = "PopupMenu7", .open_handler = "PopupMenu7Popup"},
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
