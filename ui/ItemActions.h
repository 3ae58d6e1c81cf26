#pragma once
// The command behind every menu item and palette button. Each item and
// button gets a Windows command identifier when it is created; the identifier
// leads here, and from here to the one command table (ui/model/Commands.h).

#include <windows.h>

#include <string>
#include <unordered_map>

#include "ui/model/Commands.h"
#include "ui/model/MenuTrees.h"

namespace tagsling::ui {

struct ItemAction {
  UINT id = 0;  // its command identifier, set by ItemActions::Add
  CommandId command = CommandId::kNone;
  std::string key;                    // tag commands: the template key
  int entry = -1;                     // user tags and tools: the entry number
  HMENU root = nullptr;               // menu items: the menu holding the check mark
  bool presses_owner_button = false;  // menu items run while the opening button is pressed
  // Palette buttons.
  HWND toolbar = nullptr;
  bool presses_while_running = false;
  bool has_menu = false;
  MenuId menu = MenuId::kMainMenu;  // split and menu buttons
  bool right_click_opens_menu = true;
  std::wstring hint;  // tooltip text
};

// Command identifiers handed out from one range, so menus and buttons never
// collide. Identifiers of rebuilt list items are given back.
class ItemActions {
 public:
  static constexpr UINT kFirstId = 1000;
  static constexpr UINT kLastId = 0xEFFF;

  UINT Add(ItemAction action);
  void Remove(UINT id) { actions_.erase(id); }
  const ItemAction* Find(UINT id) const;
  // A palette button's toolbar, known once its window exists.
  void AttachToolbar(UINT id, HWND toolbar);

 private:
  std::unordered_map<UINT, ItemAction> actions_;
  UINT next_ = kFirstId;
};

}  // namespace tagsling::ui
