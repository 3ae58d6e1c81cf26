#include "ui/model/Commands.h"

namespace tagsling::ui {
namespace {

using enum CommandId;
constexpr CommandKind kTag = CommandKind::TagKey;
constexpr CommandKind kProgram = CommandKind::Program;

// Handler names are the main window's; commands reached only by a hot key are
// dispatched by the hot-key handler and have no handler of their own.
constexpr Command kCommands[] = {
    {None, "None", "", kProgram},
    {RunTagCommand, "RunTagCommand", "RunTagCommand", kTag},
    {RunTagCommandFromPopup, "RunTagCommandFromPopup", "_PM_TagClick", kTag},
    {RunUserTag, "RunUserTag", "RunUserTag", CommandKind::UserTag},
    {RunUserTagFromPopup, "RunUserTagFromPopup", "RunUserTagFromPopup", CommandKind::UserTag},
    {RunExternalTool, "RunExternalTool", "RunExternalTool", CommandKind::Tool},
    {EditorNew, "EditorNew", "New1Click", kProgram},
    {EditorOpen, "EditorOpen", "Open2Click", kProgram},
    {EditorToFreeArea, "EditorToFreeArea", "N128Click", kProgram},
    {ForegroundEditorToFreeArea, "ForegroundEditorToFreeArea", "", kProgram},
    {PreviewIE, "PreviewIE", "InternetExplorerI1Click", kProgram},
    {PreviewNN, "PreviewNN", "NetscapeNavigatorN1Click", kProgram},
    {BrowserSize640, "BrowserSize640", "N640x4801Click", kProgram},
    {BrowserSize800, "BrowserSize800", "N800x6001Click", kProgram},
    {BrowserSize1024, "BrowserSize1024", "N1024x7681Click", kProgram},
    {ForegroundBrowser640, "ForegroundBrowser640", "", kProgram},
    {ForegroundBrowser800, "ForegroundBrowser800", "", kProgram},
    {ForegroundBrowser1024, "ForegroundBrowser1024", "", kProgram},
    {ToggleSandwich, "ToggleSandwich", "Menu_HasamiClick", kProgram},
    {SandwichOnButton, "SandwichOnButton", "TB_Hasami_OnClick", kProgram},
    {SandwichOffButton, "SandwichOffButton", "TB_Hasami_OffClick", kProgram},
    {ToggleOnTop, "ToggleOnTop", "Menu_OnTopClick", kProgram},
    {DeleteOutermostTag, "DeleteOutermostTag", "H2Click", kProgram},
    {DeleteAllTags, "DeleteAllTags", "A1Click", kProgram},
    {RemoveComment, "RemoveComment", "N135Click", kProgram},
    {DeleteOutermostTagFromPopup, "DeleteOutermostTagFromPopup", "T11Click", kProgram},
    {DeleteAllTagsFromPopup, "DeleteAllTagsFromPopup", "A4Click", kProgram},
    {RemoveCommentFromPopup, "RemoveCommentFromPopup", "C3Click", kProgram},
    {FileNameInput, "FileNameInput", "F2Click", kProgram},
    {UrlInput, "UrlInput", "URLA1Click", kProgram},
    {TextInsert, "TextInsert", "T5Click", kProgram},
    {ColorRgb, "ColorRgb", "Color2Click", kProgram},
    {OpenBaseFolder, "OpenBaseFolder", "O2Click", kProgram},
    {SetBaseFolder, "SetBaseFolder", "B2Click", kProgram},
    {ClearBaseFolder, "ClearBaseFolder", "D2Click", kProgram},
    {ToggleRelativePath, "ToggleRelativePath", "P6Click", kProgram},
    {OptionsDialog, "OptionsDialog", "Menu_OptionClick", kProgram},
    {OptionsDialogFromPopup, "OptionsDialogFromPopup", "S3Click", kProgram},
    {EditUserTags, "EditUserTags", "Menu_UserTagEditClick", kProgram},
    {EditTools, "EditTools", "E6Click", kProgram},
    {CloseWindow, "CloseWindow", "Exit1Click", kProgram},
    {ShowMainWindow, "ShowMainWindow", "Open1Click", kProgram},
    {ActivateMainWindow, "ActivateMainWindow", "", kProgram},
    {TrayExit, "TrayExit", "TrayExitClick", kProgram},
    {HelpTopics, "HelpTopics", "H3Click", kProgram},
    {HomePage, "HomePage", "TagslingW1Click", kProgram},
    {About, "About", "About1Click", kProgram},
    {ShowTagMenu, "ShowTagMenu", "", kProgram},
    {ShowShortTagMenu, "ShowShortTagMenu", "", kProgram},
    {ShowToolMenu, "ShowToolMenu", "", kProgram},
    {ShowOuterToolMenu, "ShowOuterToolMenu", "", kProgram},
    {ShowTagMenuModeInverted, "ShowTagMenuModeInverted", "", kProgram},
    {ShowShortTagMenuModeInverted, "ShowShortTagMenuModeInverted", "", kProgram},
};

}  // namespace

std::span<const Command> AllCommands() { return kCommands; }

const Command& FindCommand(CommandId id) {
  for (const Command& c : kCommands) {
    if (c.id == id) return c;
  }
  return kCommands[0];
}

CommandId FindCommandByName(std::string_view name) {
  if (name.empty()) return None;
  for (const Command& c : kCommands) {
    if (c.name == name || c.handler == name) return c.id;
  }
  return None;
}

}  // namespace tagsling::ui
