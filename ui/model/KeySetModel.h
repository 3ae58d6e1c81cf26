#pragma once
// The virtual-key dialog (TKeySetForm): three drop-down lists choosing the
// keystrokes sent for cut, copy and paste. The items are the key tables of
// the insertion engine (core/KeyTables.h), index = setting value.
//
// OK writes the three indexes into the settings record at once, so the
// choice stands even when the options dialog that opened it is cancelled.
// A stored value outside its table shows no selection and is kept as it was
// unless the user picks an item.

#include <array>
#include <span>
#include <string_view>

#include "core/KeyTables.h"
#include "settings/AppSettings.h"

namespace tagsling::ui {

inline constexpr std::string_view kKeySetCaption = "仮想キーの設定";
inline constexpr std::string_view kKeySetGroup = "仮想キー";
inline constexpr std::string_view kKeySetStandardButton = "Windows標準";

struct KeySetList {
  std::string_view label;               // "切り取り:", ...
  int settings::AppSettings::*setting;  // SendKey_Cut, ...
  std::span<const core::KeyCombination> (*items)();
};

// Cut, copy and paste, in the dialog's order.
std::span<const KeySetList> KeySetLists();

class KeySetModel {
 public:
  // Showing: each list takes the index of its setting.
  explicit KeySetModel(const settings::AppSettings& settings);

  // The selection of list `list` (0 cut, 1 copy, 2 paste); -1 when the
  // stored value lies outside the list.
  int Selection(std::size_t list) const;
  void Select(std::size_t list, int index);
  // "Windows標準": item 0 in all three lists.
  void WindowsStandard();
  // OK: writes the three selections (lists without one keep their value).
  void Apply(settings::AppSettings& settings) const;

 private:
  std::array<int, 3> values_;
};

}  // namespace tagsling::ui
