#pragma once
// The items of the eight menus filled from the user-tag and tool lists, as
// plain data. The Win32 menu code deletes the items after the fixed ones,
// appends these, and shows or hides the submenu; each item carries its entry
// number to the command it runs.

#include <string>
#include <vector>

#include "common/SjisLiteral.h"
#include "settings/RegisteredLists.h"

namespace tagsling::settings {

// The menus built from a registered list.
enum class ListMenu {
  kMenuBarUserTag,            // menu bar "登録タグ(&U)"
  kUserTagButton,             // UserTagButtonMenu
  kTagPopupUserTag,           // TagPopup, submenu "登録タグ(&U)"
  kShortTagPopupUserTag,      // ShortTagPopup, submenu "登録タグ(&U)"
  kMenuBarTools,              // menu bar "外部ツール(&P)"
  kToolsButton,               // ToolsButtonMenu
  kTrayMenuTools,             // TrayMenu, submenu "外部ツール(&P)"
  kOuterToolHotKeyMenuTools,  // OuterToolHotKeyMenu
};

// What a click on a list item runs.
enum class ListMenuAction { kRunUserTag, kRunUserTagFromPopup, kRunExternalTool };

struct ListMenuDefinition {
  ListMenu menu;
  RegisteredList list;
  int fixed_items;         // items kept at the top (edit item, separator)
  bool hidden_when_empty;  // the submenu and the separator before it hide
  int submenu_position;    // position of the submenu in its parent, or -1
  int separator_position;  // position of the separator before it, or -1
  ListMenuAction action;
};
const ListMenuDefinition& GetListMenuDefinition(ListMenu menu);

struct ListMenuItem {
  std::string caption;
  bool separator = false;  // an entry titled "-"
  bool enabled = true;     // false only for the "(未登録)" item
  int entry = -1;          // entry number; -1 for the "(未登録)" item
};

// The items that follow the fixed ones, and the submenu's visibility.
struct ListMenuContents {
  std::vector<ListMenuItem> items;
  bool hidden = false;  // hide the submenu and the separator before it
};

// Caption of the disabled item of an empty list: "(未登録)" in Shift-JIS.
inline constexpr const char* kNotRegisteredCaption = "(未登録)"_sjis;

// The contents of a menu for the given entry titles.
ListMenuContents BuildListMenuContents(ListMenu menu, const std::vector<std::string>& titles);
// The same, with the titles read from the settings document.
ListMenuContents BuildListMenuContents(ListMenu menu, const ProfileDocument& file);

}  // namespace tagsling::settings
