#include "ui/ExternalTextToolsAdapter.h"

#include <commdlg.h>
#include <tlhelp32.h>

#include <vector>

#include "texttools/InputCommands.h"
#include "ui/Handles.h"
#include "ui/WinText.h"

namespace tagsling::ui {
namespace {

// "caption\0patterns\0...\0\0", as OPENFILENAMEW takes its filter.
std::wstring FilterText(const std::vector<texttools::FileFilter>& filters) {
  std::wstring text;
  for (const texttools::FileFilter& filter : filters) {
    text += SjisToWide(filter.caption);
    text.push_back(L'\0');
    text += SjisToWide(filter.patterns);
    text.push_back(L'\0');
  }
  text.push_back(L'\0');
  return text;
}

// The explorer-style dialog's hook: once the dialog is laid out, the
// dialog-start keys (Alt released, Shift+Tab).
UINT_PTR CALLBACK OpenDialogHook(HWND child, UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<const OPENFILENAMEW*>(lparam)->lCustData);
  } else if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lparam)->code == CDN_INITDONE) {
    auto* keyboard = reinterpret_cast<platform::Keyboard*>(GetWindowLongPtrW(child, GWLP_USERDATA));
    if (keyboard) texttools::SendDialogStartKeys(*keyboard);
  }
  return 0;
}

}  // namespace

std::string Win32EditorProbe::ProcessExecutableName(platform::ProcessId process) {
  UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (snapshot.get() == INVALID_HANDLE_VALUE) {
    snapshot.release();
    return {};
  }
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID == process) return WideToSjis(entry.szExeFile);
  }
  return {};
}

std::string Win32EditorProbe::ChildWindowText(platform::WindowHandle parent, const std::string& child_class) {
  HWND child = FindWindowExW(reinterpret_cast<HWND>(parent), nullptr, SjisToWide(child_class).c_str(), nullptr);
  if (!child) return {};
  wchar_t text[256] = L"";
  SendMessageW(child, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return WideToSjis(text);
}

void ExternalCommandsInputHost::SetMainWindowEnabled(bool enabled) { EnableWindow(main_, enabled); }

bool ExternalCommandsInputHost::PaletteShowing() { return IsWindowVisible(main_) && !IsIconic(application_); }

std::optional<std::string> ExternalCommandsInputHost::ShowOpenDialog(const texttools::FileDialogSpec& spec) {
  const std::wstring filter = FilterText(spec.filters);
  const std::wstring title = SjisToWide(spec.title);
  const std::wstring folder = SjisToWide(spec.initial_folder);
  // Room for any path the dialog can return.
  std::vector<wchar_t> file(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = main_;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                 OFN_HIDEREADONLY | (spec.follow_shortcuts ? 0 : OFN_NODEREFERENCELINKS);
  dialog.lpfnHook = OpenDialogHook;
  dialog.lCustData = reinterpret_cast<LPARAM>(&keyboard_);
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return WideToSjis(file.data());
}

}  // namespace tagsling::ui
