#pragma once
// The open-file dialog and the folder browser of the option dialogs. Paths
// are UTF-16 as the system names them; texts of the model are UTF-8.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tagsling::ui {

// An open-file dialog starting from `initial` (hide read-only, file must
// exist, resizable). `filter` holds "description|pattern" pairs separated by
// "|". The chosen path, or nullopt when cancelled.
std::optional<std::wstring> ChooseFile(HWND owner, std::string_view title, std::string_view filter,
                                       const std::wstring& initial);

// The folder browser with `caption` as its window title and `text` above the
// tree, starting at `initial`, with a status line showing the selected path,
// centred on the screen.
std::optional<std::wstring> ChooseFolder(HWND owner, std::string_view caption, std::string_view text,
                                         const std::wstring& initial);

}  // namespace tagsling::ui
