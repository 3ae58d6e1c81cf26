#include "ui/model/MenuStates.h"

#include <gtest/gtest.h>

#include <functional>

#include "settings/MenuItemList.h"

namespace tagsling::ui {
namespace {

using settings::ListMenu;

MenuNode Item(CommandId command) {
  MenuNode node;
  node.command = command;
  return node;
}

TEST(MenuStates, OpenTimeStatesFollowTheSettingsTheyShow) {
  struct Case {
    const char* what;
    CommandId command;
    std::function<void(UiState&)> set;
    ItemState expected;
  };
  const Case cases[] = {
      {"sandwich off", CommandId::ToggleSandwich, [](UiState&) {}, {true, false}},
      {"sandwich on", CommandId::ToggleSandwich, [](UiState& s) { s.sandwichMode = true; }, {true, true}},
      {"on top", CommandId::ToggleOnTop, [](UiState& s) { s.onTop = true; }, {true, true}},
      {"on top docked",
       CommandId::ToggleOnTop,
       [](UiState& s) {
         s.onTop = true;
         s.docked = true;
       },
       {false, true}},
      {"no base folder", CommandId::ClearBaseFolder, [](UiState&) {}, {false, false}},
      {"base folder", CommandId::ClearBaseFolder, [](UiState& s) { s.baseFolderSet = true; }, {true, false}},
      {"relative on", CommandId::ToggleRelativePath, [](UiState& s) { s.relativePathInput = true; }, {true, true}},
      {"relative off", CommandId::ToggleRelativePath, [](UiState&) {}, {true, false}},
      {"window shown", CommandId::ShowMainWindow, [](UiState&) {}, {false, false}},
      {"window hidden", CommandId::ShowMainWindow, [](UiState& s) { s.mainWindowHidden = true; }, {true, false}},
      {"minimized", CommandId::ShowMainWindow, [](UiState& s) { s.appMinimized = true; }, {true, false}},
      {"other command",
       CommandId::PreviewIE,
       [](UiState& s) { s.sandwichMode = s.onTop = s.docked = true; },
       {true, false}},
  };
  for (const Case& c : cases) {
    UiState state;
    state.screenWidth = 1280;
    state.screenHeight = 1024;
    c.set(state);
    EXPECT_EQ(OpenTimeState(Item(c.command), state), c.expected) << c.what;
  }
  MenuNode note;
  note.enabled = false;
  EXPECT_FALSE(OpenTimeState(note, UiState{}).enabled);
}

TEST(MenuStates, BrowserSizesAreOfferedOnlyWhenStrictlySmallerThanTheScreen) {
  struct Case {
    int width, height;
    bool e640, e800, e1024;
  };
  const Case cases[] = {
      {640, 480, false, false, false}, {800, 600, true, false, false}, {1024, 768, true, true, false},
      {1025, 768, true, true, false},  {1025, 769, true, true, true},  {1280, 1024, true, true, true},
  };
  for (const Case& c : cases) {
    UiState state;
    state.screenWidth = c.width;
    state.screenHeight = c.height;
    const std::vector<MenuNode> items = {Item(CommandId::BrowserSize640), Item(CommandId::BrowserSize800),
                                         Item(CommandId::BrowserSize1024)};
    const std::vector<ItemState> states = OpenTimeStates(items, state);
    EXPECT_EQ(states[0].enabled, c.e640) << c.width << "x" << c.height;
    EXPECT_EQ(states[1].enabled, c.e800) << c.width << "x" << c.height;
    EXPECT_EQ(states[2].enabled, c.e1024) << c.width << "x" << c.height;
  }
  EXPECT_EQ(BrowserSizeOf(CommandId::ForegroundBrowser800)->width, 800);
  EXPECT_FALSE(BrowserSizeOf(CommandId::PreviewNN).has_value());
}

TEST(MenuStates, EveryBrowserSizeMenuDisablesWhatDoesNotFit) {
  UiState state;
  state.screenWidth = 800;
  state.screenHeight = 600;
  const MenuModel bar = BuildMenu(MenuId::MainMenu1);
  const MenuModel tray = BuildMenu(MenuId::PopupMenu2);
  const MenuModel button = BuildMenu(MenuId::PopupMenu_BWSIZE);
  const std::vector<ItemState> fromBar = OpenTimeStates(NodeAt(bar, {5, 6})->children, state);
  const std::vector<ItemState> fromTray = OpenTimeStates(NodeAt(tray, {4})->children, state);
  const std::vector<ItemState> fromButton = OpenTimeStates(button.items, state);
  EXPECT_EQ(NodeAt(tray, {4})->openHandler, "B1Click");
  EXPECT_EQ(button.openHandler, "PopupMenu_BWSIZEPopup");
  for (const auto* states : {&fromBar, &fromButton}) {
    ASSERT_EQ(states->size(), 3u);
    EXPECT_TRUE((*states)[0].enabled);
    EXPECT_FALSE((*states)[1].enabled);
    EXPECT_FALSE((*states)[2].enabled);
  }
  ASSERT_EQ(fromTray.size(), 7u);  // IE, NN, the default browser, separator, three sizes
  EXPECT_TRUE(fromTray[2].enabled);
  EXPECT_TRUE(fromTray[4].enabled);
  EXPECT_FALSE(fromTray[5].enabled);
}

TEST(MenuStates, ImagesShowOnlyUnderTheIconSwitch) {
  EXPECT_TRUE(ShowsImages(BuildMenu(MenuId::PopupMenu1), true));
  EXPECT_FALSE(ShowsImages(BuildMenu(MenuId::PopupMenu1), false));
  EXPECT_FALSE(ShowsImages(BuildMenu(MenuId::PopupMenu_Tools), true));
}

// The registered-list slots of the trees agree with the list menus that
// settings builds, so each list lands where its menu expects it.
TEST(MenuStates, ListSlotsSitWhereTheListMenusExpectThem) {
  struct Case {
    MenuId menu;
    ListMenu list;
    std::vector<int> path;
    CommandId command;
  };
  const Case cases[] = {
      {MenuId::MainMenu1, ListMenu::kMenuBarUserTag, {2}, CommandId::RunUserTag},
      {MenuId::PopupMenu_UserTag, ListMenu::kUserTagButton, {}, CommandId::RunUserTag},
      {MenuId::PopupMenu1, ListMenu::kPopup1UserTag, {14}, CommandId::RunUserTagFromPopup},
      {MenuId::PopupMenu4, ListMenu::kPopup4UserTag, {18}, CommandId::RunUserTagFromPopup},
      {MenuId::MainMenu1, ListMenu::kMenuBarTools, {4}, CommandId::RunExternalTool},
      {MenuId::PopupMenu_Tools, ListMenu::kToolsButton, {}, CommandId::RunExternalTool},
      {MenuId::PopupMenu2, ListMenu::kPopup2Tools, {7}, CommandId::RunExternalTool},
      {MenuId::PopupMenu7, ListMenu::kPopup7Tools, {}, CommandId::RunExternalTool},
  };
  int found = 0;
  for (const Case& c : cases) {
    const MenuModel menu = BuildMenu(c.menu);
    const settings::ListMenuDefinition& def = settings::GetListMenuDefinition(c.list);
    for (const ListSlot& slot : menu.slots) {
      if (slot.list != c.list) continue;
      ++found;
      SCOPED_TRACE(menu.name);
      EXPECT_EQ(slot.path, c.path);
      EXPECT_EQ(slot.fixedItems, def.fixed_items);
      if (def.hidden_when_empty) {
        ASSERT_EQ(c.path.size(), 1u);
        EXPECT_EQ(c.path[0], def.submenu_position);
        EXPECT_EQ(menu.items[def.separator_position].kind, NodeKind::Separator);
      }
      const bool userTag = c.command != CommandId::RunExternalTool;
      EXPECT_EQ(def.list == settings::RegisteredList::kUserTag, userTag);
      EXPECT_EQ(def.action == settings::ListMenuAction::kRunUserTagFromPopup,
                c.command == CommandId::RunUserTagFromPopup);
    }
  }
  EXPECT_EQ(found, 8);
}

}  // namespace
}  // namespace tagsling::ui
