#pragma once
// Test helpers: walking a built menu.

#include <functional>
#include <string>
#include <vector>

#include "ui/model/MenuModel.h"

namespace tagsling::ui::test {

inline void ForEachNode(const std::vector<MenuNode>& items, const std::function<void(const MenuNode&)>& visit) {
  for (const MenuNode& node : items) {
    visit(node);
    ForEachNode(node.children, visit);
  }
}

// The keys of every tag item, in menu order.
inline std::vector<std::string> TagKeys(const std::vector<MenuNode>& items) {
  std::vector<std::string> keys;
  ForEachNode(items, [&](const MenuNode& node) {
    if (!node.key.empty()) keys.push_back(node.key);
  });
  return keys;
}

inline std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

}  // namespace tagsling::ui::test
