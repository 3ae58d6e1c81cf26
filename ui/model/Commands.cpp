#include "ui/model/Commands.h"

namespace tagsling::ui {
namespace {

using enum CommandId;
constexpr CommandKind kTag = CommandKind::kTagKey;
constexpr CommandKind kProgram = CommandKind::kProgram;
constexpr CommandRegistrar kNobody = CommandRegistrar::kNone;
constexpr CommandRegistrar kMain = CommandRegistrar::kMainWindow;
constexpr CommandRegistrar kExternal = CommandRegistrar::kExternalPrograms;
constexpr CommandRegistrar kText = CommandRegistrar::kTextTools;
constexpr CommandRegistrar kOptions = CommandRegistrar::kOptionsDialog;
constexpr CommandRegistrar kDesktop = CommandRegistrar::kDesktopIntegration;

// Handler names are the main window's; commands reached only by a hot key,
// and the commands that came later (the default-browser preview, the
// abbreviations), have none. The last column names the part that registers
// the handler.
constexpr Command kCommands[] = {
    {kNone, "None", "", kProgram, kNobody},
    {kRunTagCommand, "RunTagCommand", "RunTagCommand", kTag, kMain},
    {kRunTagCommandFromPopup, "RunTagCommandFromPopup", "_PM_TagClick", kTag, kMain},
    {kRunUserTag, "RunUserTag", "RunUserTag", CommandKind::kUserTag, kMain},
    {kRunUserTagFromPopup, "RunUserTagFromPopup", "RunUserTagFromPopup", CommandKind::kUserTag, kMain},
    {kRunExternalTool, "RunExternalTool", "RunExternalTool", CommandKind::kTool, kExternal},
    {kEditorNew, "EditorNew", "New1Click", kProgram, kExternal},
    {kEditorOpen, "EditorOpen", "Open2Click", kProgram, kExternal},
    {kEditorToFreeArea, "EditorToFreeArea", "N128Click", kProgram, kExternal},
    {kForegroundEditorToFreeArea, "ForegroundEditorToFreeArea", "", kProgram, kExternal},
    {kPreviewIE, "PreviewIE", "InternetExplorerI1Click", kProgram, kExternal},
    {kPreviewNN, "PreviewNN", "NetscapeNavigatorN1Click", kProgram, kExternal},
    {kPreviewDefaultBrowser, "PreviewDefaultBrowser", "", kProgram, kExternal},
    {kBrowserSize640, "BrowserSize640", "N640x4801Click", kProgram, kExternal},
    {kBrowserSize800, "BrowserSize800", "N800x6001Click", kProgram, kExternal},
    {kBrowserSize1024, "BrowserSize1024", "N1024x7681Click", kProgram, kExternal},
    {kForegroundBrowser640, "ForegroundBrowser640", "", kProgram, kExternal},
    {kForegroundBrowser800, "ForegroundBrowser800", "", kProgram, kExternal},
    {kForegroundBrowser1024, "ForegroundBrowser1024", "", kProgram, kExternal},
    {kToggleSandwich, "ToggleSandwich", "Menu_HasamiClick", kProgram, kMain},
    {kSandwichOnButton, "SandwichOnButton", "TB_Hasami_OnClick", kProgram, kMain},
    {kSandwichOffButton, "SandwichOffButton", "TB_Hasami_OffClick", kProgram, kMain},
    {kToggleOnTop, "ToggleOnTop", "Menu_OnTopClick", kProgram, kMain},
    {kDeleteOutermostTag, "DeleteOutermostTag", "H2Click", kProgram, kText},
    {kDeleteAllTags, "DeleteAllTags", "A1Click", kProgram, kText},
    {kRemoveComment, "RemoveComment", "N135Click", kProgram, kText},
    {kDeleteOutermostTagFromPopup, "DeleteOutermostTagFromPopup", "T11Click", kProgram, kText},
    {kDeleteAllTagsFromPopup, "DeleteAllTagsFromPopup", "A4Click", kProgram, kText},
    {kRemoveCommentFromPopup, "RemoveCommentFromPopup", "C3Click", kProgram, kText},
    {kExpandAbbreviation, "ExpandAbbreviation", "", kProgram, kText},
    {kWrapWithAbbreviation, "WrapWithAbbreviation", "", kProgram, kText},
    {kExpandAbbreviationFromPopup, "ExpandAbbreviationFromPopup", "", kProgram, kText},
    {kWrapWithAbbreviationFromPopup, "WrapWithAbbreviationFromPopup", "", kProgram, kText},
    {kFileNameInput, "FileNameInput", "F2Click", kProgram, kText},
    {kUrlInput, "UrlInput", "URLA1Click", kProgram, kText},
    {kTextInsert, "TextInsert", "T5Click", kProgram, kText},
    {kColorRgb, "ColorRgb", "Color2Click", kProgram, kText},
    {kOpenBaseFolder, "OpenBaseFolder", "O2Click", kProgram, kText},
    {kSetBaseFolder, "SetBaseFolder", "B2Click", kProgram, kText},
    {kClearBaseFolder, "ClearBaseFolder", "D2Click", kProgram, kText},
    {kToggleRelativePath, "ToggleRelativePath", "P6Click", kProgram, kText},
    {kOptionsDialog, "OptionsDialog", "Menu_OptionClick", kProgram, kOptions},
    {kOptionsDialogFromPopup, "OptionsDialogFromPopup", "S3Click", kProgram, kOptions},
    {kEditUserTags, "EditUserTags", "Menu_UserTagEditClick", kProgram, kOptions},
    {kEditTools, "EditTools", "E6Click", kProgram, kOptions},
    {kCloseWindow, "CloseWindow", "Exit1Click", kProgram, kMain},
    {kShowMainWindow, "ShowMainWindow", "Open1Click", kProgram, kMain},
    {kActivateMainWindow, "ActivateMainWindow", "", kProgram, kDesktop},
    {kTrayExit, "TrayExit", "TrayExitClick", kProgram, kMain},
    {kHelpTopics, "HelpTopics", "H3Click", kProgram, kMain},
    {kHomePage, "HomePage", "TagslingW1Click", kProgram, kMain},
    {kAbout, "About", "About1Click", kProgram, kMain},
    {kShowTagMenu, "ShowTagMenu", "", kProgram, kDesktop},
    {kShowShortTagMenu, "ShowShortTagMenu", "", kProgram, kDesktop},
    {kShowToolMenu, "ShowToolMenu", "", kProgram, kDesktop},
    {kShowOuterToolMenu, "ShowOuterToolMenu", "", kProgram, kDesktop},
    {kShowTagMenuModeInverted, "ShowTagMenuModeInverted", "", kProgram, kDesktop},
    {kShowShortTagMenuModeInverted, "ShowShortTagMenuModeInverted", "", kProgram, kDesktop},
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
  if (name.empty()) return kNone;
  for (const Command& c : kCommands) {
    if (c.name == name || c.handler == name) return c.id;
  }
  return kNone;
}

}  // namespace tagsling::ui
