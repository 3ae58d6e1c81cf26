#pragma once
// The sandwich-mode switch and the always-on-top switch.
//
// Sandwich mode (the setting HasamiMode) is shown by five controls: the three
// "挟み込みモード(&H)" menu items (menu bar, ToolPanelMenu, TrayMenu), whose
// check marks are computed when their menu opens (MenuStates.h), and the two
// grouped mode buttons TB_Hasami_Off / TB_Hasami_On of ToolBar12; and by two
// icons: MyAppIcons image 0 (normal mode) or 1 (sandwich mode) is both the
// notification-area icon and the taskbar icon.

namespace tagsling::ui {

inline constexpr int kNormalModeIcon = 0;    // MyAppIcons index
inline constexpr int kSandwichModeIcon = 1;  // MyAppIcons index

struct SandwichIndicators {
  bool on_button_down;
  bool off_button_down;
  int icon;  // MyAppIcons index for the tray and the taskbar
};

// What the mode buttons and icons show for `sandwich_mode` ("synchronise").
SandwichIndicators ShowSandwichMode(bool sandwich_mode);

// The mode after a click on a mode button, from the button's new state.
bool ModeFromOnButton(bool on_button_down);
bool ModeFromOffButton(bool off_button_down);

// The mode or on-top value after a click on a check item: the opposite of the
// check mark the item showed.
bool ValueFromCheckItem(bool item_was_checked);

// Where SetWindowPos puts the main window for an always-on-top value
// (HWND_TOPMOST or HWND_NOTOPMOST, with SWP_NOMOVE | SWP_NOSIZE).
enum class ZOrder { kTopmost, kNotTopmost };
ZOrder OnTopZOrder(bool on_top);

}  // namespace tagsling::ui
