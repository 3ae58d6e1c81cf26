// extrecorder: a registered tool (or a browser) of the external-program tests.
// Each start appends one record to the file beside the executable named like
// it with ".txt" added (extrecorder.exe.txt), in UTF-8:
//   cwd=<working folder>
//   arg=<argument>      one line per argument, as the C runtime splits them
//   end
// and exits at once.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string ToUtf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(len), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), len, nullptr, nullptr);
  return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t module[MAX_PATH * 4] = L"";
  GetModuleFileNameW(nullptr, module, MAX_PATH * 4);
  wchar_t folder[MAX_PATH * 4] = L"";
  GetCurrentDirectoryW(MAX_PATH * 4, folder);

  std::wstring record = L"cwd=" + std::wstring(folder) + L"\n";
  for (int i = 1; i < argc; ++i) record += L"arg=" + std::wstring(argv[i]) + L"\n";
  record += L"end\n";
  const std::string bytes = ToUtf8(record);

  const std::wstring path = std::wstring(module) + L".txt";
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
