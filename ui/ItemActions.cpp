#include "ui/ItemActions.h"

#include <stdexcept>

namespace tagsling::ui {

UINT ItemActions::Add(ItemAction action) {
  // Identifiers are reused only after the whole range went round once, and
  // then only the ones no longer in use.
  for (UINT tries = 0; tries <= kLastId - kFirstId; ++tries) {
    const UINT id = next_;
    next_ = next_ == kLastId ? kFirstId : next_ + 1;
    if (!actions_.contains(id)) {
      action.id = id;
      actions_.emplace(id, std::move(action));
      return id;
    }
  }
  throw std::length_error("too many menu items");
}

void ItemActions::AttachToolbar(UINT id, HWND toolbar) {
  const auto it = actions_.find(id);
  if (it != actions_.end()) it->second.toolbar = toolbar;
}

const ItemAction* ItemActions::Find(UINT id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : &it->second;
}

}  // namespace tagsling::ui
