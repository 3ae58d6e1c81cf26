#pragma once
// Text the option dialogs store in the settings file, which is code page
// 932: a path chosen in a file or folder dialog, a template typed into a
// field. A character that code page cannot hold (an accented letter, an
// emoji) would come back as "?" or as a look-alike, silently changing the
// path or the template; instead the dialog names the characters and keeps
// the field as the user left it.

#include <windows.h>

#include <optional>
#include <string>

namespace tagsling::ui {

// Whether every character of the window's text survives code page 932.
bool IsStorable(HWND field);

// The text of `field` as code page 932 when every character survives; else
// nullopt, after a message box owned by `dialog` has named the characters
// and the field has the focus with its text selected.
std::optional<std::string> StorableFieldText(HWND dialog, HWND field);

// The UTF-16 text of a window.
std::wstring WindowTextWide(HWND window);

}  // namespace tagsling::ui
