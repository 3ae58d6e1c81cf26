#pragma once
// Files by the names the system takes: UTF-16 on Windows, bytes (UTF-8)
// elsewhere. Whole-file reads and writes go through the C library's files,
// and status, removal and renaming through the system's own calls: the C++
// streams and std::filesystem would more than double the size of the
// statically linked Windows program.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace tagsling::common {

#ifdef _WIN32
using NativePath = std::wstring;
#else
using NativePath = std::string;
#endif

// `path` followed by an ASCII suffix such as ".tmp~".
NativePath WithSuffix(NativePath path, std::string_view ascii_suffix);

struct FileStatus {
  bool exists = false;
  bool directory = false;
  bool regular = false;    // an ordinary file (not a directory or a device)
  bool read_only = false;  // its owner may not write it (the read-only attribute on Windows)
  std::uint64_t size = 0;
  std::uint64_t modified = 0;  // last write time, in the system's finest unit
};
// Follows links; a path that cannot be examined does not exist.
FileStatus StatusOf(const NativePath& path);

bool RemoveFile(const NativePath& path);
// Renames `from` to `to`, replacing `to` when it exists.
bool RenameOver(const NativePath& from, const NativePath& to);

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using StdioFile = std::unique_ptr<std::FILE, FileCloser>;

// `mode` as for fopen ("rb", "wb"); errno tells why on failure.
StdioFile OpenStdioFile(const NativePath& path, const char* mode);
// Moves to a byte offset from the start (offsets past 2 GB included).
bool SeekTo(std::FILE* file, std::uint64_t offset);
// Appends everything from the current position to the end; false on a read error.
bool ReadRest(std::FILE* file, std::string& bytes);
// Writes all of `bytes` and closes the file; false when either fails.
bool WriteAndClose(StdioFile file, std::string_view bytes);
// The same, with the bytes on the disk before the file is closed
// (FlushFileBuffers, fsync): a file about to be renamed over another must
// never be left empty by a power loss.
bool WriteFlushAndClose(StdioFile file, std::string_view bytes);

}  // namespace tagsling::common
