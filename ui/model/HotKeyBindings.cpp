#include "ui/model/HotKeyBindings.h"

namespace tagsling::ui {
namespace {

using enum CommandId;

// Identifiers 19 and 20 cross over: "PMHotKey_Mode" opens the short tag menu
// and "PMHotKey_S_Mode" the full one, both with the mode inverted.
constexpr HotKeyBinding kHotKeys[] = {
    {1, "PMHotKey", ShowTagMenu},
    {2, "ActiveHotKey", ActivateMainWindow},
    {3, "ColorHotKey", ColorRgb},
    {4, "W640HotKey", ForegroundBrowser640},
    {5, "W800HotKey", ForegroundBrowser800},
    {6, "W1024HotKey", ForegroundBrowser1024},
    {7, "PMHotKey_S", ShowShortTagMenu},
    {8, "FileHotKey", FileNameInput},
    {9, "UrlHotKey", UrlInput},
    {10, "TextHotKey", TextInsert},
    {11, "HasamiHotKey", ToggleSandwich},
    {12, "EditorNewHotKey", EditorNew},
    {13, "EditorOpenHotKey", EditorOpen},
    {14, "EditorWinMaxHotKey", ForegroundEditorToFreeArea},
    {15, "SetBaseDirHotKey", SetBaseFolder},
    {16, "DelBaseDirHotKey", ClearBaseFolder},
    {17, "OpenBaseDirHotKey", OpenBaseFolder},
    {18, "PMHotKey_Tool", ShowToolMenu},
    {19, "PMHotKey_Mode", ShowShortTagMenuModeInverted},
    {20, "PMHotKey_S_Mode", ShowTagMenuModeInverted},
    {21, "PMHotKey_OuterTools", ShowOuterToolMenu},
    {22, "OpenIEHotKey", PreviewIE},
    {23, "OpenNNHotKey", PreviewNN},
    {24, "OpenDefaultBrowserHotKey", PreviewDefaultBrowser},
    {25, "ExpandAbbrevHotKey", ExpandAbbreviation},
    {26, "WrapAbbrevHotKey", WrapWithAbbreviation},
    {27, "LivePreviewHotKey", kLivePreview},
};

}  // namespace

std::span<const HotKeyBinding> AllHotKeys() { return kHotKeys; }

CommandId HotKeyCommand(int id) {
  for (const HotKeyBinding& h : kHotKeys) {
    if (h.id == id) return h.command;
  }
  return None;
}

}  // namespace tagsling::ui
