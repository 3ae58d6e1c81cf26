#pragma once
// The options dialog in the main window: the Win32 OptionsDialogHost that
// carries out the dialog's closing steps on the palette, and the handlers of
// the four commands that open the dialog ("オプション(&S)..." and the options
// button, the tool menu's options item, "登録タグの編集(&E)..." and
// "外部ツールの編集(&E)...").

#include <windows.h>

#include <functional>
#include <string>

#include "platform/WindowSystem.h"
#include "settings/AppSettings.h"
#include "ui/DesktopIntegration.h"
#include "ui/model/CommandHandlers.h"

namespace tagsling::ui {

// What the main window lends the dialog. The references must outlive the
// registered handlers (the main window owns both).
struct OptionsWiring {
  HWND main = nullptr;         // TTagslingMain, the dialog's owner
  HWND application = nullptr;  // TApplication
  settings::AppSettings* settings = nullptr;
  std::string settings_path;
  std::string windows_family;  // GetWindowsFamily of the running system
  platform::WindowSystem* windows = nullptr;
  DesktopIntegration* desktop = nullptr;  // hot keys, tray icon, auto-activation
  std::function<bool()> docked;
  std::function<void()> rebuild_list_menus;  // user-tag and tool menus from the file
  std::function<void()> refresh_base_folder_display;
  std::function<void()> apply_menu_icons;
  std::function<void()> show_main_window;  // restore and show the palette
  std::function<void(int context)> show_help;
};

void RegisterOptionsHandlers(CommandHandlers& handlers, const OptionsWiring& wiring);

}  // namespace tagsling::ui
