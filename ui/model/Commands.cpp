#include "ui/model/Commands.h"

namespace tagsling::ui {
namespace {

using enum CommandId;
constexpr CommandKind kTag = CommandKind::TagKey;
constexpr CommandKind kProgram = CommandKind::Program;
constexpr CommandRegistrar kNobody = CommandRegistrar::None;
constexpr CommandRegistrar kMain = CommandRegistrar::MainWindow;
constexpr CommandRegistrar kExternal = CommandRegistrar::ExternalPrograms;
constexpr CommandRegistrar kText = CommandRegistrar::TextTools;
constexpr CommandRegistrar kOptions = CommandRegistrar::OptionsDialog;
constexpr CommandRegistrar kDesktop = CommandRegistrar::DesktopIntegration;

// Handler names are the main window's; commands reached only by a hot key,
// and the commands that came later (the default-browser preview, the
// abbreviations), have none. The last column names the part that registers
// the handler.
constexpr Command kCommands[] = {
    {None, "None", "", kProgram, kNobody},
    {RunTagCommand, "RunTagCommand", "RunTagCommand", kTag, kMain},
    {RunTagCommandFromPopup, "RunTagCommandFromPopup", "_PM_TagClick", kTag, kMain},
    {RunUserTag, "RunUserTag", "RunUserTag", CommandKind::UserTag, kMain},
    {RunUserTagFromPopup, "RunUserTagFromPopup", "RunUserTagFromPopup", CommandKind::UserTag, kMain},
    {RunExternalTool, "RunExternalTool", "RunExternalTool", CommandKind::Tool, kExternal},
    {EditorNew, "EditorNew", "New1Click", kProgram, kExternal},
    {EditorOpen, "EditorOpen", "Open2Click", kProgram, kExternal},
    {EditorToFreeArea, "EditorToFreeArea", "N128Click", kProgram, kExternal},
    {ForegroundEditorToFreeArea, "ForegroundEditorToFreeArea", "", kProgram, kExternal},
    {PreviewIE, "PreviewIE", "InternetExplorerI1Click", kProgram, kExternal},
    {PreviewNN, "PreviewNN", "NetscapeNavigatorN1Click", kProgram, kExternal},
    {PreviewDefaultBrowser, "PreviewDefaultBrowser", "", kProgram, kExternal},
    {BrowserSize640, "BrowserSize640", "N640x4801Click", kProgram, kExternal},
    {BrowserSize800, "BrowserSize800", "N800x6001Click", kProgram, kExternal},
    {BrowserSize1024, "BrowserSize1024", "N1024x7681Click", kProgram, kExternal},
    {ForegroundBrowser640, "ForegroundBrowser640", "", kProgram, kExternal},
    {ForegroundBrowser800, "ForegroundBrowser800", "", kProgram, kExternal},
    {ForegroundBrowser1024, "ForegroundBrowser1024", "", kProgram, kExternal},
    {ToggleSandwich, "ToggleSandwich", "Menu_HasamiClick", kProgram, kMain},
    {SandwichOnButton, "SandwichOnButton", "TB_Hasami_OnClick", kProgram, kMain},
    {SandwichOffButton, "SandwichOffButton", "TB_Hasami_OffClick", kProgram, kMain},
    {ToggleOnTop, "ToggleOnTop", "Menu_OnTopClick", kProgram, kMain},
    {DeleteOutermostTag, "DeleteOutermostTag", "H2Click", kProgram, kText},
    {DeleteAllTags, "DeleteAllTags", "A1Click", kProgram, kText},
    {RemoveComment, "RemoveComment", "N135Click", kProgram, kText},
    {DeleteOutermostTagFromPopup, "DeleteOutermostTagFromPopup", "T11Click", kProgram, kText},
    {DeleteAllTagsFromPopup, "DeleteAllTagsFromPopup", "A4Click", kProgram, kText},
    {RemoveCommentFromPopup, "RemoveCommentFromPopup", "C3Click", kProgram, kText},
    {ExpandAbbreviation, "ExpandAbbreviation", "", kProgram, kText},
    {WrapWithAbbreviation, "WrapWithAbbreviation", "", kProgram, kText},
    {ExpandAbbreviationFromPopup, "ExpandAbbreviationFromPopup", "", kProgram, kText},
    {WrapWithAbbreviationFromPopup, "WrapWithAbbreviationFromPopup", "", kProgram, kText},
    {FileNameInput, "FileNameInput", "F2Click", kProgram, kText},
    {UrlInput, "UrlInput", "URLA1Click", kProgram, kText},
    {TextInsert, "TextInsert", "T5Click", kProgram, kText},
    {ColorRgb, "ColorRgb", "Color2Click", kProgram, kText},
    {OpenBaseFolder, "OpenBaseFolder", "O2Click", kProgram, kText},
    {SetBaseFolder, "SetBaseFolder", "B2Click", kProgram, kText},
    {ClearBaseFolder, "ClearBaseFolder", "D2Click", kProgram, kText},
    {ToggleRelativePath, "ToggleRelativePath", "P6Click", kProgram, kText},
    {OptionsDialog, "OptionsDialog", "Menu_OptionClick", kProgram, kOptions},
    {OptionsDialogFromPopup, "OptionsDialogFromPopup", "S3Click", kProgram, kOptions},
    {EditUserTags, "EditUserTags", "Menu_UserTagEditClick", kProgram, kOptions},
    {EditTools, "EditTools", "E6Click", kProgram, kOptions},
    {CloseWindow, "CloseWindow", "Exit1Click", kProgram, kMain},
    {ShowMainWindow, "ShowMainWindow", "Open1Click", kProgram, kMain},
    {ActivateMainWindow, "ActivateMainWindow", "", kProgram, kDesktop},
    {TrayExit, "TrayExit", "TrayExitClick", kProgram, kMain},
    {HelpTopics, "HelpTopics", "H3Click", kProgram, kMain},
    {HomePage, "HomePage", "TagslingW1Click", kProgram, kMain},
    {About, "About", "About1Click", kProgram, kMain},
    {ShowTagMenu, "ShowTagMenu", "", kProgram, kDesktop},
    {ShowShortTagMenu, "ShowShortTagMenu", "", kProgram, kDesktop},
    {ShowToolMenu, "ShowToolMenu", "", kProgram, kDesktop},
    {ShowOuterToolMenu, "ShowOuterToolMenu", "", kProgram, kDesktop},
    {ShowTagMenuModeInverted, "ShowTagMenuModeInverted", "", kProgram, kDesktop},
    {ShowShortTagMenuModeInverted, "ShowShortTagMenuModeInverted", "", kProgram, kDesktop},
    // Live preview.
    {kLivePreview, "LivePreview", "", kProgram, CommandRegistrar::kLivePreview},
    {kStopLivePreview, "StopLivePreview", "", kProgram, CommandRegistrar::kLivePreview},
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
