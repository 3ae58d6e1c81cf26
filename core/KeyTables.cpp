#include "core/KeyTables.h"

namespace tagsling::core {

namespace {

using namespace platform::vk;

constexpr KeyCombination kCut[] = {
    {"Ctrl+X", {kControl, 0}, 1, kX},
    {"Ctrl+Del", {kControl, 0}, 1, kDelete},
    {"Shift+Del", {kShift, 0}, 1, kDelete},
    {"F7", {0, 0}, 0, kF7},
    {"F8", {0, 0}, 0, kF8},
    {"Shift+Ctrl+Del", {kShift, kControl}, 2, kDelete},
};

constexpr KeyCombination kCopy[] = {
    {"Ctrl+C", {kControl, 0}, 1, kC},  {"Ctrl+Ins", {kControl, 0}, 1, kInsert},       {"F8", {0, 0}, 0, kF8},
    {"Shift+F8", {kShift, 0}, 1, kF8}, {"Shift+Alt+Del", {kShift, kAlt}, 2, kDelete},
};

constexpr KeyCombination kPaste[] = {
    {"Ctrl+V", {kControl, 0}, 1, kV},  {"Shift+Ins", {kShift, 0}, 1, kInsert},        {"F9", {0, 0}, 0, kF9},
    {"Shift+F9", {kShift, 0}, 1, kF9}, {"Shift+Alt+Ins", {kShift, kAlt}, 2, kInsert},
};

bool IsLetter(std::uint8_t key) { return key >= 'A' && key <= 'Z'; }

}  // namespace

std::span<const KeyCombination> CutKeys() { return kCut; }
std::span<const KeyCombination> CopyKeys() { return kCopy; }
std::span<const KeyCombination> PasteKeys() { return kPaste; }

std::optional<KeyCombination> FindKeyCombination(std::span<const KeyCombination> table, int value) {
  if (value < 0 || static_cast<std::size_t>(value) >= table.size()) return std::nullopt;
  return table[static_cast<std::size_t>(value)];
}

std::vector<platform::KeyEvent> CombinationEvents(const KeyCombination& combination, platform::Keyboard& keyboard) {
  std::vector<platform::KeyEvent> events;
  for (std::uint8_t i = 0; i < combination.modifier_count; ++i) {
    const std::uint8_t m = combination.modifiers[i];
    events.push_back({m, keyboard.ScanCodeOf(m), false});
  }
  bool ctrl_letter =
      IsLetter(combination.key) && combination.modifier_count == 1 && combination.modifiers[0] == kControl;
  const std::uint8_t scan = ctrl_letter ? 0 : keyboard.ScanCodeOf(combination.key);
  events.push_back({combination.key, scan, false});
  events.push_back({combination.key, scan, true});
  for (std::uint8_t i = combination.modifier_count; i-- > 0;) {
    const std::uint8_t m = combination.modifiers[i];
    events.push_back({m, keyboard.ScanCodeOf(m), true});
  }
  return events;
}

}  // namespace tagsling::core
