#include "ui/model/MenuModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <utility>

#include "core/TemplateKeys.h"
#include "core/Templates.h"
#include "tests/unit/support/MenuWalk.h"
#include "ui/model/PalettePages.h"

namespace tagsling::ui {
namespace {

using test::ForEachNode;
using test::Lower;
using test::TagKeys;

std::set<std::string> LowerCatalogue() {
  std::set<std::string> keys;
  for (const core::TemplateKey& k : core::TemplateKeys()) keys.insert(Lower(std::string(k.name)));
  return keys;
}

std::set<std::string> LowerKeys(const std::vector<MenuNode>& items) {
  std::set<std::string> keys;
  for (const std::string& k : TagKeys(items)) keys.insert(Lower(k));
  return keys;
}

const MenuNode& MenuBarTagMenu(const MenuModel& bar) {
  const MenuNode* tags = NodeAt(bar, {1});
  EXPECT_NE(tags, nullptr);
  EXPECT_EQ(tags->caption, "タグ(&T)");
  return *tags;
}

TEST(MenuModel, EveryMenuBuildsAndEveryTagKeyIsInTheCatalogue) {
  for (const MenuDefinition& def : AllMenuDefinitions()) {
    SCOPED_TRACE(std::string(def.name));
    MenuModel menu;
    ASSERT_NO_THROW(menu = BuildMenu(def.id));
    EXPECT_EQ(menu.name, def.name);
    EXPECT_TRUE(!menu.items.empty() || !menu.slots.empty());
    ForEachNode(menu.items, [&](const MenuNode& node) {
      if (node.kind != NodeKind::kSeparator) {
        EXPECT_FALSE(node.caption.empty());
      }
      if (node.kind == NodeKind::kItem && node.enabled) {
        EXPECT_NE(node.command, CommandId::kNone);
      }
      if (!node.key.empty()) {
        EXPECT_NE(core::FindTemplateKey(node.key), nullptr) << node.key;
      }
      EXPECT_GE(node.image, -1);
      EXPECT_LT(node.image, kToolImageCount) << node.caption;
    });
  }
}

// A menu is keyed by the table of its rows: two menus on one table would
// make the second unreachable.
TEST(MenuModel, EveryMenuIsFoundByItsOwnTable) {
  std::set<MenuId> seen;
  for (const MenuDefinition& def : AllMenuDefinitions()) {
    SCOPED_TRACE(std::string(def.name));
    EXPECT_TRUE(seen.insert(def.id).second);
    EXPECT_EQ(&FindMenuDefinition(def.id), &def);
    EXPECT_FALSE(Rows(def.id).empty());
  }
}

TEST(MenuModel, EveryCatalogueKeyIsReachableFromTheMenuBarAndFromTagPopup) {
  ASSERT_EQ(core::TemplateKeys().size(), core::kTemplateKeyCount);
  const std::set<std::string> catalogue = LowerCatalogue();
  const MenuModel bar = BuildMenu(MenuId::kMainMenu);
  EXPECT_EQ(LowerKeys(MenuBarTagMenu(bar).children), catalogue);
  EXPECT_EQ(LowerKeys(BuildMenu(MenuId::kTagPopup).items), catalogue);
}

// Walks the menu bar's tag tree and TagPopup side by side: the same tree
// apart from the item names, the popup form and the one caption.
void ExpectMirrors(const std::vector<MenuNode>& bar, const std::vector<MenuNode>& popup) {
  ASSERT_EQ(bar.size(), popup.size());
  for (std::size_t i = 0; i < bar.size(); ++i) {
    const MenuNode& b = bar[i];
    const MenuNode& p = popup[i];
    SCOPED_TRACE(b.caption);
    EXPECT_EQ(b.kind, p.kind);
    EXPECT_EQ(b.image, p.image);
    EXPECT_EQ(b.enabled, p.enabled);
    EXPECT_EQ(Lower(b.key), Lower(p.key));
    if (b.caption == "意味(&M) <DD>") {
      EXPECT_EQ(p.caption, "意味(&E) <DD>");
    } else {
      EXPECT_EQ(b.caption, p.caption);
    }
    if (!b.key.empty()) {
      EXPECT_EQ(b.command, CommandId::kRunTagCommand);
      EXPECT_EQ(p.command, CommandId::kRunTagCommandFromPopup);
      EXPECT_EQ(b.name.empty(), p.name.empty());
      if (!b.name.empty()) {
        EXPECT_EQ(b.name, b.key);
        EXPECT_EQ(Lower(p.name), Lower("PM1_" + b.key));
      }
    }
    ExpectMirrors(b.children, p.children);
  }
}

TEST(MenuModel, TagPopupRepeatsTheTagTreeWithItsThreeDifferences) {
  const MenuModel bar = BuildMenu(MenuId::kMainMenu);
  const MenuModel popup = BuildMenu(MenuId::kTagPopup);
  const std::vector<MenuNode>& tree = MenuBarTagMenu(bar).children;
  ASSERT_EQ(popup.items.size(), tree.size() + 2);
  ExpectMirrors(tree, std::vector<MenuNode>(popup.items.begin(), popup.items.begin() + tree.size()));
  EXPECT_EQ(popup.items[13].kind, NodeKind::kSeparator);
  EXPECT_EQ(popup.items[14].caption, "登録タグ(&U)");
  EXPECT_EQ(popup.items[14].image, 73);
  EXPECT_EQ(popup.items[14].kind, NodeKind::kSubmenu);
}

TEST(MenuModel, PopupItemsRunTheirNameWithEveryPrefixDeleted) {
  for (MenuId id : {MenuId::kTagPopup, MenuId::kShortTagPopup}) {
    const MenuModel menu = BuildMenu(id);
    const std::string prefix = id == MenuId::kTagPopup ? "PM1_" : "PM4_";
    int named = 0;
    ForEachNode(menu.items, [&](const MenuNode& node) {
      if (node.name.empty()) return;
      ++named;
      EXPECT_EQ(node.name.rfind(prefix, 0), 0u) << node.name;
      EXPECT_EQ(node.key, node.name.substr(prefix.size()));
      EXPECT_EQ(node.command, CommandId::kRunTagCommandFromPopup);
    });
    EXPECT_GT(named, 20);
  }
  EXPECT_EQ(core::KeyFromPopupItemName("PM1_PM1_Moji_B", "PM1_"), "Moji_B");
}

TEST(MenuModel, TagPopupSpellsTwoKeysInAnotherCase) {
  const MenuModel popup = BuildMenu(MenuId::kTagPopup);
  std::set<std::string> names;
  ForEachNode(popup.items, [&](const MenuNode& node) {
    if (!node.name.empty()) names.insert(node.name + "=" + node.key);
  });
  EXPECT_TRUE(names.count("PM1_Etc_hidden_hidden=Etc_hidden_hidden"));
  EXPECT_TRUE(names.count("PM1_Etc_Form_Method_get=Etc_Form_Method_get"));
  EXPECT_TRUE(names.count("PM1_Kihon_Doc=Kihon_Doc"));
  EXPECT_FALSE(names.count("PM1_Etc_Hidden_Hidden=Etc_Hidden_Hidden"));
}

TEST(MenuModel, SharedAlignmentItemsRunFixedKeysAndHaveNoName) {
  const MenuModel bar = BuildMenu(MenuId::kMainMenu);
  int shared = 0;
  ForEachNode(bar.items, [&](const MenuNode& node) {
    if (node.key.rfind("OP_", 0) == 0 || node.key.rfind("Etc_Textarea_Wrap", 0) == 0) {
      ++shared;
      EXPECT_TRUE(node.name.empty()) << node.caption;
    }
  });
  // ALIGN-3 under P, Hn, HR, TABLE, TR, TD, TH; VALIGN-3 under TR, TD, TH;
  // two IMG wrap items; three WRAP items.
  EXPECT_EQ(shared, 7 * 3 + 3 * 3 + 2 + 3);
}

TEST(MenuModel, ShortTagPopupListsItsShortTree) {
  const MenuModel menu = BuildMenu(MenuId::kShortTagPopup);
  ASSERT_EQ(menu.items.size(), 19u);
  EXPECT_EQ(menu.items[0].name, "PM4_P_Br");
  EXPECT_EQ(menu.items[11].caption, "URL <&A HREF=\"\">");
  EXPECT_EQ(menu.items[11].key, "Link_AHref_AHref");
  EXPECT_EQ(menu.items[16].caption, "HTML5(&5)");
  EXPECT_EQ(menu.items[17].kind, NodeKind::kSeparator);
  EXPECT_EQ(menu.items[18].caption, "登録タグ(&U)");
  EXPECT_EQ(TagKeys(menu.items).size(), 30u + 66u);
}

// The one "HTML5(&5)" submenu of the menu bar's tag menu, TagPopup and the
// caret menu ShortTagPopup.
const MenuNode& Html5Menu(const std::vector<MenuNode>& items) {
  const MenuNode* found = nullptr;
  for (const MenuNode& node : items) {
    if (node.caption == "HTML5(&5)") found = &node;
  }
  EXPECT_NE(found, nullptr);
  static const MenuNode kNone;
  return found ? *found : kNone;
}

// Walks two HTML5 submenus side by side: the same items, the keys in the
// forms of their menus.
void ExpectSameHtml5Items(const std::vector<MenuNode>& a, const std::vector<MenuNode>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    SCOPED_TRACE(a[i].caption);
    EXPECT_EQ(a[i].caption, b[i].caption);
    EXPECT_EQ(a[i].kind, b[i].kind);
    EXPECT_EQ(a[i].image, b[i].image);
    EXPECT_EQ(a[i].key, b[i].key);
    ExpectSameHtml5Items(a[i].children, b[i].children);
  }
}

TEST(MenuModel, Html5SubmenuListsEveryHtml5KeyInTheThreeTagMenus) {
  const MenuModel bar = BuildMenu(MenuId::kMainMenu);
  const MenuModel popup1 = BuildMenu(MenuId::kTagPopup);
  const MenuModel popup4 = BuildMenu(MenuId::kShortTagPopup);
  const MenuNode& in_bar = Html5Menu(MenuBarTagMenu(bar).children);
  ASSERT_EQ(in_bar.kind, NodeKind::kSubmenu);
  EXPECT_EQ(in_bar.image, 88);
  // After "フレーム(&R)", as the palette page follows "フレーム".
  EXPECT_EQ(&in_bar - &MenuBarTagMenu(bar).children.front(), 12);
  ExpectSameHtml5Items(in_bar.children, Html5Menu(popup1.items).children);
  ExpectSameHtml5Items(in_bar.children, Html5Menu(popup4.items).children);

  std::vector<std::string> catalogue;
  for (const core::TemplateKey& key : core::TemplateKeys()) {
    if (key.category == core::KeyCategory::kHtml5) catalogue.emplace_back(key.name);
  }
  std::vector<std::string> keys = TagKeys(in_bar.children);
  std::sort(keys.begin(), keys.end());
  std::sort(catalogue.begin(), catalogue.end());
  EXPECT_EQ(keys, catalogue);

  // The input types have a submenu of their own.
  const MenuNode* inputs = nullptr;
  for (const MenuNode& node : in_bar.children) {
    if (node.caption == "入力欄(&I)") inputs = &node;
  }
  ASSERT_NE(inputs, nullptr);
  std::set<std::string> input_keys;
  for (const std::string& key : TagKeys(inputs->children)) input_keys.insert(key);
  for (const std::string& key : catalogue) {
    EXPECT_EQ(input_keys.count(key) > 0, key.rfind("H5_Input", 0) == 0 || key == "H5_Datalist" ||
                                             key == "H5_Progress" || key == "H5_Meter" || key == "H5_Output" ||
                                             key == "H5_Button" || key == "H5_Label" || key == "H5_Fieldset")
        << key;
  }

  // Each item inserts with its menu's form of the tag command; popup items
  // are named after their key.
  const std::pair<const MenuNode*, CommandId> forms[] = {
      {&in_bar, CommandId::kRunTagCommand},
      {&Html5Menu(popup1.items), CommandId::kRunTagCommandFromPopup},
      {&Html5Menu(popup4.items), CommandId::kRunTagCommandFromPopup},
  };
  for (const auto& [menu, command] : forms) {
    ForEachNode(menu->children, [&](const MenuNode& node) {
      if (node.key.empty()) return;
      EXPECT_EQ(node.command, command) << node.caption;
      if (command == CommandId::kRunTagCommandFromPopup) {
        EXPECT_TRUE(node.name == "PM1_" + node.key || node.name == "PM4_" + node.key) << node.name;
      }
    });
  }
}

// Within one (sub)menu of the HTML5 items no two entries share an
// accelerator, so every item is one key press away.
TEST(MenuModel, Html5ItemsHaveDistinctAccelerators) {
  const MenuModel bar = BuildMenu(MenuId::kMainMenu);
  std::function<void(const MenuNode&)> check = [&](const MenuNode& menu) {
    std::set<char> seen;
    for (const MenuNode& node : menu.children) {
      if (node.kind == NodeKind::kSeparator) continue;
      const std::size_t amp = node.caption.find('&');
      ASSERT_NE(amp, std::string::npos) << node.caption;
      ASSERT_LT(amp + 1, node.caption.size());
      char c = node.caption[amp + 1];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      EXPECT_TRUE(seen.insert(c).second) << menu.caption << ": " << node.caption;
      if (node.kind == NodeKind::kSubmenu) check(node);
    }
  };
  check(Html5Menu(MenuBarTagMenu(bar).children));
}

TEST(MenuModel, NodeAtFollowsPositions) {
  const MenuModel bar = BuildMenu(MenuId::kMainMenu);
  ASSERT_NE(NodeAt(bar, {5, 8}), nullptr);
  EXPECT_EQ(NodeAt(bar, {5, 4})->caption, "既定のブラウザで表示(&D)");
  EXPECT_EQ(NodeAt(bar, {5, 8})->caption, "ブラウザのサイズ変更(&B)");
  EXPECT_EQ(NodeAt(bar, {5, 8})->open_handler, "N129Click");
  EXPECT_EQ(NodeAt(bar, {5, 99}), nullptr);
  EXPECT_EQ(NodeAt(bar, {-1}), nullptr);
  EXPECT_EQ(NodeAt(bar, {}), nullptr);
}

// The captions of the submenus leading to each item of `command`, joined by
// " > ", with the item's own caption last.
std::vector<std::string> PathsTo(const std::vector<MenuNode>& items, CommandId command, const std::string& above = "") {
  std::vector<std::string> paths;
  for (const MenuNode& node : items) {
    const std::string here = above.empty() ? node.caption : above + " > " + node.caption;
    if (node.command == command) paths.push_back(here);
    for (const std::string& path : PathsTo(node.children, command, here)) paths.push_back(path);
  }
  return paths;
}

TEST(MenuModel, DefaultBrowserPreviewFollowsTheTwoBrowserItems) {
  EXPECT_EQ(PathsTo(BuildMenu(MenuId::kMainMenu).items, CommandId::kPreviewDefaultBrowser),
            (std::vector<std::string>{"ウィンドウ(&W) > 既定のブラウザで表示(&D)"}));
  EXPECT_EQ(PathsTo(BuildMenu(MenuId::kTrayMenu).items, CommandId::kPreviewDefaultBrowser),
            (std::vector<std::string>{"ブラウザ表示/サイズ(&B) > 既定のブラウザで表示(&D)"}));
  const MenuModel bar = BuildMenu(MenuId::kMainMenu);
  const MenuNode* window_menu = NodeAt(bar, {5});
  ASSERT_NE(window_menu, nullptr);
  EXPECT_EQ(window_menu->children[3].command, CommandId::kPreviewNN);
  EXPECT_EQ(window_menu->children[4].command, CommandId::kPreviewDefaultBrowser);
  EXPECT_EQ(window_menu->children[4].image, 103);
}

// The accelerator letters of one menu level, upper case; separators and
// notes have none.
std::vector<char> Accelerators(const std::vector<MenuNode>& items) {
  std::vector<char> letters;
  for (const MenuNode& node : items) {
    const std::size_t amp = node.caption.find('&');
    if (node.kind == NodeKind::kSeparator || amp == std::string::npos || amp + 1 >= node.caption.size()) continue;
    char c = node.caption[amp + 1];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    letters.push_back(c);
  }
  return letters;
}

TEST(MenuModel, AbbreviationCommandsAreReachedByTheirOwnLetters) {
  struct Place {
    MenuId menu;
    CommandId command;
    const char* path;
    int image;
  };
  const Place kPlaces[] = {
      {MenuId::kMainMenu, CommandId::kExpandAbbreviation, "ツール(&L) > 略記(&R) > 略記を展開(&E)", 104},
      {MenuId::kMainMenu, CommandId::kWrapWithAbbreviation, "ツール(&L) > 略記(&R) > 略記で囲む(&W)", 105},
      {MenuId::kTrayMenu, CommandId::kExpandAbbreviation, "ツール(&L) > 略記を展開(&E)", 104},
      {MenuId::kTrayMenu, CommandId::kWrapWithAbbreviation, "ツール(&L) > 略記で囲む(&W)", 105},
      // The hot-key tool menu keeps the focus it gave back, as tag deletion does there.
      {MenuId::kToolHotKeyMenu, CommandId::kExpandAbbreviationFromPopup, "略記(&R) > 略記を展開(&E)", 104},
      {MenuId::kToolHotKeyMenu, CommandId::kWrapWithAbbreviationFromPopup, "略記(&R) > 略記で囲む(&W)", 105},
      // Live preview: beside the default browser, and in the hot-key tool menu.
      {MenuId::kMainMenu, CommandId::kLivePreview, "ウィンドウ(&W) > ライブプレビュー(&L)", 109},
      {MenuId::kMainMenu, CommandId::kStopLivePreview, "ウィンドウ(&W) > ライブプレビューを停止(&Q)", -1},
      {MenuId::kTrayMenu, CommandId::kLivePreview, "ブラウザ表示/サイズ(&B) > ライブプレビュー(&L)", 109},
      {MenuId::kToolHotKeyMenu, CommandId::kLivePreview, "ライブプレビュー(&L)", 109},
      {MenuId::kToolHotKeyMenu, CommandId::kStopLivePreview, "ライブプレビューを停止(&Q)", -1},
  };
  for (const Place& place : kPlaces) {
    const MenuModel menu = BuildMenu(place.menu);
    EXPECT_EQ(PathsTo(menu.items, place.command), std::vector<std::string>{place.path});
    // Every level on the way gives each item a letter of its own, so the
    // letters run the command without a second key press.
    std::function<void(const std::vector<MenuNode>&)> check = [&](const std::vector<MenuNode>& items) {
      std::vector<char> letters = Accelerators(items);
      std::sort(letters.begin(), letters.end());
      EXPECT_EQ(std::adjacent_find(letters.begin(), letters.end()), letters.end()) << place.path;
      for (const MenuNode& node : items) {
        if (!PathsTo(node.children, place.command).empty()) check(node.children);
        if (node.command == place.command) {
          EXPECT_EQ(node.image, place.image) << place.path;
        }
      }
    };
    check(menu.items);
  }
  EXPECT_TRUE(PathsTo(BuildMenu(MenuId::kToolHotKeyMenu).items, CommandId::kExpandAbbreviation).empty());
}

TEST(MenuModel, StripsAcceleratorMarks) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"新ウィンドウ (T&ARGET=\"_blank\")", "新ウィンドウ (TARGET=\"_blank\")"},
      {"a&&b", "a&b"},
      {"end&", "end&"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(StripAccelerators(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace tagsling::ui
