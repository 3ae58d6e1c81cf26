#include "ui/model/PalettePages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <set>
#include <string>

#include "core/TemplateKeys.h"
#include "ui/model/MenuModel.h"

namespace tagsling::ui {
namespace {

std::vector<std::span<const PaletteButton>> AllToolbars() {
  std::vector<std::span<const PaletteButton>> bars;
  for (const PalettePage& page : PalettePages()) bars.push_back(page.buttons);
  bars.push_back(ToolPanelTopButtons());
  bars.push_back(ToolPanelModeButtons());
  bars.push_back(DockedPanelButtons());
  return bars;
}

TEST(PalettePages, TenPagesInOrder) {
  std::vector<std::string> captions;
  for (const PalettePage& page : PalettePages()) captions.emplace_back(page.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"基本", "文字", "段落", "表", "リスト", "リンク/画像", "フォーム",
                                                "フレーム", "HTML5", "ツール"}));
}

TEST(PalettePages, EveryButtonIsBoundOnceWithAValidImage) {
  std::set<std::string> names;
  std::set<int> images;
  int buttons = 0;
  for (std::span<const PaletteButton> bar : AllToolbars()) {
    for (const PaletteButton& b : bar) {
      if (b.kind == ButtonKind::kSeparator) continue;
      ++buttons;
      SCOPED_TRACE(std::string(b.name));
      EXPECT_TRUE(names.insert(std::string(b.name)).second);
      EXPECT_TRUE(images.insert(b.image).second);
      EXPECT_GE(b.image, 0);
      EXPECT_LT(b.image, kToolImageCount);
      EXPECT_FALSE(b.hint.empty());
      switch (b.kind) {
        case ButtonKind::kPlain:
          EXPECT_NE(b.command, CommandId::kNone);
          if (b.command == CommandId::kRunTagCommand) {
            EXPECT_NE(core::FindTemplateKey(b.key), nullptr);
          }
          break;
        case ButtonKind::kSplit:
          EXPECT_EQ(b.command, CommandId::kRunTagCommand);
          EXPECT_NE(core::FindTemplateKey(b.key), nullptr);
          EXPECT_FALSE(BuildMenu(b.menu).items.empty());
          break;
        case ButtonKind::kMenuButton:
          EXPECT_EQ(b.command, CommandId::kNone);
          break;
        case ButtonKind::kCheck:
        case ButtonKind::kSeparator:
          break;
      }
    }
  }
  EXPECT_EQ(buttons, 87 + 15 + 2 + 3 + 1);  // the last one is the live preview
  // Every picture is used.
  EXPECT_EQ(images.size(), static_cast<std::size_t>(kToolImageCount) - 2);  // 13 is unused, 72 only in menus
}

TEST(PalettePages, DefaultBrowserButtonStandsBesideTheTwoBrowserButtons) {
  std::vector<CommandId> commands;
  for (const PaletteButton& b : ToolPanelModeButtons()) commands.push_back(b.command);
  const std::vector<CommandId> expected = {
      CommandId::kSandwichOffButton, CommandId::kSandwichOnButton,      CommandId::kNone, CommandId::kPreviewIE,
      CommandId::kPreviewNN,         CommandId::kPreviewDefaultBrowser, CommandId::kNone};
  EXPECT_EQ(commands, expected);
  EXPECT_EQ(ToolPanelModeButtons()[5].image, 103);
  // Six buttons and a separator fit the tool panel on both rows.
  for (std::span<const PaletteButton> bar : {ToolPanelTopButtons(), ToolPanelModeButtons()}) {
    int width = 0;
    for (const PaletteButton& b : bar) width += b.kind == ButtonKind::kSeparator ? 8 : 23;
    EXPECT_LE(width, kPaletteLayout.tool_panel_width);
  }
}

TEST(PalettePages, LivePreviewButtonEndsTheToolsPage) {
  const PalettePage& tools = PalettePages()[9];
  ASSERT_EQ(tools.caption, "ツール");
  const PaletteButton& last = tools.buttons.back();
  EXPECT_EQ(last.command, CommandId::kLivePreview);
  EXPECT_EQ(last.hint, "ライブプレビュー");
  EXPECT_EQ(last.image, 109);
}

