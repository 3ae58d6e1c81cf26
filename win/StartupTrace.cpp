#include <windows.h>

#include "win/StartupTrace.h"

#include <cstdio>
#include <cstring>

namespace tagsling::win {
namespace {

HANDLE OpenTraceFile() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"TAGSLING_STARTUP_TRACE", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return INVALID_HANDLE_VALUE;
  return CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

ULONGLONG AsTicks(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

void TraceStartupStep(const char* step) {
  static const HANDLE file = OpenTraceFile();
  if (file == INVALID_HANDLE_VALUE) return;
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
  GetSystemTimePreciseAsFileTime(&now);
  // File times count 100-nanosecond intervals.
  const double milliseconds = static_cast<double>(AsTicks(now) - AsTicks(created)) / 10000.0;
  char line[128];
  const int length = std::snprintf(line, sizeof line, "%s %.1f\n", step, milliseconds);
  if (length <= 0) return;
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
}

}  // namespace tagsling::win
