// The eight list menus as one table, and the builder that turns a list's
// titles into menu items for any of them.

#include "settings/MenuItemList.h"

namespace tagsling::settings {

namespace {

const ListMenuDefinition kListMenus[] = {
    {ListMenu::kMenuBarUserTag, RegisteredList::kUserTag, 2, false, -1, -1, ListMenuAction::kRunUserTag},
    {ListMenu::kUserTagButton, RegisteredList::kUserTag, 2, false, -1, -1, ListMenuAction::kRunUserTag},
    {ListMenu::kPopup1UserTag, RegisteredList::kUserTag, 0, true, 14, 13, ListMenuAction::kRunUserTagFromPopup},
    {ListMenu::kPopup4UserTag, RegisteredList::kUserTag, 0, true, 18, 17, ListMenuAction::kRunUserTagFromPopup},
    {ListMenu::kMenuBarTools, RegisteredList::kTools, 2, false, -1, -1, ListMenuAction::kRunExternalTool},
    {ListMenu::kToolsButton, RegisteredList::kTools, 2, false, -1, -1, ListMenuAction::kRunExternalTool},
    {ListMenu::kPopup2Tools, RegisteredList::kTools, 0, false, 7, -1, ListMenuAction::kRunExternalTool},
    {ListMenu::kPopup7Tools, RegisteredList::kTools, 0, false, -1, -1, ListMenuAction::kRunExternalTool},
};

}  // namespace

const ListMenuDefinition& GetListMenuDefinition(ListMenu menu) {
  for (const ListMenuDefinition& definition : kListMenus) {
    if (definition.menu == menu) return definition;
  }
  return kListMenus[0];
}

ListMenuContents BuildListMenuContents(ListMenu menu, const std::vector<std::string>& titles) {
  ListMenuContents contents;
  if (titles.empty()) {
    if (GetListMenuDefinition(menu).hidden_when_empty) {
      contents.hidden = true;
    } else {
      contents.items.push_back({kNotRegisteredCaption, false, false, -1});
    }
    return contents;
  }
  contents.items.reserve(titles.size());
  for (std::size_t entry = 0; entry < titles.size(); ++entry) {
    contents.items.push_back({titles[entry], titles[entry] == kSeparatorTitle, true, static_cast<int>(entry)});
  }
  return contents;
}

ListMenuContents BuildListMenuContents(ListMenu menu, const ProfileDocument& file) {
  return BuildListMenuContents(menu, ReadListField(file, GetListMenuDefinition(menu).list, "Title"));
}

}  // namespace tagsling::settings
