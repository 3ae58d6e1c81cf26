#pragma once
// The options dialog TTagslingOptionForm on screen: a tab control with the
// ten pages of OptionsPages(), built at run time, rendering an
// OptionsDialogModel. Opening, the closing steps and everything that is
// decided live in the model (ui/model/OptionsDialogModel.h); this file only
// turns controls into model calls and back.

#include <windows.h>

#include "ui/model/OptionsDialogModel.h"

namespace tagsling::ui {

// The window class of the dialog (the target-window search skips it).
inline constexpr wchar_t kOptionsWindowClass[] = L"TTagslingOptionForm";

// Shows the dialog modally on page `first_page` (OptionsOpening::first_page)
// and runs the closing steps against `host`. While it runs the options
// dialog counts as existing for IsBusy. True when it was closed with OK.
// A list that could not be written is reported in the error box after the
// other closing steps ran.
bool ShowOptionsDialog(HWND owner, int first_page, OptionsDialogHost& host);

// The whole options command from a menu item or button: the opening rules
// of DecideOptionsOpening around ShowOptionsDialog (application window to
// the foreground, the taskbar button removed while the palette is hidden and
// restored afterwards, then ReturnForegroundToTarget). `app` is the hidden
// application window, `main` the palette, which owns the dialog.
bool RunOptionsCommand(OptionsOpenSource source, HWND app, HWND main, OptionsDialogHost& host);

// The keyboard driver's key names (GetKeyNameTextW), for
// OptionsDialogHost::KeyNames of the Win32 host.
DriverKeyName Win32KeyNames();

}  // namespace tagsling::ui
