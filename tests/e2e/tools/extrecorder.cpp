// extrecorder: a registered tool (or a browser) of the external-program tests.
// Each start appends one record to the file beside the executable named like
// it with ".txt" added (extrecorder.exe.txt), in UTF-8:
//   cwd=<working folder>
//   arg=<argument>      one line per argument, as the C runtime splits them
//   end
// and exits at once.

#include <windows.h>

#include <string>

#include "StandInText.h"

int wmain(int argc, wchar_t** argv) {
  wchar_t module[MAX_PATH * 4] = L"";
  GetModuleFileNameW(nullptr, module, MAX_PATH * 4);
  wchar_t folder[MAX_PATH * 4] = L"";
  GetCurrentDirectoryW(MAX_PATH * 4, folder);

  std::wstring record = L"cwd=" + std::wstring(folder) + L"\n";
  for (int i = 1; i < argc; ++i) record += L"arg=" + std::wstring(argv[i]) + L"\n";
  record += L"end\n";
  return standin::Append(std::wstring(module) + L".txt", record) ? 0 : 1;
}
