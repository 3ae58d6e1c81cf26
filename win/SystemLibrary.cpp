#include "win/SystemLibrary.h"

#include <map>
#include <string>

namespace tagsling::win {

FARPROC SystemFunction(const wchar_t* library, const char* function) {
  // Loaded once per library; all callers run on the user-interface thread.
  static std::map<std::wstring, HMODULE> loaded;
  auto [entry, inserted] = loaded.try_emplace(library, nullptr);
  if (inserted) entry->second = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return entry->second ? GetProcAddress(entry->second, function) : nullptr;
}

BOOL OpenFileDialog(OPENFILENAMEW& request) {
  const auto open = SystemFunctionAs<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  return open ? open(&request) : FALSE;
}

BOOL ColorDialog(CHOOSECOLORW& request) {
  const auto choose = SystemFunctionAs<decltype(&ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
  return choose ? choose(&request) : FALSE;
}

}  // namespace tagsling::win
