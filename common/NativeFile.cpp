#include "common/NativeFile.h"

#ifdef _WIN32
#include <windows.h>

#include <io.h>
#else
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#endif

namespace tagsling::common {

NativePath WithSuffix(NativePath path, std::string_view ascii_suffix) {
  for (const char c : ascii_suffix) path.push_back(static_cast<NativePath::value_type>(c));
  return path;
}

#ifdef _WIN32

FileStatus StatusOf(const NativePath& path) {
  FileStatus status;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return status;
  status.exists = true;
  status.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  status.regular = !status.directory && (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
  status.read_only = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  status.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  status.modified =
      (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return status;
}

bool RemoveFile(const NativePath& path) { return DeleteFileW(path.c_str()) != 0; }

bool RenameOver(const NativePath& from, const NativePath& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

StdioFile OpenStdioFile(const NativePath& path, const char* mode) {
  const std::wstring wide_mode = WithSuffix(L"", mode);
  return StdioFile(_wfopen(path.c_str(), wide_mode.c_str()));
}

bool SeekTo(std::FILE* file, std::uint64_t offset) {
  return _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
}

namespace {
// Hands what the system holds of the file to the disk.
bool FlushToDisk(std::FILE* file) {
  return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
}
}  // namespace

#else

FileStatus StatusOf(const NativePath& path) {
  FileStatus status;
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return status;
  status.exists = true;
  status.directory = S_ISDIR(info.st_mode);
  status.regular = S_ISREG(info.st_mode);
  status.read_only = (info.st_mode & S_IWUSR) == 0;
  status.size = static_cast<std::uint64_t>(info.st_size);
  status.modified =
      static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u + static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
  return status;
}

bool RemoveFile(const NativePath& path) { return ::unlink(path.c_str()) == 0; }

bool RenameOver(const NativePath& from, const NativePath& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

StdioFile OpenStdioFile(const NativePath& path, const char* mode) { return StdioFile(std::fopen(path.c_str(), mode)); }

bool SeekTo(std::FILE* file, std::uint64_t offset) { return ::fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0; }

namespace {
// Hands what the system holds of the file to the disk.
bool FlushToDisk(std::FILE* file) { return ::fsync(::fileno(file)) == 0; }
}  // namespace

#endif

bool ReadRest(std::FILE* file, std::string& bytes) {
  char buffer[64 * 1024];
  for (;;) {
    const std::size_t count = std::fread(buffer, 1, sizeof buffer, file);
    bytes.append(buffer, count);
    if (count < sizeof buffer) return std::ferror(file) == 0;
  }
}

bool WriteAndClose(StdioFile file, std::string_view bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  return std::fclose(file.release()) == 0 && written;
}

bool WriteFlushAndClose(StdioFile file, std::string_view bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                       std::fflush(file.get()) == 0 && FlushToDisk(file.get());
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace tagsling::common