TEST(PalettePages, AbbreviationButtonsFollowTagDeletionOnTheToolsPage) {
  const PalettePage& tools = PalettePages()[9];
  ASSERT_EQ(tools.caption, "ツール");
  std::vector<std::pair<std::string_view, int>> buttons;
  for (const PaletteButton& b : tools.buttons) {
    if (b.command == CommandId::kExpandAbbreviation || b.command == CommandId::kWrapWithAbbreviation) {
      EXPECT_EQ(b.kind, ButtonKind::kPlain);
      buttons.emplace_back(b.hint, b.image);
    }
  }
  EXPECT_EQ(buttons, (std::vector<std::pair<std::string_view, int>>{{"略記を展開", 104}, {"略記で囲む", 105}}));
  EXPECT_EQ(tools.buttons[2].menu, MenuId::kTagDeleteButtonMenu);
  EXPECT_EQ(tools.buttons[4].command, CommandId::kExpandAbbreviation);
}

TEST(PalettePages, HeaderCellButtonSharesTheDataCellMenu) {
  const PalettePage& table = PalettePages()[3];
  const PaletteButton& th = table.buttons[4];
  EXPECT_EQ(th.name, "TB_Talbe_Th_Th");
  EXPECT_EQ(th.key, "Talbe_Th_Th");
  EXPECT_EQ(th.menu, MenuId::kTdAttrs);
  const MenuModel menu = BuildMenu(th.menu);
  EXPECT_EQ(NodeAt(menu, {2})->key, "Talbe_Td_Width");
}

TEST(PalettePages, ProgramButtonsPressThemselvesExceptClose) {
  for (std::span<const PaletteButton> bar : {ToolPanelTopButtons(), PalettePages()[9].buttons}) {
    for (const PaletteButton& b : bar) {
      if (b.kind != ButtonKind::kPlain) continue;
      EXPECT_EQ(b.presses_while_running, b.command != CommandId::kCloseWindow) << b.name;
    }
  }
  EXPECT_FALSE(DockedPanelButtons()[0].right_click_opens_menu);
  EXPECT_EQ(DockedPanelButtons()[0].menu, MenuId::kTagPopup);
  EXPECT_EQ(PalettePanelText().relative_off_label, "[相対パス入力OFF]");
}

// The page "HTML5": a tag button for each structural element, the embedded
// media, details, mark, time and the document, named in its hint the way the
// other buttons are ("セクション <section>"); then three grouped buttons whose
// menus reach every other HTML5 element.
TEST(PalettePages, Html5PageHasAButtonPerElement) {
  const PalettePage& page = PalettePages()[8];
  ASSERT_EQ(page.caption, "HTML5");
  std::vector<std::string> keys;
  std::vector<MenuId> menus;
  for (const PaletteButton& b : page.buttons) {
    if (b.kind == ButtonKind::kSeparator) continue;
    SCOPED_TRACE(std::string(b.name));
    EXPECT_GE(b.image, 88);
    if (b.kind == ButtonKind::kMenuButton) {
      menus.push_back(b.menu);
      continue;
    }
    keys.emplace_back(b.key);
    EXPECT_EQ(b.kind, ButtonKind::kPlain);
    EXPECT_EQ(b.command, CommandId::kRunTagCommand);
    ASSERT_NE(core::FindTemplateKey(b.key), nullptr);
    EXPECT_EQ(core::FindTemplateKey(b.key)->category, core::KeyCategory::kHtml5);
    EXPECT_EQ(b.name, "TB_" + std::string(b.key));
    // The hint ends in the element as written in HTML5: lower case (the
    // doctype aside).
    const std::string hint(b.hint);
    const std::size_t open = hint.rfind(" <");
    ASSERT_NE(open, std::string::npos);
    EXPECT_EQ(hint.back(), '>');
    std::string tag = hint.substr(open + 2);
    if (tag.starts_with("!DOCTYPE ")) tag.erase(0, 9);
    for (char c : tag) EXPECT_FALSE(c >= 'A' && c <= 'Z') << hint;
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"H5_Doc", "H5_Header", "H5_Nav", "H5_Main", "H5_Section", "H5_Article",
                                            "H5_Aside", "H5_Footer", "H5_Figure", "H5_Picture", "H5_Video", "H5_Audio",
                                            "H5_Details", "H5_Mark", "H5_Time"}));
  EXPECT_EQ(menus, (std::vector<MenuId>{MenuId::kHtml5HeadTags, MenuId::kHtml5TextTags, MenuId::kHtml5MoreButtonMenu}));
  EXPECT_EQ(page.buttons[5].hint, "セクション <section>");

  // Every HTML5 key is one click away: a button or an item of a grouped
  // button's menu, with the palette form of the tag command.
  std::set<std::string> reached(keys.begin(), keys.end());
  std::function<void(const std::vector<MenuNode>&)> collect = [&](const std::vector<MenuNode>& nodes) {
    for (const MenuNode& node : nodes) {
      collect(node.children);
      if (node.key.empty()) continue;
      EXPECT_EQ(node.command, CommandId::kRunTagCommand) << node.key;
      reached.insert(node.key);
    }
  };
  for (MenuId menu : menus) collect(BuildMenu(menu).items);
  for (const core::TemplateKey& key : core::TemplateKeys()) {
    if (key.category == core::KeyCategory::kHtml5 && key.name != "H5_Dialog" && key.name != "H5_Template") {
      EXPECT_EQ(reached.count(std::string(key.name)), 1u) << key.name;
    }
  }
}

