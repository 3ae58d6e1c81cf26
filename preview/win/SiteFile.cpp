#include "preview/win/SiteFile.h"

#include <algorithm>
#include <utility>

namespace tagsling::preview {
namespace {

std::wstring Utf8ToWideStrict(const std::string& text) {
  if (text.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring out(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), out.data(), length);
  return out;
}

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() &&
         CompareStringOrdinal(text.data(), static_cast<int>(prefix.size()), prefix.data(),
                              static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::wstring FinalPathOf(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.assign(length + 1, L'\0');
  }
  return {};
}

std::wstring FolderFinalPath(const std::wstring& folder) {
  HANDLE handle =
      CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {};
  std::wstring path = FinalPathOf(handle);
  CloseHandle(handle);
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

std::optional<SiteFile> SiteFile::Open(const std::wstring& folder, const std::wstring& folder_final,
                                       const std::string& relative) {
  std::wstring name = Utf8ToWideStrict(relative);
  if (name.empty() || folder_final.empty()) return std::nullopt;
  std::replace(name.begin(), name.end(), L'/', L'\\');
  const std::wstring path = folder + L"\\" + name;
  // No FILE_FLAG_BACKUP_SEMANTICS: a folder cannot be opened this way.
  HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  SiteFile file(handle, 0);
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  if (!StartsWithIgnoringCase(FinalPathOf(handle), folder_final + L"\\")) return std::nullopt;
  file.size_ = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  return file;
}

SiteFile::~SiteFile() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

SiteFile::SiteFile(SiteFile&& other) noexcept
    : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)), size_(other.size_) {}

bool SiteFile::Read(std::uint64_t offset, std::uint64_t count, std::string& out) {
  out.resize(static_cast<std::size_t>(count));
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN)) return false;
  std::size_t done = 0;
  while (done < out.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 20));
    DWORD got = 0;
    if (!ReadFile(handle_, out.data() + done, chunk, &got, nullptr)) return false;
    if (got == 0) break;  // the file became shorter meanwhile
    done += got;
  }
  out.resize(done);
  return true;
}

}  // namespace tagsling::preview
