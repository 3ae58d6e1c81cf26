#include "ui/MenuBuilder.h"

#include <stdexcept>

#include "win/WinText.h"

namespace tagsling::ui {
namespace {

CommandId ListCommand(settings::ListMenuAction action) {
  switch (action) {
    case settings::ListMenuAction::kRunUserTag:
      return CommandId::kRunUserTag;
    case settings::ListMenuAction::kRunUserTagFromPopup:
      return CommandId::kRunUserTagFromPopup;
    case settings::ListMenuAction::kRunExternalTool:
      return CommandId::kRunExternalTool;
  }
  return CommandId::kNone;
}

void AppendSeparator(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  info.fType = MFT_SEPARATOR;
  InsertMenuItemW(menu, static_cast<UINT>(position), TRUE, &info);
}

}  // namespace

MenuSet::~MenuSet() {
  // Hidden user-tag submenus are not inside any menu: free them on their own.
  for (auto& [submenu, hideable] : hideables_) {
    if (!hideable.present) DestroyMenu(submenu);
  }
}

MenuSet::Built& MenuSet::Build(MenuId id) {
  if (auto found = menus_.find(id); found != menus_.end()) return *found->second;
  auto built = std::make_unique<Built>();
  built->model = BuildMenu(id);
  built->root.reset(built->model.is_menu_bar ? CreateMenu() : CreatePopupMenu());
  if (!built->root) throw std::runtime_error("CreateMenu failed");
  Fill(built->root.get(), built->root.get(), built->model, built->model.items);
  // Remember the hide-when-empty list submenus.
  for (const ListSlot& slot : built->model.slots) {
    if (!settings::GetListMenuDefinition(slot.list).hidden_when_empty || slot.path.empty()) continue;
    const MenuNode* node = NodeAt(built->model, slot.path);
    std::vector<int> parent_path(slot.path.begin(), slot.path.end() - 1);
    const HMENU parent = parent_path.empty() ? built->root.get() : submenus_.at(NodeAt(built->model, parent_path));
    Hideable hideable;
    hideable.parent = parent;
    hideable.position = containers_.at(parent).positions.at(static_cast<size_t>(slot.path.back()));
    hideable.submenu = submenus_.at(node);
    hideable.caption = win::Utf8ToWide(node->caption);
    hideable.image = node->image;
    hideable.model = &built->model;
    hideables_.emplace(hideable.submenu, hideable);
  }
  Built& result = *menus_.emplace(id, std::move(built)).first->second;
  // A menu made after the lists were read gets their items now.
  for (const auto& [list, file] : list_files_) FillListSlots(result, list, file);
  if (result.model.is_menu_bar) ApplyOpenTimeImages(result.root.get());
  return result;
}

void MenuSet::Fill(HMENU menu, HMENU root, const MenuModel& model, const std::vector<MenuNode>& nodes) {
  Container container;
  container.nodes = &nodes;
  int position = 0;
  for (const MenuNode& node : nodes) {
    if (node.hidden) {
      container.positions.push_back(-1);
      continue;
    }
    container.positions.push_back(position);
    if (node.kind == NodeKind::kSeparator) {
      AppendSeparator(menu, position++);
      continue;
    }
    const std::wstring caption = win::Utf8ToWide(node.caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_STATE;
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    info.fState = (node.enabled ? MFS_ENABLED : MFS_DISABLED) | (node.is_default ? MFS_DEFAULT : 0u);
    if (node.kind == NodeKind::kSubmenu) {
      HMENU submenu = CreatePopupMenu();
      if (!submenu) throw std::runtime_error("CreatePopupMenu failed");
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = submenu;
      InsertMenuItemW(menu, static_cast<UINT>(position), TRUE, &info);
      submenus_[&node] = submenu;
      Fill(submenu, root, model, node.children);
    } else {
      ItemAction action;
      action.command = node.command;
      action.key = node.key;
      action.root = root;
      action.presses_owner_button = node.presses_owner_button;
      info.fMask |= MIIM_ID;
      info.wID = actions_.Add(std::move(action));
      InsertMenuItemW(menu, static_cast<UINT>(position), TRUE, &info);
    }
    if (node.image >= 0) images_.push_back({menu, position, node.image, &model});
    ++position;
  }
  containers_[menu] = std::move(container);
}

HMENU MenuSet::Handle(MenuId id) { return Build(id).root.get(); }

HMENU MenuSet::SlotMenu(const Built& built, const ListSlot& slot) const {
  if (slot.path.empty()) return built.root.get();
  return submenus_.at(NodeAt(built.model, slot.path));
}

void MenuSet::ClearAfter(HMENU menu, int fixed) {
  for (int position = GetMenuItemCount(menu) - 1; position >= fixed; --position) {
    const UINT id = GetMenuItemID(menu, position);
    if (id != static_cast<UINT>(-1)) actions_.Remove(id);
    DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
  }
}

void MenuSet::FillLists(settings::RegisteredList list, const settings::ProfileDocument& file) {
  list_files_.insert_or_assign(list, file);
  for (auto& [id, built] : menus_) FillListSlots(*built, list, file);
}

void MenuSet::FillListSlots(Built& built, settings::RegisteredList list, const settings::ProfileDocument& file) {
  for (const ListSlot& slot : built.model.slots) {
    const settings::ListMenuDefinition& definition = settings::GetListMenuDefinition(slot.list);
    if (definition.list != list) continue;
    const HMENU menu = SlotMenu(built, slot);
    ClearAfter(menu, slot.fixed_items);
    const settings::ListMenuContents contents = settings::BuildListMenuContents(slot.list, file);
    if (auto hideable = hideables_.find(menu); hideable != hideables_.end()) {
      SetHidden(hideable->second, contents.hidden);
    }
    int position = slot.fixed_items;
    for (const settings::ListMenuItem& item : contents.items) {
      if (item.separator) {
        AppendSeparator(menu, position++);
        continue;
      }
      const std::wstring caption = win::SjisToWide(item.caption);
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_STRING | MIIM_STATE | MIIM_ID;
      info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
      info.fState = item.enabled ? MFS_ENABLED : MFS_DISABLED;
      ItemAction action;
      action.command = item.entry >= 0 ? ListCommand(definition.action) : CommandId::kNone;
      action.entry = item.entry;
      action.root = built.root.get();
      info.wID = actions_.Add(std::move(action));
      InsertMenuItemW(menu, static_cast<UINT>(position++), TRUE, &info);
    }
  }
}

void MenuSet::SetHidden(Hideable& hideable, bool hidden) {
  if (hidden == !hideable.present) return;
  if (hidden) {
    RemoveMenu(hideable.parent, static_cast<UINT>(hideable.position), MF_BYPOSITION);
    RemoveMenu(hideable.parent, static_cast<UINT>(hideable.position - 1), MF_BYPOSITION);
    hideable.present = false;
    return;
  }
  AppendSeparator(hideable.parent, hideable.position - 1);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING | MIIM_SUBMENU | MIIM_BITMAP;
  info.dwTypeData = hideable.caption.data();
  info.hSubMenu = hideable.submenu;
  info.hbmpItem = (ShowsImages(*hideable.model, images_on_) && hideable.image >= 0 && bitmap_of_)
                      ? bitmap_of_(hideable.image)
                      : nullptr;
  InsertMenuItemW(hideable.parent, static_cast<UINT>(hideable.position), TRUE, &info);
  hideable.present = true;
}

void MenuSet::SetImages(bool on, const std::function<HBITMAP(int)>& bitmap_of) {
  images_on_ = on;
  bitmap_of_ = bitmap_of;
  images_current_.clear();
  // A menu bar never opens as a popup: its pictures change now. The others
  // change when they next open, so no picture is drawn before it is seen.
  for (const auto& [id, built] : menus_) {
    if (built->model.is_menu_bar) ApplyOpenTimeImages(built->root.get());
  }
}

void MenuSet::ApplyOpenTimeImages(HMENU menu) {
  if (!images_current_.insert(menu).second) return;
  for (const ImageRecord& record : images_) {
    // A hidden user-tag submenu is past the end of its menu: the call fails
    // and the picture is set when the submenu comes back.
    if (record.menu != menu || record.position >= GetMenuItemCount(record.menu)) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = ShowsImages(*record.model, images_on_) && bitmap_of_ ? bitmap_of_(record.image) : nullptr;
    SetMenuItemInfoW(record.menu, static_cast<UINT>(record.position), TRUE, &info);
  }
}

void MenuSet::ApplyOpenTimeStates(HMENU menu, const UiState& state) const {
  const auto it = containers_.find(menu);
  if (it == containers_.end()) return;
  const Container& container = it->second;
  const std::vector<ItemState> states = OpenTimeStates(*container.nodes, state);
  for (size_t i = 0; i < states.size() && i < container.positions.size(); ++i) {
    const int position = container.positions[i];
    const MenuNode& node = (*container.nodes)[i];
    if (position < 0 || node.kind == NodeKind::kSeparator) continue;
    const UINT where = static_cast<UINT>(position);
    EnableMenuItem(menu, where, MF_BYPOSITION | (states[i].enabled ? MF_ENABLED : MF_GRAYED));
    if (node.checkable) CheckMenuItem(menu, where, MF_BYPOSITION | (states[i].checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

MenuSet::Selection MenuSet::Selected(HMENU menu, UINT item, UINT flags) const {
  const auto it = containers_.find(menu);
  if (it == containers_.end()) return {};
  const Container& container = it->second;
  for (size_t i = 0; i < container.positions.size(); ++i) {
    const int position = container.positions[i];
    if (position < 0) continue;
    const bool same = (flags & MF_POPUP) ? static_cast<UINT>(position) == item : GetMenuItemID(menu, position) == item;
    if (same) return {position, (*container.nodes)[i].hint};
  }
  return {};
}

bool MenuSet::IsChecked(const ItemAction& action, UINT id) {
  if (!action.root) return false;
  const UINT state = GetMenuState(action.root, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

}  // namespace tagsling::ui
