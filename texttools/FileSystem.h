#pragma once
// The files the text-input commands look at: existence checks for the
// editor's document and the base folder, sizes, and random-access reads of
// picture headers and inserted text files.
//
// Paths are UTF-16 (platform::WideText), as the dialogs and window titles
// give them, so any name the file system holds can be opened. Reads never
// fail by throwing: a file that cannot be opened comes back as nullptr with
// the system's error text.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace tagsling::texttools {

// Random access to the bytes of an open file (or of a buffer).
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `size` bytes from `offset`; fewer, possibly none, at the end.
  virtual std::string ReadAt(std::uint64_t offset, std::size_t size) = 0;
};

// Bytes held in memory (tests, fuzzing). The bytes must outlive the source.
class MemoryByteSource : public ByteSource {
 public:
  explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
  std::string ReadAt(std::uint64_t offset, std::size_t size) override;

 private:
  std::string_view bytes_;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // An existing file that is not a folder.
  virtual bool FileExists(const platform::WideText& path) = 0;
  virtual bool DirectoryExists(const platform::WideText& path) = 0;
  // Size in bytes of an existing file; nullopt otherwise.
  virtual std::optional<std::uint64_t> FileSize(const platform::WideText& path) = 0;
  // Opens a file for reading; nullptr, with `error_text` (code page 932)
  // set, when it cannot.
  virtual std::unique_ptr<ByteSource> OpenFile(const platform::WideText& path, std::string& error_text) = 0;
};

// The machine's own file system. On Windows the UTF-16 path goes to the wide
// API unchanged; elsewhere it is converted to UTF-8, and a path that has no
// UTF-8 form (a lone surrogate) names no file.
class NativeFileSystem : public FileSystem {
 public:
  bool FileExists(const platform::WideText& path) override;
  bool DirectoryExists(const platform::WideText& path) override;
  std::optional<std::uint64_t> FileSize(const platform::WideText& path) override;
  std::unique_ptr<ByteSource> OpenFile(const platform::WideText& path, std::string& error_text) override;
};

}  // namespace tagsling::texttools
