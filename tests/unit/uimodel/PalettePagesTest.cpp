#include "ui/model/PalettePages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/TemplateKeys.h"
#include "ui/model/MenuModel.h"

namespace tagsling::ui {
namespace {

std::vector<std::span<const PaletteButton>> AllToolbars() {
  std::vector<std::span<const PaletteButton>> bars;
  for (const PalettePage& page : PalettePages()) bars.push_back(page.buttons);
  bars.push_back(ToolBar11Buttons());
  bars.push_back(ToolBar12Buttons());
  bars.push_back(ToolBar1Buttons());
  return bars;
}

TEST(PalettePages, NinePagesInOrder) {
  std::vector<std::string> captions;
  for (const PalettePage& page : PalettePages()) captions.emplace_back(page.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"基本", "文字", "段落", "表", "リスト", "リンク/画像", "フォーム",
                                                "フレーム", "ツール"}));
}

TEST(PalettePages, EveryButtonIsBoundOnceWithAValidImage) {
  std::set<std::string> names;
  std::set<int> images;
  int buttons = 0;
  for (std::span<const PaletteButton> bar : AllToolbars()) {
    for (const PaletteButton& b : bar) {
      if (b.kind == ButtonKind::Separator) continue;
      ++buttons;
      SCOPED_TRACE(std::string(b.name));
      EXPECT_TRUE(names.insert(std::string(b.name)).second);
      EXPECT_TRUE(images.insert(b.image).second);
      EXPECT_GE(b.image, 0);
      EXPECT_LE(b.image, 88);
      EXPECT_FALSE(b.hint.empty());
      switch (b.kind) {
        case ButtonKind::Plain:
          EXPECT_NE(b.command, CommandId::None);
          if (b.command == CommandId::RunTagCommand) {
            EXPECT_NE(FindTemplateKey(b.key), nullptr);
          }
          break;
        case ButtonKind::Split:
          EXPECT_EQ(b.command, CommandId::RunTagCommand);
          EXPECT_NE(FindTemplateKey(b.key), nullptr);
          EXPECT_FALSE(BuildMenu(b.menu).items.empty());
          break;
        case ButtonKind::MenuButton:
          EXPECT_EQ(b.command, CommandId::None);
          break;
        case ButtonKind::Check:
        case ButtonKind::Separator:
          break;
      }
    }
  }
  EXPECT_EQ(buttons, 87);
}

TEST(PalettePages, DefaultBrowserButtonStandsBesideTheTwoBrowserButtons) {
  std::vector<CommandId> commands;
  for (const PaletteButton& b : ToolBar12Buttons()) commands.push_back(b.command);
  const std::vector<CommandId> expected = {
      CommandId::SandwichOffButton, CommandId::SandwichOnButton,      CommandId::None, CommandId::PreviewIE,
      CommandId::PreviewNN,         CommandId::PreviewDefaultBrowser, CommandId::None};
  EXPECT_EQ(commands, expected);
  EXPECT_EQ(ToolBar12Buttons()[5].image, 88);
  // Six buttons and a separator fit the tool panel on both rows.
  for (std::span<const PaletteButton> bar : {ToolBar11Buttons(), ToolBar12Buttons()}) {
    int width = 0;
    for (const PaletteButton& b : bar) width += b.kind == ButtonKind::Separator ? 8 : 23;
    EXPECT_LE(width, kPaletteLayout.toolPanelWidth);
  }
}

TEST(PalettePages, HeaderCellButtonSharesTheDataCellMenu) {
  const PalettePage& table = PalettePages()[3];
  const PaletteButton& th = table.buttons[4];
  EXPECT_EQ(th.name, "TB_Talbe_Th_Th");
  EXPECT_EQ(th.key, "Talbe_Th_Th");
  EXPECT_EQ(th.menu, MenuId::PopupMenu_Talbe_Td_Td);
  const MenuModel menu = BuildMenu(th.menu);
  EXPECT_EQ(NodeAt(menu, {2})->key, "Talbe_Td_Width");
}

TEST(PalettePages, ProgramButtonsPressThemselvesExceptClose) {
  for (std::span<const PaletteButton> bar : {ToolBar11Buttons(), PalettePages()[8].buttons}) {
    for (const PaletteButton& b : bar) {
      if (b.kind != ButtonKind::Plain) continue;
      EXPECT_EQ(b.pressesWhileRunning, b.command != CommandId::CloseWindow) << b.name;
    }
  }
  EXPECT_FALSE(ToolBar1Buttons()[0].rightClickOpensMenu);
  EXPECT_EQ(ToolBar1Buttons()[0].menu, MenuId::PopupMenu1);
  EXPECT_EQ(PalettePanelText().relativeOffLabel, "[相対パス入力OFF]");
}

}  // namespace
}  // namespace tagsling::ui
