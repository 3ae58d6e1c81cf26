#pragma once
// Whole-file reads and atomic whole-file replacement for the profile layer.
// Paths are Shift-JIS byte strings; on Windows they are converted with code
// page 932 and opened through the wide API, so the program works whatever the
// system's ANSI code page is.

#include <string>

namespace tagsling::settings {

enum class FileReadResult { kOk, kMissing, kError };

// Reads the whole file as bytes. kMissing when there is no such file,
// kError when it exists but cannot be read (a folder, no access).
FileReadResult ReadWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` to a temporary file beside `path` and renames it over the
// original in one step. A read-only original is not replaced. On any failure
// the temporary file is removed, the original is untouched, and false is
// returned.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace tagsling::settings
