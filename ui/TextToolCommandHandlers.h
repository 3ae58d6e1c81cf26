#pragma once
// The handlers of the text-input commands: tag deletion in its three modes
// and the two abbreviation commands (palette and menus capture the target;
// the hot-key popup keeps the focus it already gave the editor), file-name,
// URL, text-file and colour input, the base-folder commands and the
// relative-path switch. Registering them also sets up the text tools'
// context and TColorForm.

#include "ui/Win32TextTools.h"
#include "ui/model/CommandHandlers.h"

namespace tagsling::ui {

void RegisterTextToolHandlers(CommandHandlers& handlers, const TextToolsSetup& setup);

}  // namespace tagsling::ui
