#include "settings/MenuItemList.h"

#include <gtest/gtest.h>

namespace tagsling::settings {
namespace {

const ListMenu kAllMenus[] = {ListMenu::kMenuBarUserTag,  ListMenu::kUserTagButton,
                              ListMenu::kTagPopupUserTag, ListMenu::kShortTagPopupUserTag,
                              ListMenu::kMenuBarTools,    ListMenu::kToolsButton,
                              ListMenu::kTrayMenuTools,   ListMenu::kOuterToolHotKeyMenuTools};

TEST(MenuItemListTest, EmptyListHidesOrShowsNotRegistered) {
  for (ListMenu menu : kAllMenus) {
    ListMenuContents contents = BuildListMenuContents(menu, std::vector<std::string>{});
    bool hides = menu == ListMenu::kTagPopupUserTag || menu == ListMenu::kShortTagPopupUserTag;
    EXPECT_EQ(contents.hidden, hides);
    if (hides) {
      EXPECT_TRUE(contents.items.empty());
    } else {
      ASSERT_EQ(contents.items.size(), 1u);
      EXPECT_EQ(contents.items[0].caption, "(\x96\xa2\x93\x6f\x98\x5e)");
      EXPECT_FALSE(contents.items[0].enabled);
      EXPECT_FALSE(contents.items[0].separator);
      EXPECT_EQ(contents.items[0].entry, -1);
    }
  }
}

TEST(MenuItemListTest, StaleTitlesBeyondItemCountShowNothing) {
  ProfileDocument file = ProfileDocument::FromText("[UserTag]\nItemCount=0\nTitle0=stale\n");
  EXPECT_TRUE(BuildListMenuContents(ListMenu::kTagPopupUserTag, file).hidden);
  EXPECT_EQ(BuildListMenuContents(ListMenu::kMenuBarUserTag, file).items[0].caption, kNotRegisteredCaption);
}

TEST(MenuItemListTest, ItemsFollowTheEntries) {
  ProfileDocument file = ProfileDocument::FromText("[Tools]\nItemCount=3\nTitle0=Tidy\nTitle1=-\nTitle2=- \n");
  for (ListMenu menu : {ListMenu::kMenuBarTools, ListMenu::kOuterToolHotKeyMenuTools}) {
    ListMenuContents contents = BuildListMenuContents(menu, file);
    EXPECT_FALSE(contents.hidden);
    ASSERT_EQ(contents.items.size(), 3u);
    for (int entry = 0; entry < 3; ++entry) {
      EXPECT_EQ(contents.items[entry].entry, entry);
      EXPECT_TRUE(contents.items[entry].enabled);
      EXPECT_EQ(contents.items[entry].separator, entry != 0) << "\"- \" reads as \"-\": blanks are trimmed";
    }
  }
}

}  // namespace
}  // namespace tagsling::settings
