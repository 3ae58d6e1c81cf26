#include "ui/FileChoosers.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "win/Shell.h"
#include "win/SystemLibrary.h"
#include "win/WinText.h"

namespace tagsling::ui {
namespace {

// Long paths are allowed.
constexpr DWORD kPathBuffer = 32768;

struct FolderRequest {
  std::wstring caption;
  std::wstring initial;
};

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lparam, LPARAM data) {
  auto* request = reinterpret_cast<FolderRequest*>(data);
  if (message == BFFM_INITIALIZED) {
    SetWindowTextW(window, request->caption.c_str());
    // Centred on the screen: its owner may be an invisible window in a
    // corner, beside which the browser would otherwise open.
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!request->initial.empty()) {
      SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(request->initial.c_str()));
    }
  } else if (message == BFFM_SELCHANGED) {
    std::wstring path(MAX_PATH, L'\0');
    if (!win::shell::PathFromIdList(reinterpret_cast<PCIDLIST_ABSOLUTE>(lparam), path.data())) path[0] = L'\0';
    SendMessageW(window, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path.c_str()));
  }
  return 0;
}

// COM for the shell's folder browser, for the length of one call. ole32 is
// loaded when the browser is first used, not with the program: loading it
// (and what it needs) at every start costs start-up time for a dialog most
// sessions never open.
class ComScope {
 public:
  ComScope() {
    const auto initialize = win::SystemFunctionAs<HRESULT(WINAPI*)(void*, DWORD)>(L"ole32.dll", "CoInitializeEx");
    uninitialize_ = win::SystemFunctionAs<void(WINAPI*)()>(L"ole32.dll", "CoUninitialize");
    initialized_ = initialize && uninitialize_ && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
  }
  ~ComScope() {
    if (initialized_) uninitialize_();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  void(WINAPI* uninitialize_)() = nullptr;
  bool initialized_ = false;
};

}  // namespace

std::optional<std::wstring> ChooseFile(HWND owner, std::string_view title, std::string_view filter,
                                       const std::wstring& initial) {
  std::wstring wide_filter = win::Utf8ToWide(filter);
  for (wchar_t& c : wide_filter) {
    if (c == L'|') c = L'\0';
  }
  wide_filter.push_back(L'\0');
  wide_filter.push_back(L'\0');
  const std::wstring wide_title = win::Utf8ToWide(title);
  std::vector<wchar_t> file(kPathBuffer, L'\0');
  if (initial.size() < file.size()) std::copy(initial.begin(), initial.end(), file.begin());

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = wide_filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = kPathBuffer;
  ofn.lpstrTitle = wide_title.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!win::OpenFileDialog(ofn)) return std::nullopt;
  return std::wstring(file.data());
}

std::optional<std::wstring> ChooseFolder(HWND owner, std::string_view caption, std::string_view text,
                                         const std::wstring& initial) {
  ComScope com;
  FolderRequest request{win::Utf8ToWide(caption), initial};
  const std::wstring wide_text = win::Utf8ToWide(text);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = wide_text.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&request);
  PIDLIST_ABSOLUTE chosen = win::shell::BrowseForFolder(&info);
  if (!chosen) return std::nullopt;
  std::wstring path(kPathBuffer, L'\0');
  const bool ok = win::shell::PathFromIdListEx(chosen, path.data(), kPathBuffer, GPFIDL_DEFAULT);
  win::shell::FreeIdList(chosen);
  if (!ok) return std::nullopt;
  path.resize(wcslen(path.c_str()));
  return path;
}

}  // namespace tagsling::ui
