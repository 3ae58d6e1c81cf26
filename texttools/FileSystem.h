#pragma once
// The files the text-input commands look at: existence checks for the
// editor's document and the base folder, sizes, and random-access reads of
// picture headers and inserted text files.
//
// Paths are Shift-JIS byte strings. Reads never fail by throwing: a file that
// cannot be opened comes back as nullptr with the system's error text.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/TextCodec.h"

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
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Size in bytes of an existing file; nullopt otherwise.
  virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
  // Opens a file for reading; nullptr, with `error_text` set, when it cannot.
  virtual std::unique_ptr<ByteSource> OpenFile(const std::string& path, std::string& error_text) = 0;
};

// The machine's own file system. With a codec, paths are converted from code
// page 932 to UTF-16 before use (what the Windows program needs whatever the
// system's code page is); without one the bytes are used as they are.
class NativeFileSystem : public FileSystem {
 public:
  explicit NativeFileSystem(platform::TextCodec* codec = nullptr) : codec_(codec) {}
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  std::unique_ptr<ByteSource> OpenFile(const std::string& path, std::string& error_text) override;

 private:
  platform::TextCodec* codec_;
};

}  // namespace tagsling::texttools
