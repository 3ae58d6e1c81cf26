#pragma once
// Menu trees as data. Every menu of the main window is an outline: a table of
// rows, each with its depth below the menu (0 = a top-level item of the menu).
// A row is an item, a submenu (the rows that follow with a greater depth are
// its children), a separator, a disabled note, a place where the registered
// user tags or tools are filled in, or the insertion of a shared fragment.
//
// Fragments keep one copy of what several menus share: the "タグ(&T)" tree is
// one fragment used by the menu bar and by TagPopup; the items of its
// "HTML5(&5)" submenu are one fragment used there and by ShortTagPopup; the
// attribute items of each tag submenu are fragments used both inside the tag
// tree and by the attribute drop-down menu of the matching split button; the
// base-folder, browser, input, tag-deletion and abbreviation items are
// fragments too.
//
// Captions are UTF-8 string literals exactly as displayed, "&" marking the
// accelerator. They never enter the Shift-JIS core: the Win32 layer converts
// them with MultiByteToWideChar(CP_UTF8, ...) and calls the wide menu API.
// Template keys are ASCII.

#include <cstdint>
#include <span>
#include <string_view>

#include "settings/MenuItemList.h"
#include "ui/model/Commands.h"
#include "ui/model/Pictures.h"

namespace tagsling::ui {

// Tables: the menus' own outlines and the shared fragments.
enum class TableId : std::uint8_t {
  kNone,
  // Shared tag fragments.
  kTagTree,
  kAlign3,
  kValign3,
  kEntities,
  kHeadingLevels,
  kDivAligns,
  kBodyAttrs,
  kFontAttrs,
  kHrAttrs,
  kTableAttrs,
  kTrAttrs,
  kTdAttrs,
  kCaptionAligns,
  kOlAttrs,
  kLiTypes,
  kLiAttrMenu,
  kDlAttrs,
  kTargetItems,
  kImgAttrs,
  kFormAttrs,
  kButtonAttrs,
  kTextAttrs,
  kRadioAttrs,
  kCheckboxAttrs,
  kHiddenAttrs,
  kSelectAttrs,
  kTextareaAttrs,
  kFrameAttrs,
  kHtml5Tags,
  kHtml5HeadTags,
  kHtml5TextTags,
  kHtml5BlockTags,
  kHtml5FormTags,
  // Shared command fragments.
  kEditorFileItems,
  kBrowserItems,
  kBrowserSizes,
  kInputItems,
  kTagDeleteItems,
  kAbbrevItems,
  kBaseFolderItems,
  kLivePreviewItems,
  // Menus with rows of their own.
  kMainMenu,
  kTagPopup,
  kShortTagPopup,
  kFramesetAttrMenu,
  kUserTagButtonMenu,
  kTagDeleteButtonMenu,
  kToolsButtonMenu,
  kTrayMenu,
  kToolPanelMenu,
  kBaseFolderMenu,
  kToolHotKeyMenu,
  kOuterToolHotKeyMenu,
  kHtml5MoreButtonMenu,
};

enum class RowKind : std::uint8_t {
  kTag,      // runs a template key with the menu's tag-command form
  kCommand,  // runs a program command
  kSubmenu,  // opens the rows that follow with a greater depth
  kSeparator,
  kNote,      // a disabled text that cannot be chosen
  kInsert,    // the rows of another table, one level below this row's parent
  kListSlot,  // the registered user tags or tools are filled in here
};

// Where a tag row's key comes from.
enum class KeySource : std::uint8_t {
  kItemName,  // the item is named after the key (with the menu's "PM1_"/"PM4_" prefix)
  kFixed,     // the key is fixed in the handler (shared ALIGN/VALIGN values, WRAP)
};

enum RowFlag : std::uint8_t {
  kCheckable = 1,           // shows a check mark computed when the menu opens
  kHidden = 2,              // never shown
  kPressesOwnerButton = 4,  // the menu button that opened the menu is pressed while it runs
};

struct MenuRow {
  std::uint8_t depth = 0;
  RowKind kind = RowKind::kSeparator;
  std::string_view caption;  // UTF-8
  std::string_view key;      // Tag rows: the template key
  KeySource key_source = KeySource::kItemName;
  CommandId command = CommandId::kNone;
  std::int16_t image = -1;  // a Picture's index into IL_ToolBt, -1 for none
  std::uint8_t flags = 0;
  std::string_view open_handler;  // Submenu rows: the handler run when it opens
  TableId insert = TableId::kNone;
  settings::ListMenu list{};  // ListSlot rows: which list menu this is
};

// Row constructors, so that each table reads like the outline it is.
constexpr MenuRow MakeRow(int depth, RowKind kind, std::string_view caption = {}, Picture image = Picture::kNone) {
  MenuRow row;
  row.depth = static_cast<std::uint8_t>(depth);
  row.kind = kind;
  row.caption = caption;
  row.image = static_cast<std::int16_t>(image);
  return row;
}
constexpr MenuRow Tag(int depth, std::string_view caption, std::string_view key, Picture image = Picture::kNone) {
  MenuRow row = MakeRow(depth, RowKind::kTag, caption, image);
  row.key = key;
  return row;
}
constexpr MenuRow Fixed(int depth, std::string_view caption, std::string_view key) {
  MenuRow row = Tag(depth, caption, key);
  row.key_source = KeySource::kFixed;
  return row;
}
constexpr MenuRow Cmd(int depth, std::string_view caption, CommandId command, Picture image = Picture::kNone,
                      std::uint8_t flags = 0) {
  MenuRow row = MakeRow(depth, RowKind::kCommand, caption, image);
  row.command = command;
  row.flags = flags;
  return row;
}
constexpr MenuRow Sub(int depth, std::string_view caption, Picture image = Picture::kNone,
                      std::string_view open_handler = {}) {
  MenuRow row = MakeRow(depth, RowKind::kSubmenu, caption, image);
  row.open_handler = open_handler;
  return row;
}
constexpr MenuRow Sep(int depth) { return MakeRow(depth, RowKind::kSeparator); }
constexpr MenuRow Note(int depth, std::string_view caption) { return MakeRow(depth, RowKind::kNote, caption); }
constexpr MenuRow Use(int depth, TableId table) {
  MenuRow row = MakeRow(depth, RowKind::kInsert);
  row.insert = table;
  return row;
}
// The registered user tags or tools go here; the items themselves are built
// from the settings file by settings::BuildListMenuContents.
constexpr MenuRow UserTags(int depth, settings::ListMenu list) {
  MenuRow row = MakeRow(depth, RowKind::kListSlot);
  row.list = list;
  return row;
}
constexpr MenuRow Tools(int depth, settings::ListMenu list) { return UserTags(depth, list); }

struct MenuTable {
  TableId id;
  std::span<const MenuRow> rows;
};

// The rows of `table`; empty for an unknown table.
std::span<const MenuRow> Rows(TableId table);

// The tables defined by each source file: the tag tree with its fragments and
// the attribute menus, and the command menus.
std::span<const MenuTable> TagMenuTables();
std::span<const MenuTable> CommandMenuTables();

// A menu of the main window, named by the table of its rows: one of the ids
// in AllMenuDefinitions(), never a fragment that only other tables insert.
using MenuId = TableId;

// A caption shown differently in one menu than in the shared table.
struct CaptionOverride {
  std::string_view from;
  std::string_view to;
};

// A tag item whose name spells its key in another letter case in one menu
// (keys are looked up without regard to case, so it runs the same template).
struct NameOverride {
  std::string_view key;
  std::string_view spelling;
};

struct MenuDefinition {
  MenuId id;              // also the table of its rows
  std::string_view name;  // its component name, kept as data (e.g. "PopupMenu1"); errors name the menu by it
  bool is_menu_bar = false;
  std::string_view item_prefix = {};                  // "PM1_" / "PM4_": prefix of the tag items' names
  CommandId tag_command = CommandId::kRunTagCommand;  // palette or popup form
  bool icon_switch = false;                           // shows IL_ToolBt while the setting MenuImg is on
  bool strip_accelerators = false;                    // captions shown without their "&" accelerators
  CommandId default_item = CommandId::kNone;          // the item drawn bold
  std::string_view open_handler = {};                 // run when the menu opens
  std::span<const CaptionOverride> captions = {};
  std::span<const NameOverride> names = {};
};

std::span<const MenuDefinition> AllMenuDefinitions();

// The definition of `id`.
const MenuDefinition& FindMenuDefinition(MenuId id);

}  // namespace tagsling::ui
