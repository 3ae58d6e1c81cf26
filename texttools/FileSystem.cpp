#include "texttools/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>
#include <utility>

#include "common/NativeFile.h"

namespace tagsling::texttools {

std::string MemoryByteSource::ReadAt(std::uint64_t offset, std::size_t size) {
  if (offset >= bytes_.size()) return {};
  return std::string(bytes_.substr(static_cast<std::size_t>(offset), size));
}

namespace {

class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(common::StdioFile file) : file_(std::move(file)) {}

  std::string ReadAt(std::uint64_t offset, std::size_t size) override {
    std::clearerr(file_.get());
    if (!common::SeekTo(file_.get(), offset)) return {};
    std::string bytes(size, '\0');
    bytes.resize(std::fread(bytes.data(), 1, size, file_.get()));
    return bytes;
  }

 private:
  common::StdioFile file_;
};

// The native form of a path: on Windows the UTF-16 units themselves; else
// UTF-8, which a lone surrogate does not have (nullopt).
std::optional<common::NativePath> ToPath(const platform::WideText& path) {
#ifdef _WIN32
  return std::wstring(path.begin(), path.end());
#else
  std::string utf8;
  for (std::size_t pos = 0; pos < path.size(); ++pos) {
    char32_t c = path[pos];
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c > 0xDBFF || pos + 1 >= path.size() || path[pos + 1] < 0xDC00 || path[pos + 1] > 0xDFFF) return std::nullopt;
      c = 0x10000 + ((c - 0xD800) << 10) + (path[++pos] - 0xDC00);
    }
    auto put = [&utf8](char32_t byte) { utf8.push_back(static_cast<char>(byte)); };
    if (c < 0x80) {
      put(c);
    } else if (c < 0x800) {
      put(0xC0 | c >> 6);
      put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      put(0xE0 | c >> 12);
      put(0x80 | (c >> 6 & 0x3F));
      put(0x80 | (c & 0x3F));
    } else {
      put(0xF0 | c >> 18);
      put(0x80 | (c >> 12 & 0x3F));
      put(0x80 | (c >> 6 & 0x3F));
      put(0x80 | (c & 0x3F));
    }
  }
  return utf8;
#endif
}

// What the system says of the file; a name without a native form does not exist.
common::FileStatus StatusOf(const platform::WideText& path) {
  const std::optional<common::NativePath> native = ToPath(path);
  if (path.empty() || !native) return {};
  return common::StatusOf(*native);
}

}  // namespace

bool NativeFileSystem::FileExists(const platform::WideText& path) {
  const common::FileStatus status = StatusOf(path);
  return status.exists && !status.directory;
}

bool NativeFileSystem::DirectoryExists(const platform::WideText& path) { return StatusOf(path).directory; }

std::optional<std::uint64_t> NativeFileSystem::FileSize(const platform::WideText& path) {
  const common::FileStatus status = StatusOf(path);
  if (!status.exists || status.directory) return std::nullopt;
  return status.size;
}

std::unique_ptr<ByteSource> NativeFileSystem::OpenFile(const platform::WideText& path, std::string& error_text) {
  const std::optional<common::NativePath> native = ToPath(path);
  if (!native) {
    error_text = std::make_error_code(std::errc::no_such_file_or_directory).message();
    return nullptr;
  }
  if (common::StatusOf(*native).directory) {
    error_text = std::make_error_code(std::errc::is_a_directory).message();
    return nullptr;
  }
  errno = 0;
  common::StdioFile file = common::OpenStdioFile(*native, "rb");
  if (!file) {
    int code = errno != 0 ? errno : ENOENT;
    error_text = std::generic_category().message(code);
    return nullptr;
  }
  return std::make_unique<FileByteSource>(std::move(file));
}

}  // namespace tagsling::texttools
