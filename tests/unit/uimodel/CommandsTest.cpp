#include "ui/model/Commands.h"

#include "ui/model/CommandHandlers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tagsling::ui {
namespace {

TEST(Commands, EveryIdHasExactlyOneEntryInIdOrder) {
  const auto commands = AllCommands();
  ASSERT_EQ(static_cast<std::size_t>(CommandId::kStopLivePreview) + 1, commands.size());
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
  EXPECT_EQ(FindCommandByName("SetBaseFolder"), CommandId::kSetBaseFolder);
  EXPECT_EQ(FindCommandByName("B2Click"), CommandId::kSetBaseFolder);
  EXPECT_EQ(FindCommandByName("_PM_TagClick"), CommandId::kRunTagCommandFromPopup);
  EXPECT_EQ(FindCommandByName(""), CommandId::kNone);
  EXPECT_EQ(FindCommandByName("NoSuchClick"), CommandId::kNone);
  EXPECT_EQ(FindCommand(static_cast<CommandId>(9999)).id, CommandId::kNone);
}

TEST(Commands, KindsSeparateTagUserTagToolAndProgramCommands) {
  EXPECT_EQ(FindCommand(CommandId::kRunTagCommand).kind, CommandKind::kTagKey);
  EXPECT_EQ(FindCommand(CommandId::kRunTagCommandFromPopup).kind, CommandKind::kTagKey);
  EXPECT_EQ(FindCommand(CommandId::kRunUserTagFromPopup).kind, CommandKind::kUserTag);
  EXPECT_EQ(FindCommand(CommandId::kRunExternalTool).kind, CommandKind::kTool);
  EXPECT_EQ(FindCommand(CommandId::kPreviewIE).kind, CommandKind::kProgram);
}

constexpr CommandRegistrar kParts[] = {CommandRegistrar::kMainWindow,         CommandRegistrar::kExternalPrograms,
                                       CommandRegistrar::kTextTools,          CommandRegistrar::kOptionsDialog,
                                       CommandRegistrar::kDesktopIntegration, CommandRegistrar::kLivePreview};

CommandInvocation Invocation(CommandId command) {
  CommandInvocation invocation;
  invocation.command = command;
  return invocation;
}

// Registers a recording handler for every command of `part`, leaving out `skip`.
void RegisterPart(CommandHandlers& handlers, CommandRegistrar part, std::vector<CommandId>& ran,
                  CommandId skip = CommandId::kNone) {
  CommandHandlers::Registration registration = handlers.Register(part);
  for (const Command& c : AllCommands()) {
    if (c.registrar == part && c.id != skip)
      registration.Set(c.id, [&ran](const CommandInvocation& i) { ran.push_back(i.command); });
  }
  registration.Finish();
}

TEST(Commands, EveryCommandHasARegisteredHandler) {
  // Every command is some part's to register, so a click never finds a
  // command nobody handles; each part's registration checks its own list.
  for (const Command& c : AllCommands()) {
    EXPECT_EQ(c.registrar == CommandRegistrar::kNone, c.id == CommandId::kNone) << c.name;
  }
  CommandHandlers handlers;
  std::vector<CommandId> ran;
  for (CommandRegistrar part : kParts) RegisterPart(handlers, part, ran);
  EXPECT_TRUE(handlers.Unregistered().empty());
  for (const Command& c : AllCommands()) handlers.Run(Invocation(c.id));
  ASSERT_EQ(ran.size(), AllCommands().size() - 1);  // None runs nothing
  for (std::size_t i = 0; i < ran.size(); ++i) EXPECT_EQ(ran[i], AllCommands()[i + 1].id);
}

TEST(Commands, APartThatMissesACommandCannotFinish) {
  CommandHandlers handlers;
  std::vector<CommandId> ran;
  try {
    RegisterPart(handlers, CommandRegistrar::kTextTools, ran, CommandId::kToggleRelativePath);
    ADD_FAILURE() << "finished without ToggleRelativePath";
  } catch (const std::logic_error& error) {
    EXPECT_NE(std::string(error.what()).find("ToggleRelativePath"), std::string::npos) << error.what();
  }
  // Another part's command is refused; running a command without a handler
  // is an error, not a silent click.
  CommandHandlers::Registration main = handlers.Register(CommandRegistrar::kMainWindow);
  EXPECT_THROW(main.Set(CommandId::kEditorNew, [](const CommandInvocation&) {}), std::logic_error);
  EXPECT_THROW(main.Set(CommandId::kNone, [](const CommandInvocation&) {}), std::logic_error);
  EXPECT_THROW(handlers.Run(Invocation(CommandId::kAbout)), std::logic_error);
  EXPECT_NO_THROW(handlers.Run(Invocation(CommandId::kNone)));
  const std::vector<CommandId> missing = handlers.Unregistered();
  EXPECT_NE(std::find(missing.begin(), missing.end(), CommandId::kToggleRelativePath), missing.end());
}

}  // namespace
}  // namespace tagsling::ui
