#pragma once
// What the 27 hot keys do, on top of the binding table of HotKeyBindings.h:
// - the registration pass (identifiers 1..27 in ascending order, each with
//   the shortcut text of its setting) and its failure message;
// - the dispatch of a pressed hot key, gated by IsBusy;
// - the four caret menus: which popup menu, which "PMIti_" setting places it,
//   and whether sandwich mode is inverted while it is used (identifiers 19
//   and 20 cross: "PMHotKey_Mode" opens ShortTagPopup, "PMHotKey_S_Mode"
//   TagPopup);
// - the inverted-mode run and its restore;
// - "show the main window" (identifier 2).
// The Win32 layer carries these out (ui/HookHotKey, ui/CaretMenu).

#include <functional>
#include <optional>
#include <string>

#include "settings/AppSettings.h"
#include "ui/model/Commands.h"
#include "ui/model/HotKeyBindings.h"
#include "ui/model/MenuTrees.h"
#include "ui/model/ShortcutText.h"

namespace tagsling::ui {

// The shortcut text the binding's setting holds in `settings`.
const std::string& HotKeyText(const settings::AppSettings& settings, const HotKeyBinding& binding);

// The system's hot-key registrations, for one window.
class HotKeyRegistrar {
 public:
  virtual ~HotKeyRegistrar() = default;
  virtual bool AddHotKey(int id, ShortcutCode code) = 0;  // RegisterHotKey
  virtual bool RemoveHotKey(int id) = 0;                  // UnregisterHotKey
};

// "ホットキー「TEXT」の登録に失敗しました。" and its box caption
// "ホットキーの登録 - Tagsling", Shift-JIS.
std::string HotKeyFailedMessage(const std::string& text);
extern const char* const kHotKeyErrorCaption;

// Registers every hot key in identifier order. An empty text removes the
// identifier's registration. A text the system refuses, or one that names no
// key (it is not handed to the system as key 0), calls `report_failure` with
// the message above and then removes the identifier; the setting keeps its
// text, so the next pass tries again. Returns the number of failures.
int RegisterAllHotKeys(const settings::AppSettings& settings, HotKeyRegistrar& registrar,
                       const std::function<void(const std::string& message)>& report_failure,
                       const DriverKeyName& driver = {});

// Removes all 26 registrations (while the options dialog is shown).
void RemoveAllHotKeys(HotKeyRegistrar& registrar);

// The command a pressed hot key runs: None while busy or for an identifier
// outside 1..26.
CommandId DispatchHotKey(int id, bool busy);

// A popup menu raised at the caret by a hot key.
struct CaretMenuCommand {
  MenuId menu;
  int settings::AppSettings::*position;  // PMIti_A, PMIti_S, PMIti_Tool or PMIti_OuterTools
  bool invert_mode;                      // sandwich mode inverted while the menu is used
};

// The caret menu of a hot-key command, or nullopt for the other commands.
std::optional<CaretMenuCommand> CaretMenuOf(CommandId command);

// Runs `body` with sandwich mode inverted: `toggle` switches the mode (and
// updates its buttons and icons). Afterwards the mode is toggled back only
// when it still differs from the remembered one, so a command that already
// switched it back (PasteHasamiOff) is not undone.
void RunWithModeInverted(const bool& sandwich_mode, const std::function<void()>& toggle,
                         const std::function<void()>& body);

// Identifier 2, "show the main window".
enum class ShowMainWindowAction {
  kNone,                // visible and active, or busy
  kRestoreApplication,  // minimized: restore, nothing more
  kForegroundAndShow,   // make the application window the foreground one, show the main window
};
ShowMainWindowAction DecideShowMainWindow(bool main_visible, bool app_active, bool app_minimized, bool busy);

}  // namespace tagsling::ui
