#pragma once
// Whole-file reads and atomic whole-file replacement for the profile layer.
// Paths are lossless code page 932 strings (common/LosslessText.h); on
// Windows they are converted to UTF-16 and opened through the wide API, so
// the program works in any folder, whatever the system's ANSI code page is.

#include <cstdint>
#include <string>

namespace tagsling::settings {

enum class FileReadResult { kOk, kMissing, kError, kTooLarge };

// The largest file the profile layer reads ("Html.dat", the settings file):
// far beyond any real one, and small enough that a wrong file chosen by
// mistake costs no memory to speak of.
inline constexpr std::uint64_t kProfileFileSizeLimit = 4 * 1024 * 1024;

// Reads the whole file as bytes. kMissing when there is no such file,
// kError when it exists but cannot be read (a folder, no access), kTooLarge
// (nothing read) when it holds more than kProfileFileSizeLimit bytes.
FileReadResult ReadWholeFile(const std::string& path, std::string& bytes);

// What tells one state of a file from another: whether it exists, its size
// and its last-write time.
struct FileStamp {
  bool exists = false;
  std::uint64_t size = 0;
  std::uint64_t modified = 0;
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

// Writes `bytes` to a temporary file beside `path` and renames it over the
// original in one step, its bytes flushed to the disk before the rename. A
// read-only original is not replaced. On any failure
// the temporary file is removed, the original is untouched, and false is
// returned.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace tagsling::settings
