#pragma once
// The small dialogs the options dialog opens: the user-tag editor
// (TTagEditForm), the external-tool editor (TToolForm) and the virtual-key
// dialog (TKeySetForm). Each is placed with its window's top-left corner at
// `at` (the options dialog's client origin) and shown modally.

#include <windows.h>

#include "settings/AppSettings.h"
#include "ui/model/ListEditing.h"

namespace tagsling::ui {

// Edits `row` (title, tag); empty fields for "add". True on OK, with the
// fields written back into `row`. OK is enabled by TagEditOkEnabled.
bool ShowTagEditDialog(HWND owner, POINT at, ListRow& row);

// Edits `row` (name, program, parameters, working folder). OK is enabled by
// ToolEditOkEnabled.
bool ShowToolEditDialog(HWND owner, POINT at, ListRow& row);

// The virtual-key dialog. OK writes SendKey_Cut, SendKey_Copy and
// SendKey_Paste into `settings` at once.
bool ShowKeySetDialog(HWND owner, POINT at, settings::AppSettings& settings);

}  // namespace tagsling::ui
