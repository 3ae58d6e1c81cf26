#include "ui/model/KeySetModel.h"

#include <gtest/gtest.h>

namespace tagsling::ui {
namespace {

TEST(KeySetModelTest, ListsAreTheKeyTables) {
  ASSERT_EQ(KeySetLists().size(), 3u);
  EXPECT_EQ(KeySetLists()[0].items().size(), 6u);
  EXPECT_STREQ(KeySetLists()[0].items()[5].shown_as, "Shift+Ctrl+Del");
  EXPECT_STREQ(KeySetLists()[1].items()[1].shown_as, "Ctrl+Ins");
  EXPECT_STREQ(KeySetLists()[2].items()[0].shown_as, "Ctrl+V");
}

TEST(KeySetModelTest, ShowSelectStandardAndApply) {
  settings::AppSettings settings;
  settings.SendKey_Cut = 2;
  settings.SendKey_Copy = 4;
  settings.SendKey_Paste = 1;
  KeySetModel model(settings);
  EXPECT_EQ(model.Selection(0), 2);
  EXPECT_EQ(model.Selection(1), 4);
  EXPECT_EQ(model.Selection(2), 1);

  model.Select(0, 5);
  model.Select(1, 9);  // not an item: ignored
  model.Apply(settings);
  EXPECT_EQ(settings.SendKey_Cut, 5);
  EXPECT_EQ(settings.SendKey_Copy, 4);

  model.WindowsStandard();
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(model.Selection(i), 0);
  model.Apply(settings);
  EXPECT_EQ(settings.SendKey_Cut, 0);
  EXPECT_EQ(settings.SendKey_Copy, 0);
  EXPECT_EQ(settings.SendKey_Paste, 0);
}

// A hand-edited value outside the table shows no item and is not replaced
// by -1 when the dialog is confirmed unchanged.
TEST(KeySetModelTest, ValueOutsideTheListIsKept) {
  settings::AppSettings settings;
  settings.SendKey_Paste = 17;
  KeySetModel model(settings);
  EXPECT_EQ(model.Selection(2), -1);
  model.Apply(settings);
  EXPECT_EQ(settings.SendKey_Paste, 17);
}

}  // namespace
}  // namespace tagsling::ui
