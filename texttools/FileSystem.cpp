#include "texttools/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

namespace tagsling::texttools {

namespace fs = std::filesystem;

std::string MemoryByteSource::ReadAt(std::uint64_t offset, std::size_t size) {
  if (offset >= bytes_.size()) return {};
  return std::string(bytes_.substr(static_cast<std::size_t>(offset), size));
}

namespace {

class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(std::ifstream stream) : stream_(std::move(stream)) {}

  std::string ReadAt(std::uint64_t offset, std::size_t size) override {
    std::string bytes(size, '\0');
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset));
    if (!stream_) return {};
    stream_.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(stream_.gcount()));
    return bytes;
  }

 private:
  std::ifstream stream_;
};

// The native form of a path: on Windows the UTF-16 units themselves; else
// UTF-8, which a lone surrogate does not have (nullopt).
std::optional<fs::path> ToPath(const platform::WideText& path) {
#ifdef _WIN32
  return fs::path(std::wstring(path.begin(), path.end()));
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
  return fs::path(utf8);
#endif
}

}  // namespace

bool NativeFileSystem::FileExists(const platform::WideText& path) {
  std::optional<fs::path> native = ToPath(path);
  if (path.empty() || !native) return false;
  std::error_code error;
  fs::file_status status = fs::status(*native, error);
  return !error && fs::exists(status) && !fs::is_directory(status);
}

bool NativeFileSystem::DirectoryExists(const platform::WideText& path) {
  std::optional<fs::path> native = ToPath(path);
  if (path.empty() || !native) return false;
  std::error_code error;
  return fs::is_directory(*native, error);
}

std::optional<std::uint64_t> NativeFileSystem::FileSize(const platform::WideText& path) {
  if (!FileExists(path)) return std::nullopt;
  std::error_code error;
  std::uintmax_t size = fs::file_size(*ToPath(path), error);
  if (error) return std::nullopt;
  return static_cast<std::uint64_t>(size);
}

std::unique_ptr<ByteSource> NativeFileSystem::OpenFile(const platform::WideText& path, std::string& error_text) {
  std::optional<fs::path> native = ToPath(path);
  if (!native) {
    error_text = std::make_error_code(std::errc::no_such_file_or_directory).message();
    return nullptr;
  }
  std::error_code error;
  if (fs::is_directory(*native, error)) {
    error_text = std::make_error_code(std::errc::is_a_directory).message();
    return nullptr;
  }
  errno = 0;
  std::ifstream stream(*native, std::ios::binary);
  if (!stream) {
    int code = errno != 0 ? errno : ENOENT;
    error_text = std::generic_category().message(code);
    return nullptr;
  }
  return std::make_unique<FileByteSource>(std::move(stream));
}

}  // namespace tagsling::texttools
