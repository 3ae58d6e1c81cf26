#include "texttools/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
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

fs::path ToPath(const std::string& path, platform::TextCodec* codec) {
  if (codec == nullptr) return fs::path(path);
  platform::WideText wide = codec->SjisToWide(path);
  return fs::path(wide);
}

}  // namespace

bool NativeFileSystem::FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  fs::file_status status = fs::status(ToPath(path, codec_), error);
  return !error && fs::exists(status) && !fs::is_directory(status);
}

bool NativeFileSystem::DirectoryExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  return fs::is_directory(ToPath(path, codec_), error);
}

std::optional<std::uint64_t> NativeFileSystem::FileSize(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  std::error_code error;
  std::uintmax_t size = fs::file_size(ToPath(path, codec_), error);
  if (error) return std::nullopt;
  return static_cast<std::uint64_t>(size);
}

std::unique_ptr<ByteSource> NativeFileSystem::OpenFile(const std::string& path, std::string& error_text) {
  fs::path native = ToPath(path, codec_);
  std::error_code error;
  if (fs::is_directory(native, error)) {
    error_text = std::make_error_code(std::errc::is_a_directory).message();
    return nullptr;
  }
  errno = 0;
  std::ifstream stream(native, std::ios::binary);
  if (!stream) {
    int code = errno != 0 ? errno : ENOENT;
    error_text = std::generic_category().message(code);
    return nullptr;
  }
  return std::make_unique<FileByteSource>(std::move(stream));
}

}  // namespace tagsling::texttools
