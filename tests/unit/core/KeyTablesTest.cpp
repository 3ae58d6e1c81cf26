// The exact key events each setting value produces.
#include "core/KeyTables.h"

#include <gtest/gtest.h>

#include "platform/sim/SimDesktop.h"

namespace tagsling::core {
namespace {

using platform::KeyEvent;

struct Row {
  std::span<const KeyCombination> (*table)();
  int value;
  const char* shown_as;
  std::vector<std::uint8_t> keys;  // down order; releases mirror it
  bool letter_scan_zero;
};

TEST(KeyTables, EveryRowSendsItsModifiersAroundItsKey) {
  const Row rows[] = {
      {CutKeys, 0, "Ctrl+X", {0x11, 0x58}, true},
      {CutKeys, 1, "Ctrl+Del", {0x11, 0x2E}, false},
      {CutKeys, 2, "Shift+Del", {0x10, 0x2E}, false},
      {CutKeys, 3, "F7", {0x76}, false},
      {CutKeys, 4, "F8", {0x77}, false},
      {CutKeys, 5, "Shift+Ctrl+Del", {0x10, 0x11, 0x2E}, false},
      {CopyKeys, 0, "Ctrl+C", {0x11, 0x43}, true},
      {CopyKeys, 1, "Ctrl+Ins", {0x11, 0x2D}, false},
      {CopyKeys, 2, "F8", {0x77}, false},
      {CopyKeys, 3, "Shift+F8", {0x10, 0x77}, false},
      {CopyKeys, 4, "Shift+Alt+Del", {0x10, 0x12, 0x2E}, false},
      {PasteKeys, 0, "Ctrl+V", {0x11, 0x56}, true},
      {PasteKeys, 1, "Shift+Ins", {0x10, 0x2D}, false},
      {PasteKeys, 2, "F9", {0x78}, false},
      {PasteKeys, 3, "Shift+F9", {0x10, 0x78}, false},
      {PasteKeys, 4, "Shift+Alt+Ins", {0x10, 0x12, 0x2D}, false},
  };
  platform::sim::SimDesktop desk;
  for (const Row& row : rows) {
    std::optional<KeyCombination> combination = FindKeyCombination(row.table(), row.value);
    ASSERT_TRUE(combination) << row.shown_as;
    EXPECT_STREQ(combination->shown_as, row.shown_as);
    std::vector<KeyEvent> expected;
    for (std::uint8_t key : row.keys) expected.push_back({key, desk.ScanCodeOf(key), false});
    for (auto it = row.keys.rbegin(); it != row.keys.rend(); ++it)
      expected.push_back({*it, desk.ScanCodeOf(*it), true});
    if (row.letter_scan_zero) {
      expected[1].scan = 0;
      expected[2].scan = 0;
    }
    EXPECT_EQ(CombinationEvents(*combination, desk), expected) << row.shown_as;
  }
  EXPECT_EQ(CutKeys().size(), 6u);
  EXPECT_EQ(CopyKeys().size(), 5u);
  EXPECT_EQ(PasteKeys().size(), 5u);
}

TEST(KeyTables, ValuesOutsideATableFindNothing) {
  for (int value : {-1, 5, 7, 1000}) EXPECT_FALSE(FindKeyCombination(PasteKeys(), value)) << value;
  EXPECT_FALSE(FindKeyCombination(CutKeys(), 6));
}

}  // namespace
}  // namespace tagsling::core
