#pragma once
// The wrap command's dialog "略記で囲む": a combo box holding the
// abbreviations confirmed last (newest first, the newest filled in and
// selected, so Enter repeats it), OK and キャンセル. Built at run time like
// the program's other small dialogs, centred on the screen like the folder
// picker, owned by the dialog host. OK with only blanks in the entry beeps
// and keeps the dialog open. Texts are code page 932.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tagsling::ui {

// The entry as typed when confirmed with OK; nullopt for キャンセル.
std::optional<std::string> ShowAbbreviationDialog(HWND owner, const std::vector<std::string>& history);

}  // namespace tagsling::ui
