#pragma once
// The main window's desktop integration in one object: the 23 hot keys and
// their dispatch, the caret popup menus, docking as a desktop toolbar,
// auto-activation with Tagslingmhook.dll, and the notification-area icon.
// The main window creates one after its native window exists, calls the
// step functions from its creation and destruction steps, and offers every
// message to HandleMessage first. Everything the main window owns (menus,
// commands, busy flags, the engine's caret-menu flag, showing itself) is
// reached through DesktopHost.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "settings/AppSettings.h"
#include "ui/AppBar.h"
#include "ui/AutoActivation.h"
#include "ui/CaretMenu.h"
#include "ui/HookHotKey.h"
#include "ui/TaskTray.h"
#include "ui/model/CommandHandlers.h"
#include "ui/model/Commands.h"
#include "ui/model/Lifecycle.h"
#include "ui/model/MenuTrees.h"

namespace tagsling::ui {

struct DesktopHost {
  HWND main = nullptr;
  HWND application = nullptr;
  settings::AppSettings* settings = nullptr;
  std::function<bool()> is_busy;                  // IsBusy
  std::function<void(bool open)> set_popup_open;  // the hot-key popup busy flag
  // The engine's caret-menu flag: on with the remembered focus when a caret
  // menu opens, off once the command chosen from it has run.
  std::function<void(HWND focus)> begin_caret_menu;
  std::function<void()> end_caret_menu;
  std::function<HMENU(MenuId)> menu_handle;          // TagPopup, ShortTagPopup, ToolHotKeyMenu, OuterToolHotKeyMenu
  std::function<void(UINT id)> run_menu_item;        // a chosen popup item, as a click on it
  std::function<void(CommandId)> run_command;        // every hot-key command but the mode toggle
  std::function<void()> show_sandwich_mode;          // mode buttons and icons after a change
  std::function<void()> show_main_window;            // restore when minimized, show
  std::function<void()> bring_application_to_front;  // core::BringToFrontAttached(application)
  std::function<void(POINT at)> open_tray_menu;      // the tray menu at the point, until it closes
};

class DesktopIntegration {
 public:
  DesktopIntegration(DesktopHost host, DockedChoice docked);
  ~DesktopIntegration();
  DesktopIntegration(const DesktopIntegration&) = delete;
  DesktopIntegration& operator=(const DesktopIntegration&) = delete;

  bool Docked() const { return docked_.docked; }
  // The height limit WM_GETMINMAXINFO applies: the docked thickness while
  // docked, otherwise "FormHeight".
  int HeightLimit() const;

  // While docked: always on top and registered as the desktop toolbar at the top edge.
  void Dock();
  // Installs the thread-local mouse hook, loads the hook library and, with
  // "AutoActive_OnTop", calls its SetHook. False after the error box when the
  // library or an export is missing: the program must end.
  bool InstallHooks();
  // At creation and on the options dialog's confirmation: the icon is
  // registered exactly when "TrayIcon" is on and the window is not docked.
  void ApplyTrayIcon();
  // The mode display: the icon image follows sandwich mode.
  void SetTrayIconImage(HICON icon);
  // At creation and after the options dialog; RemoveHotKeys while it is shown.
  void RegisterHotKeys();
  void RemoveHotKeys();
  // The options dialog's confirmation: attach or detach the hook library.
  void ApplyAutoActivation();
  // On destruction: detaches the hook library, removes the mouse hook and the
  // desktop toolbar. Safe to call twice.
  void Shutdown();

  // kAutoActivateMessage and kAppBarCallbackMessage. True when the message
  // was handled; `result` is its answer.
  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

  // The handlers of the commands only hot keys reach: showing the palette
  // and the caret menus.
  void RegisterHandlers(CommandHandlers& handlers);

  // A pressed hot key (also reachable for tests through WM_HOTKEY).
  void OnHotKey(unsigned id);
  // Identifier 2 and the tray's left click.
  void ShowMainWindowByHotKey();

 private:
  void ToggleSandwich();
  void ShowCaretMenu(CommandId command);
  void OnTrayMouseDown(TrayButton button, POINT at);
  bool Busy() const { return host_.is_busy && host_.is_busy(); }

  DesktopHost host_;
  DockedChoice docked_;
  HookHotKey hot_keys_;
  AppBar app_bar_;
  MouseHookLibrary hook_library_;
  std::unique_ptr<TaskTray> tray_;
  bool hooks_installed_ = false;
};

}  // namespace tagsling::ui
