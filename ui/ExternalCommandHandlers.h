#pragma once
// The handlers of the external-program commands: registered tools, browser
// preview and sizing, the editor's new and open commands and fitting the
// editor to the free area (menu items, buttons and hot keys alike). They run
// the portable command procedures on the text tools' context
// (MainTextToolsContext) and one Win32ExternalHost, which lives as long as
// the handlers.

#include "ui/Win32ExternalHost.h"
#include "ui/model/CommandHandlers.h"

namespace tagsling::ui {

void RegisterExternalCommandHandlers(CommandHandlers& handlers, const ExternalHostWindows& windows);

}  // namespace tagsling::ui
