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
  TagKey,   // runs a template key of "Html.dat"; the control supplies the key
  UserTag,  // runs a registered user tag; the entry number comes from the item position
  Tool,     // starts a registered external tool; entry number from the item position
  Program,  // a named command of the program
};

enum class CommandId : std::uint16_t {
  None = 0,
  // Tag commands and the registered lists.
  RunTagCommand,
  RunTagCommandFromPopup,
  RunUserTag,
  RunUserTagFromPopup,
  RunExternalTool,
  // Editor and browsers.
  EditorNew,
  EditorOpen,
  EditorToFreeArea,
  ForegroundEditorToFreeArea,
  PreviewIE,
  PreviewNN,
  PreviewDefaultBrowser,
  BrowserSize640,
  BrowserSize800,
  BrowserSize1024,
  ForegroundBrowser640,
  ForegroundBrowser800,
  ForegroundBrowser1024,
  // Modes.
  ToggleSandwich,
  SandwichOnButton,
  SandwichOffButton,
  ToggleOnTop,
  // Text input helpers.
  DeleteOutermostTag,
  DeleteAllTags,
  RemoveComment,
  DeleteOutermostTagFromPopup,
  DeleteAllTagsFromPopup,
  RemoveCommentFromPopup,
  ExpandAbbreviation,
  WrapWithAbbreviation,
  ExpandAbbreviationFromPopup,
  WrapWithAbbreviationFromPopup,
  FileNameInput,
  UrlInput,
  TextInsert,
  ColorRgb,
  OpenBaseFolder,
  SetBaseFolder,
  ClearBaseFolder,
  ToggleRelativePath,
  // Dialogs and lists.
  OptionsDialog,
  OptionsDialogFromPopup,
  EditUserTags,
  EditTools,
  // Window, help, lifecycle.
  CloseWindow,
  ShowMainWindow,
  ActivateMainWindow,
  TrayExit,
  HelpTopics,
  HomePage,
  About,
  // Menus raised by hot keys at the caret.
  ShowTagMenu,
  ShowShortTagMenu,
  ShowToolMenu,
  ShowOuterToolMenu,
  ShowTagMenuModeInverted,
  ShowShortTagMenuModeInverted,
  // Live preview: a local server for the site that reloads the browser's page.
  kLivePreview,
  kStopLivePreview,
};

// The part of the program that registers a command's handler
// (ui/model/CommandHandlers.h).
enum class CommandRegistrar : std::uint8_t {
  None,                // CommandId::None only: nothing to run
  MainWindow,          // tags, user tags, modes, the window, help
  ExternalPrograms,    // tools, browsers, the editor (ui/ExternalCommandHandlers)
  TextTools,           // tag deletion, abbreviations, text input, the base folder (ui/TextToolCommandHandlers)
  OptionsDialog,       // the options dialog's entries (ui/OptionsWiring)
  DesktopIntegration,  // the menus and the activation only hot keys reach (ui/DesktopIntegration)
  kLivePreview,        // the live preview's start and stop (ui/LivePreview)
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

// The entry of `id`; the entry of CommandId::None for an unknown value.
const Command& FindCommand(CommandId id);

// The command named `name` (its stable name or its handler name), or None.
CommandId FindCommandByName(std::string_view name);

}  // namespace tagsling::ui
