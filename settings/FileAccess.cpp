#include "settings/FileAccess.h"

#include <utility>

#include "common/NativeFile.h"

#ifdef _WIN32
#include "win/WinText.h"
#endif

namespace tagsling::settings {

namespace {

// Lossless code page 932 to the system's name, whatever the system's ANSI
// code page.
common::NativePath NativePath(const std::string& path) {
#ifdef _WIN32
  return win::SjisToWide(path);
#else
  return path;
#endif
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  const common::NativePath native = NativePath(path);
  const common::FileStatus status = common::StatusOf(native);
  if (!status.exists) return FileReadResult::kMissing;
  if (!status.regular) return FileReadResult::kError;
  if (status.size > kProfileFileSizeLimit) return FileReadResult::kTooLarge;
  const common::StdioFile in = common::OpenStdioFile(native, "rb");
  if (!in) return FileReadResult::kError;
  if (!common::ReadRest(in.get(), bytes)) {
    bytes.clear();
    return FileReadResult::kError;
  }
  if (bytes.size() > kProfileFileSizeLimit) {  // it grew since it was examined
    bytes.clear();
    return FileReadResult::kTooLarge;
  }
  return FileReadResult::kOk;
}

FileStamp StampOf(const std::string& path) {
  const common::FileStatus status = common::StatusOf(NativePath(path));
  return {status.exists, status.size, status.modified};
}

// A file whose owner may not write it counts as read-only, as the read-only
// attribute does on Windows; it is never replaced behind the user's back.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes) {
  const common::NativePath target = NativePath(path);
  if (path.empty()) return false;
  const common::FileStatus status = common::StatusOf(target);
  if (status.read_only || status.directory) return false;
  const common::NativePath temporary = common::WithSuffix(target, ".tmp~");
  common::StdioFile out = common::OpenStdioFile(temporary, "wb");
  if (!out) return false;
  if (!common::WriteFlushAndClose(std::move(out), bytes) || !common::RenameOver(temporary, target)) {
    common::RemoveFile(temporary);
    return false;
  }
  return true;
}

}  // namespace tagsling::settings
