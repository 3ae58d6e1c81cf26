#pragma once
// Test helpers for files: a scratch folder per test (a fresh folder under the
// system's temporary folder, removed with everything in it afterwards),
// helpers to put and read whole files, and a scope that works in another
// current folder and comes back.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <stdlib.h>

namespace tagsling::test {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tagsling-test-XXXXXX").string();
    folder_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, error);
    std::filesystem::remove_all(folder_, error);
  }
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  // The path of `name` in UTF-16, as the program's file system takes paths
  // (the folder's own name is ASCII).
  std::u16string WidePath(std::u16string_view name) const {
    return std::u16string(folder_.begin(), folder_.end()) + u"/" + std::u16string(name);
  }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
};

// Makes `folder` the current folder for the scope's length.
class CurrentFolderScope {
 public:
  explicit CurrentFolderScope(const std::string& folder) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~CurrentFolderScope() {
    std::error_code error;
    std::filesystem::current_path(previous_, error);
  }
  CurrentFolderScope(const CurrentFolderScope&) = delete;
  CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

 private:
  std::filesystem::path previous_;
};

inline void PutFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void MakeReadOnly(const std::string& path) {
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
}

inline std::size_t FolderEntryCount(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

}  // namespace tagsling::test
