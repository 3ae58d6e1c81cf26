// Builds a nested MenuModel from an outline of rows. The rows are first
// flattened (fragments inserted, depths made absolute), then nested with a
// stack of open containers: a row of depth d belongs to the last submenu seen
// at depth d - 1. Cost is linear in the number of rows.

#include "ui/model/MenuModel.h"

#include <stdexcept>

#include "core/Templates.h"
#include "ui/model/ObsoleteHints.h"

namespace tagsling::ui {
namespace {

struct FlatRow {
  int depth;
  const MenuRow* row;
};

void Flatten(std::span<const MenuRow> rows, int base_depth, std::vector<FlatRow>& out) {
  for (const MenuRow& row : rows) {
    const int depth = base_depth + row.depth;
    if (row.kind == RowKind::kInsert) {
      Flatten(Rows(row.insert), depth, out);
    } else {
      out.push_back({depth, &row});
    }
  }
}

std::string_view Override(std::span<const CaptionOverride> overrides, std::string_view caption) {
  for (const CaptionOverride& o : overrides) {
    if (o.from == caption) return o.to;
  }
  return caption;
}

std::string_view Spelling(std::span<const NameOverride> overrides, std::string_view key) {
  for (const NameOverride& o : overrides) {
    if (o.key == key) return o.spelling;
  }
  return key;
}

MenuNode MakeNode(const MenuDefinition& def, const MenuRow& row) {
  MenuNode node;
  const std::string_view caption = Override(def.captions, row.caption);
  node.caption = def.strip_accelerators ? StripAccelerators(caption) : std::string(caption);
  node.image = row.image;
  node.checkable = (row.flags & kCheckable) != 0;
  node.hidden = (row.flags & kHidden) != 0;
  node.presses_owner_button = (row.flags & kPressesOwnerButton) != 0;
  switch (row.kind) {
    case RowKind::kTag:
      node.command = def.tag_command;
      if (row.key_source == KeySource::kItemName) {
        node.name = std::string(def.item_prefix) + std::string(Spelling(def.names, row.key));
        node.key = def.item_prefix.empty() ? node.name : core::KeyFromPopupItemName(node.name, def.item_prefix);
      } else {
        node.key = row.key;
      }
      break;
    case RowKind::kCommand:
      node.command = row.command;
      node.is_default = def.default_item != CommandId::kNone && row.command == def.default_item;
      break;
    case RowKind::kSubmenu:
      node.kind = NodeKind::kSubmenu;
      node.open_handler = row.open_handler;
      break;
    case RowKind::kSeparator:
      node.kind = NodeKind::kSeparator;
      break;
    case RowKind::kNote:
      node.enabled = false;
      break;
    case RowKind::kInsert:
    case RowKind::kListSlot:
      break;
  }
  return node;
}

// Whether every tag item under `node` is obsolete (and there is one).
bool AllTagsObsolete(const MenuNode& node, bool& any) {
  for (const MenuNode& child : node.children) {
    if (child.kind == NodeKind::kSubmenu && !AllTagsObsolete(child, any)) return false;
    if (child.kind != NodeKind::kItem || child.key.empty()) continue;
    if (!IsObsoleteInHtml5(child.key)) return false;
    any = true;
  }
  return true;
}

void AddObsoleteHints(std::vector<MenuNode>& nodes) {
  for (MenuNode& node : nodes) {
    AddObsoleteHints(node.children);
    bool any = false;
    const bool obsolete = node.kind == NodeKind::kSubmenu ? AllTagsObsolete(node, any) && any
                                                          : !node.key.empty() && IsObsoleteInHtml5(node.key);
    if (obsolete) node.hint = StripAccelerators(node.caption) + std::string(kObsoleteHintSuffix);
  }
}

[[noreturn]] void Malformed(const MenuDefinition& def, const char* what) {
  throw std::logic_error(std::string(def.name) + ": " + what);
}

}  // namespace

MenuModel BuildMenu(MenuId id) {
  const MenuDefinition& def = FindMenuDefinition(id);
  MenuModel model;
  model.id = def.id;
  model.name = def.name;
  model.is_menu_bar = def.is_menu_bar;
  model.icon_switch = def.icon_switch;
  model.open_handler = def.open_handler;

  std::vector<FlatRow> flat;
  Flatten(Rows(def.id), 0, flat);

  // open[d] is the container receiving rows of depth d; path[d] the position
  // of that container's submenu in its parent.
  std::vector<std::vector<MenuNode>*> open{&model.items};
  std::vector<int> path;
  std::vector<bool> closed{false};  // a list slot ends its container
  for (const FlatRow& f : flat) {
    if (f.depth >= static_cast<int>(open.size())) Malformed(def, "row deeper than its parent");
    open.resize(f.depth + 1);
    path.resize(f.depth);
    closed.resize(f.depth + 1);
    if (closed[f.depth]) Malformed(def, "item after a list slot");
    std::vector<MenuNode>& container = *open[f.depth];
    if (f.row->kind == RowKind::kListSlot) {
      model.slots.push_back({f.row->list, path, static_cast<int>(container.size())});
      closed[f.depth] = true;
      continue;
    }
    container.push_back(MakeNode(def, *f.row));
    if (container.back().kind == NodeKind::kSubmenu) {
      path.push_back(static_cast<int>(container.size()) - 1);
      open.push_back(&container.back().children);
      closed.push_back(false);
    }
  }
  AddObsoleteHints(model.items);
  return model;
}

const MenuNode* NodeAt(const MenuModel& menu, const std::vector<int>& path) {
  const std::vector<MenuNode>* level = &menu.items;
  const MenuNode* node = nullptr;
  for (int position : path) {
    if (position < 0 || position >= static_cast<int>(level->size())) return nullptr;
    node = &(*level)[position];
    level = &node->children;
  }
  return node;
}

std::string StripAccelerators(std::string_view caption) {
  std::string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

}  // namespace tagsling::ui