// The page fits its panel at every scaling: buttons of 16 + 7 pixels and
// separators of 6, less the tab control's borders, scaled and rounded as the
// Win32 layer does.
TEST(PalettePages, EveryPageFitsThePalettePanel) {
  for (int dpi : {96, 120, 144, 192}) {
    const auto scale = [dpi](int pixels) { return (pixels * dpi + 48) / 96; };
    for (const PalettePage& page : PalettePages()) {
      int width = 0;
      for (const PaletteButton& b : page.buttons) {
        width += b.kind == ButtonKind::kSeparator ? scale(6) : scale(16) + scale(7);
      }
      EXPECT_LE(width, scale(kPaletteLayout.palette_panel_width) - scale(8)) << page.caption << " at " << dpi;
    }
  }
}

// Buttons keep their captions and keys; only the tooltip of a button whose
// key inserts what HTML5 no longer has says so, through the same note as the
// menus.
TEST(PalettePages, HintsOfObsoleteElementsSaySo) {
  std::set<std::string> marked;
  for (const PalettePage& page : PalettePages()) {
    for (const PaletteButton& b : page.buttons) {
      EXPECT_EQ(std::string(b.hint).find(kObsoleteHintSuffix), std::string::npos) << b.hint;
      const std::string shown = DisplayedHint(b);
      if (shown.ends_with(kObsoleteHintSuffix)) {
        marked.insert(std::string(b.name));
        EXPECT_EQ(shown, std::string(b.hint) + std::string(kObsoleteHintSuffix));
      } else {
        EXPECT_EQ(shown, b.hint);
      }
    }
  }
  EXPECT_EQ(marked, (std::set<std::string>{"TB_Kihon_DocType", "TB_Moji_Font_Font", "TB_Moji_Big", "TB_Moji_Tt",
                                           "TB_Moji_Blink", "TB_P_Div_Align_Left", "ToolButton32", "ToolButton33",
                                           "TB_P_Center", "TB_Link_AName", "ToolButton25", "ToolButton26",
                                           "ToolButton27", "ToolButton28"}));
  EXPECT_EQ(DisplayedHint(PalettePages()[7].buttons[5]), "フレーム未対応用 <NOFRAMES> (HTML5 では廃止)");
  EXPECT_EQ(DisplayedHint(PalettePages()[0].buttons[2]), "ドキュメントタイプ <HTML> (HTML5 では廃止)");
}

}  // namespace
}  // namespace tagsling::ui
