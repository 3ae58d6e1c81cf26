#pragma once
// The keystrokes that stand for an editor's cut, copy and paste, as data.
// The setting SendKey_Cut, SendKey_Copy or SendKey_Paste is an index into
// its table; the order of each table is also the order of the entries in
// the virtual-key dialog.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/Keyboard.h"

namespace tagsling::core {

struct KeyCombination {
  const char* shown_as;       // the dialog's text, e.g. "Ctrl+X"
  std::uint8_t modifiers[2];  // pressed in this order, released in reverse
  std::uint8_t modifier_count;
  std::uint8_t key;
};

std::span<const KeyCombination> CutKeys();
std::span<const KeyCombination> CopyKeys();
std::span<const KeyCombination> PasteKeys();

// The row for a setting value; nullopt outside the table (nothing is sent).
std::optional<KeyCombination> FindKeyCombination(std::span<const KeyCombination> table, int value);

// The key events of one combination: modifiers down, key down, key up,
// modifiers up in reverse order. Every event carries the key's scan code
// except the letter of a Ctrl+letter combination, which is sent with 0
// (that is how the editors we target expect it).
std::vector<platform::KeyEvent> CombinationEvents(const KeyCombination& combination, platform::Keyboard& keyboard);

}  // namespace tagsling::core
