#include "ui/model/HotKeyBindings.h"

namespace tagsling::ui {
namespace {

using enum CommandId;

// Identifiers 19 and 20 cross over: "PMHotKey_Mode" opens the short tag menu
// and "PMHotKey_S_Mode" the full one, both with the mode inverted.
constexpr HotKeyBinding kHotKeys[] = {
    {1, "PMHotKey", kShowTagMenu},
    {2, "ActiveHotKey", kActivateMainWindow},
    {3, "ColorHotKey", kColorRgb},
    {4, "W640HotKey", kForegroundBrowser640},
    {5, "W800HotKey", kForegroundBrowser800},
    {6, "W1024HotKey", kForegroundBrowser1024},
    {7, "PMHotKey_S", kShowShortTagMenu},
    {8, "FileHotKey", kFileNameInput},
    {9, "UrlHotKey", kUrlInput},
    {10, "TextHotKey", kTextInsert},
    {11, "HasamiHotKey", kToggleSandwich},
    {12, "EditorNewHotKey", kEditorNew},
    {13, "EditorOpenHotKey", kEditorOpen},
    {14, "EditorWinMaxHotKey", kForegroundEditorToFreeArea},
    {15, "SetBaseDirHotKey", kSetBaseFolder},
    {16, "DelBaseDirHotKey", kClearBaseFolder},
    {17, "OpenBaseDirHotKey", kOpenBaseFolder},
    {18, "PMHotKey_Tool", kShowToolMenu},
    {19, "PMHotKey_Mode", kShowShortTagMenuModeInverted},
    {20, "PMHotKey_S_Mode", kShowTagMenuModeInverted},
    {21, "PMHotKey_OuterTools", kShowOuterToolMenu},
    {22, "OpenIEHotKey", kPreviewIE},
    {23, "OpenNNHotKey", kPreviewNN},
    {24, "OpenDefaultBrowserHotKey", kPreviewDefaultBrowser},
    {25, "ExpandAbbrevHotKey", kExpandAbbreviation},
    {26, "WrapAbbrevHotKey", kWrapWithAbbreviation},
    {27, "LivePreviewHotKey", kLivePreview},
};

}  // namespace

std::span<const HotKeyBinding> AllHotKeys() { return kHotKeys; }

CommandId HotKeyCommand(int id) {
  for (const HotKeyBinding& h : kHotKeys) {
    if (h.id == id) return h.command;
  }
  return kNone;
}

}  // namespace tagsling::ui
