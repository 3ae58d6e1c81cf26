#include "ui/TextToolCommandHandlers.h"

#include "abbrev/AbbrevCommands.h"
#include "texttools/BaseFolder.h"
#include "texttools/InputCommands.h"
#include "texttools/TagDeletion.h"

namespace tagsling::ui {
namespace {

using texttools::DeletionMode;

struct DeletionCommand {
  CommandId command;
  DeletionMode mode;
  bool capture_focus;
};

constexpr DeletionCommand kDeletionCommands[] = {
    {CommandId::kDeleteOutermostTag, DeletionMode::kOutermostTag, true},
    {CommandId::kDeleteAllTags, DeletionMode::kAllTags, true},
    {CommandId::kRemoveComment, DeletionMode::kUncomment, true},
    {CommandId::kDeleteOutermostTagFromPopup, DeletionMode::kOutermostTag, false},
    {CommandId::kDeleteAllTagsFromPopup, DeletionMode::kAllTags, false},
    {CommandId::kRemoveCommentFromPopup, DeletionMode::kUncomment, false},
};

// The abbreviation commands capture like tag deletion: the palette, the
// menus and the hot keys capture the target, the hot-key tool menu keeps the
// focus it gave back to the editor.
struct AbbreviationCommand {
  CommandId command;
  bool (*start)(core::InsertionEngine&, texttools::TextToolsContext&, abbrev::SnippetLoader, bool);
  bool capture_focus;
};

constexpr AbbreviationCommand kAbbreviationCommands[] = {
    {CommandId::kExpandAbbreviation, abbrev::StartAbbreviationExpansion, true},
    {CommandId::kWrapWithAbbreviation, abbrev::StartAbbreviationWrap, true},
    {CommandId::kExpandAbbreviationFromPopup, abbrev::StartAbbreviationExpansion, false},
    {CommandId::kWrapWithAbbreviationFromPopup, abbrev::StartAbbreviationWrap, false},
};

struct ContextCommand {
  CommandId command;
  void (*run)(texttools::TextToolsContext&);
};

constexpr ContextCommand kContextCommands[] = {
    {CommandId::kFileNameInput, texttools::InsertFileName},  {CommandId::kUrlInput, texttools::InsertUrl},
    {CommandId::kTextInsert, texttools::InsertTextFile},     {CommandId::kColorRgb, texttools::InsertColour},
    {CommandId::kSetBaseFolder, texttools::SetBaseFolder},   {CommandId::kClearBaseFolder, texttools::ClearBaseFolder},
    {CommandId::kOpenBaseFolder, texttools::OpenBaseFolder},
};

}  // namespace

void RegisterTextToolHandlers(CommandHandlers& handlers, const TextToolsSetup& setup) {
  SetUpTextTools(setup);
  core::InsertionEngine& engine = setup.engine;
  platform::win32::Win32Desktop& desktop = setup.desktop;
  CommandHandlers::Registration registration = handlers.Register(CommandRegistrar::kTextTools);
  for (const DeletionCommand& deletion : kDeletionCommands) {
    registration.Set(deletion.command, [&engine, &desktop, deletion](const CommandInvocation&) {
      texttools::StartTagDeletion(engine, desktop, desktop, deletion.mode, deletion.capture_focus);
    });
  }
  // Snippets are read from "Html.dat" at every command, like the templates.
  const abbrev::SnippetLoader snippets = [path = setup.template_path] { return abbrev::SnippetsFromFile(path); };
  for (const AbbreviationCommand& command : kAbbreviationCommands) {
    registration.Set(command.command, [&engine, snippets, command](const CommandInvocation&) {
      command.start(engine, MainTextToolsContext(), snippets, command.capture_focus);
    });
  }
  for (const ContextCommand& command : kContextCommands) {
    registration.Set(command.command, [run = command.run](const CommandInvocation&) { run(MainTextToolsContext()); });
  }
  // "相対パス入力(&P)": the clicked item's check mark decides.
  registration.Set(CommandId::kToggleRelativePath, [](const CommandInvocation& c) {
    texttools::ToggleRelativePathInput(MainTextToolsContext(), c.item_was_checked);
  });
  registration.Finish();
}

}  // namespace tagsling::ui
