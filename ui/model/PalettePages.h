#pragma once
// The palette as data: the ten tab pages of tag buttons, the left tool
// panel's two toolbars, the "タグ " menu button of the docked panel, and the
// base-folder panel. The Win32 layer creates one toolbar button per entry
// (flat, image only, the hint as its tooltip) and dispatches clicks through
// the command table.
//
// Button kinds:
// - Plain: a click runs its command (a tag key with the palette form, or a
//   program command);
// - Split: the face runs the tag key; the arrow opens `menu` under the
//   button, a right-click anywhere on it opens `menu` at the mouse;
// - MenuButton: a left press opens `menu` under the button, a right-click
//   opens it at the mouse; it has no command of its own;
// - Check: the two mode buttons, grouped so that exactly one is down;
// - Separator.
// Program-command buttons other than the close button show themselves
// pressed while their command runs (`presses_while_running`).
//
// Hints are UTF-8 exactly as displayed; the Win32 layer converts them with
// CP_UTF8 like the menu captions. A "&" in a hint is a literal character
// ("& (&amp;)"), so the tooltips are created with TTS_NOPREFIX.
//
// The hint shown is DisplayedHint: a button whose key inserts what HTML5 no
// longer has (FONT, CENTER, DIV ALIGN, A NAME, the HTML 4.01 doctype ...)
// gets the note of ObsoleteHints.h after its hint; the button itself works
// as it always did.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "ui/model/Commands.h"
#include "ui/model/MenuTrees.h"
#include "ui/model/ObsoleteHints.h"
#include "ui/model/Pictures.h"

namespace tagsling::ui {

enum class ButtonKind : std::uint8_t { kPlain, kSplit, kMenuButton, kCheck, kSeparator };

struct PaletteButton {
  ButtonKind kind = ButtonKind::kSeparator;
  std::string_view name = {};  // component name, e.g. "TB_Moji_B"
  std::string_view hint = {};
  std::int16_t image = -1;    // a Picture's IL_ToolBt index, below kToolImageCount
  std::string_view key = {};  // tag buttons: the template key
  CommandId command = CommandId::kNone;
  MenuId menu = MenuId::kMainMenu;  // Split and MenuButton only
  bool presses_while_running = false;
  bool right_click_opens_menu = true;  // false only for the docked panel's "タグ " button
};

struct PalettePage {
  std::string_view caption;  // tab caption
  std::span<const PaletteButton> buttons;
};

// The tooltip of `button`: its hint, with the obsolete note where it applies.
std::string DisplayedHint(const PaletteButton& button);

// The ten tab pages in order; the first ("基本") is active at start. The
// page "HTML5" stands between "フレーム" and "ツール".
std::span<const PalettePage> PalettePages();

// Left tool panel (Panel3): top row and second row.
std::span<const PaletteButton> ToolPanelTopButtons();
std::span<const PaletteButton> ToolPanelModeButtons();

// ToolBar1 of Panel1, shown only when docked without the menu bar: the menu
// button opening TagPopup (its caption "タグ " is not displayed).
std::span<const PaletteButton> DockedPanelButtons();

// Fixed sizes of the main window's panels, in pixels at 100 % scaling.
struct PaletteLayout {
  int docked_panel_width = 33;    // Panel1, shown only when docked without the menu bar
  int tool_panel_width = 154;     // Panel3 with ToolBar11 and ToolBar12 (six buttons wide)
  int palette_panel_width = 470;  // Panel4 with PageControl1
  int palette_height = 50;        // PageControl1
};
inline constexpr PaletteLayout kPaletteLayout{};

// The base-folder panel (Panel8) and the panels' context menus.
struct PanelText {
  std::string_view base_folder_hint;    // Panel8 hint
  std::string_view relative_off_label;  // Label2 while relative-path input is off
  CommandId double_click;               // Panel8, Label1, Label2
  MenuId base_folder_menu;              // right-click on Panel8
  MenuId tool_panel_menu;               // right-click on Panel3
  std::string_view logo_hint;           // Image1 of Panel2; a click runs `logo_click`
  CommandId logo_click;
};
const PanelText& PalettePanelText();

}  // namespace tagsling::ui
