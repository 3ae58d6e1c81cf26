#pragma once
// Text output of the external-program stand-ins: UTF-16 from the wide API
// to UTF-8 for the Python side, printed or appended to a record file.

#include <windows.h>

#include <string>

namespace standin {

inline std::string ToUtf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(len), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), len, nullptr, nullptr);
  return out;
}

inline void Print(const std::wstring& text) {
  const std::string utf8 = ToUtf8(text);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// Appends `text` to the file, which is opened and closed again each time so
// a reader sees every record at once. False when it cannot be opened.
inline bool Append(const std::wstring& path, const std::wstring& text) {
  const std::string bytes = ToUtf8(text);
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return true;
}

}  // namespace standin
