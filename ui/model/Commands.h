#pragma once
// The command table: every user-visible command of the palette program has
// exactly one entry here. Palette buttons, menu items, popup items and hot
// keys refer to a CommandId; the Win32 layer dispatches every click through
// this one table, so no handler is reached by a second route.
//
// Tag commands are not listed one per template key: a control that inserts a
// tag carries its template key and one of the two tag-command forms below
// (palette form or popup form). The same holds for user tags (entry number)
// and external tools (entry number).

#include <cstdint>
#include <span>
#include <string_view>

namespace tagsling::ui {

enum class CommandKind : std::uint8_t {
  kTagKey,   // runs a template key of "Html.dat"; the control supplies the key
  kUserTag,  // runs a registered user tag; the entry number comes from the item position
  kTool,     // starts a registered external tool; entry number from the item position
  kProgram,  // a named command of the program
};

enum class CommandId : std::uint16_t {
  kNone = 0,
  // Tag commands and the registered lists.
  kRunTagCommand,
  kRunTagCommandFromPopup,
  kRunUserTag,
  kRunUserTagFromPopup,
  kRunExternalTool,
  // Editor and browsers.
  kEditorNew,
  kEditorOpen,
  kEditorToFreeArea,
  kForegroundEditorToFreeArea,
  kPreviewIE,
  kPreviewNN,
  kPreviewDefaultBrowser,
  kBrowserSize640,
  kBrowserSize800,
  kBrowserSize1024,
  kForegroundBrowser640,
  kForegroundBrowser800,
  kForegroundBrowser1024,
  // Modes.
  kToggleSandwich,
  kSandwichOnButton,
  kSandwichOffButton,
  kToggleOnTop,
  // Text input helpers.
  kDeleteOutermostTag,
  kDeleteAllTags,
  kRemoveComment,
  kDeleteOutermostTagFromPopup,
  kDeleteAllTagsFromPopup,
  kRemoveCommentFromPopup,
  kExpandAbbreviation,
  kWrapWithAbbreviation,
  kExpandAbbreviationFromPopup,
  kWrapWithAbbreviationFromPopup,
  kFileNameInput,
  kUrlInput,
  kTextInsert,
  kColorRgb,
  kOpenBaseFolder,
  kSetBaseFolder,
  kClearBaseFolder,
  kToggleRelativePath,
  // Dialogs and lists.
  kOptionsDialog,
  kOptionsDialogFromPopup,
  kEditUserTags,
  kEditTools,
  // Window, help, lifecycle.
  kCloseWindow,
  kShowMainWindow,
  kActivateMainWindow,
  kTrayExit,
  kHelpTopics,
  kHomePage,
  kAbout,
  // Menus raised by hot keys at the caret.
  kShowTagMenu,
  kShowShortTagMenu,
  kShowToolMenu,
  kShowOuterToolMenu,
  kShowTagMenuModeInverted,
  kShowShortTagMenuModeInverted,
  // Live preview: a local server for the site that reloads the browser's page.
  kLivePreview,
  kStopLivePreview,
};

// The part of the program that registers a command's handler
// (ui/model/CommandHandlers.h).
enum class CommandRegistrar : std::uint8_t {
  kNone,                // CommandId::kNone only: nothing to run
  kMainWindow,          // tags, user tags, modes, the window, help
  kExternalPrograms,    // tools, browsers, the editor (ui/ExternalCommandHandlers)
  kTextTools,           // tag deletion, abbreviations, text input, the base folder (ui/TextToolCommandHandlers)
  kOptionsDialog,       // the options dialog's entries (ui/OptionsWiring)
  kDesktopIntegration,  // the menus and the activation only hot keys reach (ui/DesktopIntegration)
  kLivePreview,         // the live preview's start and stop (ui/LivePreview)
};

struct Command {
  CommandId id;
  std::string_view name;     // stable name, unique
  std::string_view handler;  // the main window's handler that runs it; unique when not empty
  CommandKind kind;
  CommandRegistrar registrar;
};

// Every command, one entry each, in CommandId order.
std::span<const Command> AllCommands();

// The entry of `id`; the entry of CommandId::kNone for an unknown value.
const Command& FindCommand(CommandId id);

// The command named `name` (its stable name or its handler name), or None.
CommandId FindCommandByName(std::string_view name);

}  // namespace tagsling::ui
