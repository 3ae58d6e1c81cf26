#pragma once
// Opening a file of the served folder for one answer. The request's path has
// passed the portable rules (RouteRequest); here the file is opened for
// reading (never for writing, sharing everything so an editor can save
// meanwhile), and refused unless it is a regular file on disk whose final
// path, with every link and junction resolved, lies inside the folder's own
// final path. Folders are refused too: nothing is ever listed.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tagsling::preview {

// The final path of an open file or folder (GetFinalPathNameByHandleW),
// "" when the system cannot tell.
std::wstring FinalPathOf(HANDLE handle);

// The folder's final path, "" when it cannot be opened.
std::wstring FolderFinalPath(const std::wstring& folder);

class SiteFile {
 public:
  // `relative` is UTF-8 with "/" separators (Route::relative_path).
  static std::optional<SiteFile> Open(const std::wstring& folder, const std::wstring& folder_final,
                                      const std::string& relative);
  ~SiteFile();
  SiteFile(SiteFile&& other) noexcept;
  SiteFile& operator=(SiteFile&&) = delete;
  SiteFile(const SiteFile&) = delete;

  std::uint64_t size() const { return size_; }
  // `count` bytes from `offset`; false when reading fails.
  bool Read(std::uint64_t offset, std::uint64_t count, std::string& out);

 private:
  SiteFile(HANDLE handle, std::uint64_t size) : handle_(handle), size_(size) {}
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::uint64_t size_ = 0;
};

}  // namespace tagsling::preview
