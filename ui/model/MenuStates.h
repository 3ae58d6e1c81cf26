#pragma once
// Check marks and enabled states computed when a menu opens. They are not
// kept up to date in between: the Win32 layer asks for them from its
// WM_INITMENUPOPUP handling (where the menu tables name an open handler) for
// the items of the menu that opens.
//
// The state of an item follows from its command alone, wherever it appears:
// - "挟み込みモード(&H)" (ToggleSandwich): checked while sandwich mode is on;
// - "常に最前面表示(&T)" (ToggleOnTop): checked while always-on-top is on,
//   enabled only while the window is not docked;
// - "基本フォルダをクリア(&D)" (ClearBaseFolder): enabled only while a base
//   folder is set;
// - "相対パス入力(&P)" (ToggleRelativePath): checked while relative-path
//   input is on;
// - the browser sizes: enabled only when strictly narrower and lower than
//   the screen;
// - "メインウィンドウ表示(&W)..." (ShowMainWindow): enabled only while the
//   main window is hidden or the application is minimized.
// Disabled notes stay disabled; every other item is enabled and unchecked.

#include <optional>
#include <vector>

#include "ui/model/Commands.h"
#include "ui/model/MenuModel.h"

namespace tagsling::ui {

struct UiState {
  bool sandwich_mode = false;        // HasamiMode
  bool on_top = false;               // WindowOnTop
  bool docked = false;               // Appbar, as decided when the window was created
  bool relative_path_input = false;  // SoutaiPathIns
  bool base_folder_set = false;      // Public_Dir is not empty
  bool main_window_hidden = false;
  bool app_minimized = false;
  int screen_width = 0;
  int screen_height = 0;
  bool live_preview_running = false;  // "ライブプレビュー(&L)" checked, its stop enabled
};

struct ItemState {
  bool enabled = true;
  bool checked = false;
  bool operator==(const ItemState&) const = default;
};

// The state of `node` when its menu opens.
ItemState OpenTimeState(const MenuNode& node, const UiState& state);

// The states of the items of one (sub)menu, in item order.
std::vector<ItemState> OpenTimeStates(const std::vector<MenuNode>& items, const UiState& state);

struct BrowserSize {
  int width;
  int height;
};

// The window size a browser-size command sets, or nullopt for other commands.
std::optional<BrowserSize> BrowserSizeOf(CommandId command);

// A browser size is offered only when it is strictly smaller than the screen
// in both directions (on a 1024 x 768 screen 1024 x 768 is not offered).
bool BrowserSizeFits(BrowserSize size, int screen_width, int screen_height);

// Whether the menu shows its images: only the menus under the icon switch,
// and only while the setting MenuImg is on.
bool ShowsImages(const MenuModel& menu, bool menu_img);

}  // namespace tagsling::ui
