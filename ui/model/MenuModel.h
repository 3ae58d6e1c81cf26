#pragma once
// The built menu model: one nested tree per menu, produced from the row
// tables of MenuTrees.h by one builder. The Win32 layer walks it once to
// create the HMENU (captions converted from UTF-8, images from IL_ToolBt when
// the menu's icon switch and the setting MenuImg allow), and keeps the node
// of every item to dispatch its command.
//
// Building resolves what the tables leave implicit:
// - fragments are inserted where the tables use them;
// - a tag item named after its key gets the menu's prefix ("PM1_" for
//   TagPopup, "PM4_" for ShortTagPopup), and its key is recovered from that
//   name by deleting every occurrence of the prefix, exactly as its handler
//   does at run time;
// - the menu's caption and name overrides, accelerator stripping and default
//   item are applied;
// - the places where the registered user tags and tools go are reported as
//   slots, with the path to their container and the fixed items kept;
// - an item whose key inserts what HTML5 no longer has, and a submenu all of
//   whose tag items do, get a hint: the caption without accelerators and the
//   obsolete note of ObsoleteHints.h, which the Win32 layer shows as the
//   item's tooltip, as the palette shows a button's hint.
//
// A malformed table (a depth that skips a level, children under an item, a
// list slot that is not the last item of its container) is a programming
// error: BuildMenu throws std::logic_error naming the menu. The unit tests
// build every menu, so such a table never ships.

#include <string>
#include <string_view>
#include <vector>

#include "settings/MenuItemList.h"
#include "ui/model/Commands.h"
#include "ui/model/MenuTrees.h"

namespace tagsling::ui {

enum class NodeKind : std::uint8_t { kItem, kSubmenu, kSeparator };

struct MenuNode {
  NodeKind kind = NodeKind::kItem;
  std::string name;                      // component name of a tag item ("PM1_Kihon_Doc"); empty otherwise
  std::string caption;                   // UTF-8, "&" marks the accelerator
  CommandId command = CommandId::kNone;  // None for submenus, separators and notes
  std::string key;                       // template key of a tag item
  int image = -1;                        // IL_ToolBt index, -1 for none
  bool enabled = true;                   // false for the notes that cannot be chosen
  bool checkable = false;                // check mark computed when the menu opens
  bool hidden = false;
  bool is_default = false;  // drawn bold
  bool presses_owner_button = false;
  std::string open_handler;  // submenus: handler run when it opens
  std::string hint;          // UTF-8 tooltip; empty for none
  std::vector<MenuNode> children;
};

// Where a registered list's items go.
struct ListSlot {
  settings::ListMenu list;
  std::vector<int> path;  // positions from the menu's top level down to the
                          // submenu holding the items; empty: the menu itself
  int fixed_items = 0;    // items kept before the list's items
};

struct MenuModel {
  MenuId id{};
  std::string name;
  bool is_menu_bar = false;
  bool icon_switch = false;  // IL_ToolBt attached while MenuImg is on
  std::string open_handler;
  std::vector<MenuNode> items;
  std::vector<ListSlot> slots;
};

MenuModel BuildMenu(MenuId id);

// The node at `path` (positions from the top level down), or nullptr.
const MenuNode* NodeAt(const MenuModel& menu, const std::vector<int>& path);

// The caption without its accelerator marks: every "&" that marks the next
// character is removed and "&&" becomes "&".
std::string StripAccelerators(std::string_view caption);

}  // namespace tagsling::ui
