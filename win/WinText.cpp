#include "win/WinText.h"

#include <windows.h>

#include "common/LosslessText.h"

namespace tagsling::win {
namespace {

std::wstring ToWide(UINT code_page, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string FromWide(UINT code_page, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(code_page, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::u16string Utf16(const std::wstring& wide) { return std::u16string(wide.begin(), wide.end()); }

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::wstring SjisToWide(std::string_view sjis) {
  const std::u16string wide = DecodeLossless(sjis, [](std::string_view plain) { return Utf16(ToWide(932, plain)); });
  return std::wstring(wide.begin(), wide.end());
}

std::string WideToSjis(std::wstring_view wide) {
  return EncodeLossless(
      std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()),
      [](std::u16string_view text) {
        return FromWide(932, std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
      },
      [](std::string_view sjis) { return Utf16(ToWide(932, sjis)); });
}
std::string WideToUtf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }

std::wstring ExecutablePathWide() {
  // Long paths are allowed: grow the buffer until the whole path fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string ExecutablePath() { return WideToSjis(ExecutablePathWide()); }

}  // namespace tagsling::win
