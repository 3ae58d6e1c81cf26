#include "ui/model/Commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tagsling::ui {
namespace {

TEST(Commands, EveryIdHasExactlyOneEntryInIdOrder) {
  const auto commands = AllCommands();
  ASSERT_EQ(static_cast<std::size_t>(CommandId::ShowShortTagMenuModeInverted) + 1, commands.size());
  for (std::size_t i = 0; i < commands.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(commands[i].id), i) << commands[i].name;
    EXPECT_EQ(&FindCommand(commands[i].id), &commands[i]);
  }
}

TEST(Commands, NamesAndHandlersAreUniqueAcrossBothColumns) {
  std::set<std::string> seen;
  for (const Command& c : AllCommands()) {
    EXPECT_TRUE(seen.insert(std::string(c.name)).second) << c.name;
    if (!c.handler.empty() && c.handler != c.name) {
      EXPECT_TRUE(seen.insert(std::string(c.handler)).second) << c.handler;
    }
  }
}

TEST(Commands, FindsByNameOrHandler) {
  EXPECT_EQ(FindCommandByName("SetBaseFolder"), CommandId::SetBaseFolder);
  EXPECT_EQ(FindCommandByName("B2Click"), CommandId::SetBaseFolder);
  EXPECT_EQ(FindCommandByName("_PM_TagClick"), CommandId::RunTagCommandFromPopup);
  EXPECT_EQ(FindCommandByName(""), CommandId::None);
  EXPECT_EQ(FindCommandByName("NoSuchClick"), CommandId::None);
  EXPECT_EQ(FindCommand(static_cast<CommandId>(9999)).id, CommandId::None);
}

TEST(Commands, KindsSeparateTagUserTagToolAndProgramCommands) {
  EXPECT_EQ(FindCommand(CommandId::RunTagCommand).kind, CommandKind::TagKey);
  EXPECT_EQ(FindCommand(CommandId::RunTagCommandFromPopup).kind, CommandKind::TagKey);
  EXPECT_EQ(FindCommand(CommandId::RunUserTagFromPopup).kind, CommandKind::UserTag);
  EXPECT_EQ(FindCommand(CommandId::RunExternalTool).kind, CommandKind::Tool);
  EXPECT_EQ(FindCommand(CommandId::PreviewIE).kind, CommandKind::Program);
}

}  // namespace
}  // namespace tagsling::ui
