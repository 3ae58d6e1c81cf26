#pragma once
// Turns the menu model (ui/model/MenuModel.h) into HMENUs: one walk of each
// menu's tree, every item getting a command identifier whose action is kept
// in ItemActions. The builder also fills the registered user tags and tools
// into their places, attaches or removes the menu pictures (MenuImg), and
// applies the check marks and enabled states when a (sub)menu opens.
//
// Ownership: the set owns every menu it built and destroys them with itself;
// the menu bar must be detached from its window before the set goes.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "settings/MenuItemList.h"
#include "ui/ItemActions.h"
#include "ui/model/MenuModel.h"
#include "ui/model/MenuStates.h"
#include "win/Handles.h"

namespace tagsling::ui {

class MenuSet {
 public:
  explicit MenuSet(ItemActions& actions) : actions_(actions) {}
  ~MenuSet();
  MenuSet(const MenuSet&) = delete;
  MenuSet& operator=(const MenuSet&) = delete;

  // The menu, built when it is first asked for: most popups of a session
  // never open, and building them all would cost start-up time.
  HMENU Handle(MenuId id);

  // Rebuilds the items of every menu filled from `list` ("UserTag" or
  // "Tools") from the settings document; a menu built later gets them from
  // the same document.
  void FillLists(settings::RegisteredList list, const settings::ProfileDocument& file);

  // Attaches (`bitmap_of` gives the picture of an IL_ToolBt index) or removes
  // the pictures of the menus under the icon switch. A popup's pictures
  // follow when it opens (ApplyOpenTimeImages), so none is drawn unseen.
  void SetImages(bool on, const std::function<HBITMAP(int)>& bitmap_of);
  bool ImagesShown() const { return images_on_; }
  // Brings the pictures of a (sub)menu that is opening up to date.
  void ApplyOpenTimeImages(HMENU menu);

  // The check marks and enabled states of a (sub)menu that is opening; other
  // menus are left alone.
  void ApplyOpenTimeStates(HMENU menu, const UiState& state) const;

  // The item a WM_MENUSELECT names (`item` its identifier, or its position
  // when `flags` has MF_POPUP): its position in `menu` and its hint; position
  // -1 for an item this set did not build (user tags, tools).
  struct Selection {
    int position = -1;
    std::string hint;
  };
  Selection Selected(HMENU menu, UINT item, UINT flags) const;

  // Whether the item showed a check mark (read when it is clicked).
  static bool IsChecked(const ItemAction& action, UINT id);

 private:
  struct Container {
    const std::vector<MenuNode>* nodes = nullptr;
    std::vector<int> positions;  // HMENU position of each node, -1 when hidden
  };
  struct Built {
    MenuModel model;
    win::UniqueMenu root;
  };
  // An item with a picture; whether it shows is ShowsImages of its menu.
  struct ImageRecord {
    HMENU menu;
    int position;
    int image;
    const MenuModel* model;
  };
  // A user-tag submenu of TagPopup/ShortTagPopup that hides with its separator
  // while no user tag is registered.
  struct Hideable {
    HMENU parent = nullptr;
    int position = 0;  // of the submenu item; the separator is just before it
    HMENU submenu = nullptr;
    std::wstring caption;
    int image = -1;
    const MenuModel* model = nullptr;
    bool present = true;
  };

  Built& Build(MenuId id);
  void FillListSlots(Built& built, settings::RegisteredList list, const settings::ProfileDocument& file);
  void Fill(HMENU menu, HMENU root, const MenuModel& model, const std::vector<MenuNode>& nodes);
  HMENU SlotMenu(const Built& built, const ListSlot& slot) const;
  void SetHidden(Hideable& hideable, bool hidden);
  void ClearAfter(HMENU menu, int fixed);

  ItemActions& actions_;
  std::map<MenuId, std::unique_ptr<Built>> menus_;
  std::map<HMENU, Container> containers_;
  std::map<const MenuNode*, HMENU> submenus_;
  std::vector<ImageRecord> images_;
  std::map<HMENU, Hideable> hideables_;  // by the submenu's handle
  bool images_on_ = false;
  std::set<HMENU> images_current_;  // menus whose pictures follow images_on_
  std::function<HBITMAP(int)> bitmap_of_;
  std::map<settings::RegisteredList, settings::ProfileDocument> list_files_;  // as last filled
};

}  // namespace tagsling::ui
