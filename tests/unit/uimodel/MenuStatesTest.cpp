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
      {"sandwich off", CommandId::kToggleSandwich, [](UiState&) {}, {true, false}},
      {"sandwich on", CommandId::kToggleSandwich, [](UiState& s) { s.sandwich_mode = true; }, {true, true}},
      {"on top", CommandId::kToggleOnTop, [](UiState& s) { s.on_top = true; }, {true, true}},
      {"on top docked",
       CommandId::kToggleOnTop,
       [](UiState& s) {
         s.on_top = true;
         s.docked = true;
       },
       {false, true}},
      {"no base folder", CommandId::kClearBaseFolder, [](UiState&) {}, {false, false}},
      {"base folder", CommandId::kClearBaseFolder, [](UiState& s) { s.base_folder_set = true; }, {true, false}},
      {"relative on", CommandId::kToggleRelativePath, [](UiState& s) { s.relative_path_input = true; }, {true, true}},
      {"relative off", CommandId::kToggleRelativePath, [](UiState&) {}, {true, false}},
      {"window shown", CommandId::kShowMainWindow, [](UiState&) {}, {false, false}},
      {"window hidden", CommandId::kShowMainWindow, [](UiState& s) { s.main_window_hidden = true; }, {true, false}},
      {"minimized", CommandId::kShowMainWindow, [](UiState& s) { s.app_minimized = true; }, {true, false}},
      {"other command",
       CommandId::kPreviewIE,
       [](UiState& s) { s.sandwich_mode = s.on_top = s.docked = true; },
       {true, false}},
  };
  for (const Case& c : cases) {
    UiState state;
    state.screen_width = 1280;
    state.screen_height = 1024;
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
    state.screen_width = c.width;
    state.screen_height = c.height;
    const std::vector<MenuNode> items = {Item(CommandId::kBrowserSize640), Item(CommandId::kBrowserSize800),
                                         Item(CommandId::kBrowserSize1024)};
    const std::vector<ItemState> states = OpenTimeStates(items, state);
    EXPECT_EQ(states[0].enabled, c.e640) << c.width << "x" << c.height;
    EXPECT_EQ(states[1].enabled, c.e800) << c.width << "x" << c.height;
    EXPECT_EQ(states[2].enabled, c.e1024) << c.width << "x" << c.height;
  }
  EXPECT_EQ(BrowserSizeOf(CommandId::kForegroundBrowser800)->width, 800);
  EXPECT_FALSE(BrowserSizeOf(CommandId::kPreviewNN).has_value());
}

TEST(MenuStates, EveryBrowserSizeMenuDisablesWhatDoesNotFit) {
  UiState state;
  state.screen_width = 800;
  state.screen_height = 600;
  const MenuModel bar = BuildMenu(MenuId::kMainMenu);
  const MenuModel tray = BuildMenu(MenuId::kTrayMenu);
  const MenuModel button = BuildMenu(MenuId::kBrowserSizes);
  const std::vector<ItemState> from_bar = OpenTimeStates(NodeAt(bar, {5, 8})->children, state);
  const std::vector<ItemState> from_tray = OpenTimeStates(NodeAt(tray, {4})->children, state);
  const std::vector<ItemState> from_button = OpenTimeStates(button.items, state);
  EXPECT_EQ(NodeAt(tray, {4})->open_handler, "B1Click");
  EXPECT_EQ(button.open_handler, "PopupMenu_BWSIZEPopup");
  for (const auto* states : {&from_bar, &from_button}) {
    ASSERT_EQ(states->size(), 3u);
    EXPECT_TRUE((*states)[0].enabled);
    EXPECT_FALSE((*states)[1].enabled);
    EXPECT_FALSE((*states)[2].enabled);
  }
  // IE, NN, the default browser, the live preview and its stop, separator, three sizes
  ASSERT_EQ(from_tray.size(), 9u);
  EXPECT_TRUE(from_tray[2].enabled);
  EXPECT_TRUE(from_tray[6].enabled);
  EXPECT_FALSE(from_tray[7].enabled);
}

TEST(MenuStates, LivePreviewIsCheckedAndStoppableOnlyWhileItRuns) {
  MenuNode start;
  start.command = CommandId::kLivePreview;
  start.checkable = true;
  MenuNode stop;
  stop.command = CommandId::kStopLivePreview;
  for (bool running : {false, true}) {
    UiState state;
    state.live_preview_running = running;
    EXPECT_EQ(OpenTimeState(start, state), (ItemState{true, running}));
    EXPECT_EQ(OpenTimeState(stop, state), (ItemState{running, false}));
  }
}

TEST(MenuStates, ImagesShowOnlyUnderTheIconSwitch) {
  EXPECT_TRUE(ShowsImages(BuildMenu(MenuId::kTagPopup), true));
  EXPECT_FALSE(ShowsImages(BuildMenu(MenuId::kTagPopup), false));
  EXPECT_FALSE(ShowsImages(BuildMenu(MenuId::kToolsButtonMenu), true));
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
      {MenuId::kMainMenu, ListMenu::kMenuBarUserTag, {2}, CommandId::kRunUserTag},
      {MenuId::kUserTagButtonMenu, ListMenu::kUserTagButton, {}, CommandId::kRunUserTag},
      {MenuId::kTagPopup, ListMenu::kTagPopupUserTag, {14}, CommandId::kRunUserTagFromPopup},
      {MenuId::kShortTagPopup, ListMenu::kShortTagPopupUserTag, {18}, CommandId::kRunUserTagFromPopup},
      {MenuId::kMainMenu, ListMenu::kMenuBarTools, {4}, CommandId::kRunExternalTool},
      {MenuId::kToolsButtonMenu, ListMenu::kToolsButton, {}, CommandId::kRunExternalTool},
      {MenuId::kTrayMenu, ListMenu::kTrayMenuTools, {7}, CommandId::kRunExternalTool},
      {MenuId::kOuterToolHotKeyMenu, ListMenu::kOuterToolHotKeyMenuTools, {}, CommandId::kRunExternalTool},
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
      EXPECT_EQ(slot.fixed_items, def.fixed_items);
      if (def.hidden_when_empty) {
        ASSERT_EQ(c.path.size(), 1u);
        EXPECT_EQ(c.path[0], def.submenu_position);
        EXPECT_EQ(menu.items[def.separator_position].kind, NodeKind::kSeparator);
      }
      const bool user_tag = c.command != CommandId::kRunExternalTool;
      EXPECT_EQ(def.list == settings::RegisteredList::kUserTag, user_tag);
      EXPECT_EQ(def.action == settings::ListMenuAction::kRunUserTagFromPopup,
                c.command == CommandId::kRunUserTagFromPopup);
    }
  }
  EXPECT_EQ(found, 8);
}

}  // namespace
}  // namespace tagsling::ui
