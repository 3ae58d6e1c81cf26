#pragma once
// Decisions of the palette program's outer shell: which settings are read
// before any window exists, whether the title window and the main window are
// shown at start, what closing the main window does, and the busy test that
// hot keys, notification-area clicks and auto-activation consult.

#include <bitset>
#include <string>

namespace tagsling::ui {

// The four settings read straight from the settings file before any window
// is created (section "Option").
struct StartupSettings {
  bool tray_icon = false;      // TrayIcon
  bool start_no_form = false;  // StartNoForm
  bool appbar = false;         // Appbar
  bool splash_window = true;   // SplashWindow
};

StartupSettings ReadStartupSettings(const std::string& settings_path);

// Docking is decided once, from the settings file, for the whole run: the
// palette docks as a desktop toolbar (Appbar), with or without its menu bar
// (NoMenuBar).
struct DockedChoice {
  bool docked = false;
  bool no_menu_bar = false;
};
DockedChoice ReadDockedChoice(const std::string& settings_path);

// The title window is shown while starting unless the palette docks.
bool ShowsTitleWindow(const StartupSettings& startup);

// Resident start: only the notification-area icon, the main window hidden.
bool StartsHidden(const StartupSettings& startup);

// What a close request of the main window does.
enum class CloseAction {
  kClose,    // the window closes and the program ends
  kHide,     // resident: the window is hidden, the program keeps running
  kNothing,  // resident while minimized: nothing changes
};

struct CloseState {
  bool tray_icon = false;       // TrayIcon, as currently set
  bool docked = false;          // decided when the window was created
  bool exit_requested = false;  // set by "Tagsling の終了(&X)"
  bool app_minimized = false;
};

CloseAction DecideClose(const CloseState& state);

// The modal interactions during which the program counts as busy.
enum class BusyFlag {
  kAbout,
  kColorDialog,
  kFileNameInput,
  kUrlInput,
  kTextFileInput,
  kEditorOpenDialog,
  kBaseFolder,
  kAbbreviationDialog,
  kHotKeyPopup,
  kWaitingForProgram,  // a wait for another program (ui/ProgramWait)
  kCount,
};

struct BusyState {
  std::bitset<static_cast<size_t>(BusyFlag::kCount)> flags;
  bool options_dialog_exists = false;
  bool main_window_enabled = true;  // the window and its native window
};

// True while any flag is set, the options dialog exists, or the main window
// is disabled (as while any modal window of the program is up).
bool IsBusy(const BusyState& state);

}  // namespace tagsling::ui
