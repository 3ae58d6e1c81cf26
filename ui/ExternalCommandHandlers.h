#pragma once
// The handlers of the external-program commands: registered tools, browser
// preview and sizing, the editor's new and open commands and fitting the
// editor to the free area (menu items, buttons and hot keys alike). They run
// the portable command procedures on the Win32 desktop, the settings record
// and Win32ExternalHost; the objects they share live as long as the handlers.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/Win32Desktop.h"
#include "settings/AppSettings.h"
#include "ui/CommandHandlers.h"

namespace tagsling::ui {

struct ExternalCommandSetup {
  platform::win32::Win32Desktop& desktop;
  settings::AppSettings& settings;
  HWND main;         // TTagslingMain
  HWND application;  // TApplication
  std::function<bool()> docked;
  std::string settings_path;
};

void RegisterExternalCommandHandlers(CommandHandlers& handlers, const ExternalCommandSetup& setup);

}  // namespace tagsling::ui
