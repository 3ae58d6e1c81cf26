#pragma once
// Conversions at the Win32 boundary. The program's strings are code page 932
// byte strings; the menu and palette model carries UTF-8 captions; the wide
// API takes UTF-16.

#include <string>
#include <string_view>

namespace tagsling::ui {

std::wstring Utf8ToWide(std::string_view utf8);
std::wstring SjisToWide(std::string_view sjis);
std::string WideToSjis(std::wstring_view wide);
std::string WideToUtf8(std::wstring_view wide);

// The full path of the running executable, wide and as a code page 932 string.
std::wstring ExecutablePathWide();
std::string ExecutablePath();

}  // namespace tagsling::ui
