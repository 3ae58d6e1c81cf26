#pragma once
// Conversions at the Win32 boundary (Windows builds only). The program's
// strings are code page 932 byte strings, whatever the system's ANSI code
// page, in their lossless form (common/LosslessText.h): a character code page
// 932 cannot hold travels as a token, so paths and texts from the wide API
// come back from SjisToWide unchanged. The menu and palette model carries
// UTF-8 captions; the wide API takes UTF-16.

#include <string>
#include <string_view>

namespace tagsling::win {

std::wstring Utf8ToWide(std::string_view utf8);
std::wstring SjisToWide(std::string_view sjis);
std::string WideToSjis(std::wstring_view wide);
std::string WideToUtf8(std::wstring_view wide);

// The full path of the running executable, wide and as a lossless code page
// 932 string.
std::wstring ExecutablePathWide();
std::string ExecutablePath();

}  // namespace tagsling::win
