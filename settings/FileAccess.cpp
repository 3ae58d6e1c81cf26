#include "settings/FileAccess.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include "common/WinText.h"
#endif

namespace tagsling::settings {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
// Code page 932 bytes to a wide path, whatever the system's ANSI code page.
fs::path NativePath(const std::string& path) { return fs::path(win::SjisToWide(path)); }

bool RenameOver(const fs::path& from, const fs::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
fs::path NativePath(const std::string& path) { return fs::path(path); }

bool RenameOver(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::rename(from, to, error);
  return !error;
}
#endif

// A file whose owner may not write it counts as read-only, as the read-only
// attribute does on Windows; it is never replaced behind the user's back.
bool IsReadOnly(const fs::path& path) {
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) return false;
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  fs::path native = NativePath(path);
  std::error_code error;
  fs::file_status status = fs::status(native, error);
  if (!fs::exists(status)) return FileReadResult::kMissing;
  if (!fs::is_regular_file(status)) return FileReadResult::kError;
  std::ifstream in(native, std::ios::binary);
  if (!in) return FileReadResult::kError;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    bytes.clear();
    return FileReadResult::kError;
  }
  return FileReadResult::kOk;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& bytes) {
  fs::path target = NativePath(path);
  if (path.empty() || IsReadOnly(target)) return false;
  std::error_code error;
  if (fs::is_directory(target, error)) return false;
  fs::path temporary = target;
  temporary += ".tmp~";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      fs::remove(temporary, error);
      return false;
    }
  }
  if (!RenameOver(temporary, target)) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace tagsling::settings
