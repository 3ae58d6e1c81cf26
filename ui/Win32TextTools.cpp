#include "ui/Win32TextTools.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <memory>
#include <optional>
#include <stdexcept>

#include "platform/win32/Win32SettingsEnvironment.h"
#include "settings/RegisteredLists.h"
#include "ui/AbbrevDialog.h"
#include "ui/Busy.h"
#include "ui/ColorForm.h"
#include "win/Handles.h"
#include "win/Shell.h"
#include "win/WinText.h"

namespace tagsling::ui {
namespace {

using texttools::InputCommand;

platform::WindowHandle ToHandle(HWND window) { return reinterpret_cast<platform::WindowHandle>(window); }
HWND ToHwnd(platform::WindowHandle window) { return reinterpret_cast<HWND>(window); }

BusyFlag FlagOf(InputCommand command) {
  switch (command) {
    case InputCommand::kFileName:
      return BusyFlag::kFileNameInput;
    case InputCommand::kUrl:
      return BusyFlag::kUrlInput;
    case InputCommand::kTextFile:
      return BusyFlag::kTextFileInput;
    case InputCommand::kColour:
      return BusyFlag::kColorDialog;
    case InputCommand::kBaseFolder:
      return BusyFlag::kBaseFolder;
    case InputCommand::kAbbreviation:
      return BusyFlag::kAbbreviationDialog;
    case InputCommand::kEditorOpen:
    case InputCommand::kCount:
      break;
  }
  return BusyFlag::kEditorOpenDialog;
}

std::wstring ToW(const platform::WideText& text) { return std::wstring(text.begin(), text.end()); }

std::string WindowsFamily() {
  platform::win32::Win32SettingsEnvironment environment(platform::kNoWindow, [] { return false; });
  return settings::GetWindowsFamily(environment);
}

class Win32TextTools final : public texttools::InputHost, public texttools::EditorProbe {
 public:
  explicit Win32TextTools(const TextToolsSetup& setup)
      : main_(setup.main),
        app_(setup.application),
        show_display_(setup.show_base_folder_display),
        form_(setup.application, setup.desktop),
        context_{setup.desktop.platform(),
                 setup.settings,
                 files_,
                 *this,
                 core::SelfWindows{ToHandle(setup.main), ToHandle(setup.application)},
                 settings::ThroughWindowClasses(),
                 WindowsFamily(),
                 ToHandle(form_.Window()),
                 this,
                 [&engine = setup.engine](platform::WindowHandle focus, const platform::WideText& text) {
                   engine.PasteTextTo(focus, text);
                 },
                 {}} {
    if (!form_.Window()) throw std::runtime_error("TColorForm");
  }

  texttools::TextToolsContext& context() { return context_; }
  ColorForm& form() { return form_; }

  // InputHost
  void SetBusy(InputCommand command, bool busy) override {
    std::optional<BusyScope>& flag = busy_[static_cast<int>(command)];
    if (busy) {
      flag.emplace(FlagOf(command));
    } else {
      flag.reset();
    }
  }
  void SetMainWindowEnabled(bool enabled) override { EnableWindow(main_, enabled); }
  bool PaletteShowing() override { return IsWindowVisible(main_) && !IsIconic(main_) && !IsIconic(app_); }
  std::optional<platform::WideText> ShowOpenDialog(const texttools::FileDialogSpec& dialog) override {
    return form_.ShowOpenDialog(dialog);
  }
  std::optional<texttools::Rgb> ShowColorDialog() override { return form_.ShowColorDialog(); }
  std::optional<platform::WideText> ShowFolderPicker(const texttools::FolderPickerSpec& dialog) override {
    return form_.ShowFolderPicker(dialog);
  }
  std::optional<std::string> AskAbbreviation(const std::vector<std::string>& history) override {
    return ShowAbbreviationDialog(form_.Window(), history);
  }
  bool AskYesNo(const std::string& text, const std::string& caption) override {
    return MessageBoxW(main_, win::SjisToWide(text).c_str(), win::SjisToWide(caption).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
  bool ShellOpen(const texttools::ShellOpenRequest& request) override {
    const std::wstring file = ToW(request.file);
    const std::wstring parameters = ToW(request.parameters);
    const HINSTANCE result = win::shell::Execute(main_, L"open", file.c_str(),
                                                 parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
  }
  void ShowBaseFolderDisplay(const texttools::BaseFolderDisplay& display) override {
    if (show_display_) show_display_(display);
  }
  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }

  // EditorProbe
  std::string ProcessExecutableName(platform::ProcessId process) override {
    win::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE) return {};
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Process32FirstW(snapshot.get(), &entry); ok; ok = Process32NextW(snapshot.get(), &entry)) {
      if (entry.th32ProcessID == process) return win::WideToSjis(entry.szExeFile);
    }
    return {};
  }
  platform::WideText ChildWindowText(platform::WindowHandle parent, const std::string& child_class) override {
    HWND child = FindWindowExW(ToHwnd(parent), nullptr, win::SjisToWide(child_class).c_str(), nullptr);
    if (!child) return {};
    // A hung editor must not hang the palette; a long path comes whole.
    constexpr UINT kReplyMs = 1000;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(child, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyMs, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kReplyMs, &copied))
      return {};
    text.resize(std::min<std::size_t>(copied, length));
    return platform::WideText(text.begin(), text.end());
  }

 private:
  HWND main_;
  HWND app_;
  std::function<void(const texttools::BaseFolderDisplay&)> show_display_;
  ColorForm form_;
  texttools::NativeFileSystem files_;
  std::optional<BusyScope> busy_[static_cast<int>(InputCommand::kCount)];
  texttools::TextToolsContext context_;
};

std::unique_ptr<Win32TextTools>& Instance() {
  static std::unique_ptr<Win32TextTools> instance;
  return instance;
}

Win32TextTools& Current() {
  if (!Instance()) throw std::logic_error("the text tools are not set up");
  return *Instance();
}

}  // namespace

void SetUpTextTools(const TextToolsSetup& setup) {
  Instance().reset();
  Instance() = std::make_unique<Win32TextTools>(setup);
}

texttools::TextToolsContext& MainTextToolsContext() { return Current().context(); }
ColorForm& MainColorForm() { return Current().form(); }

}  // namespace tagsling::ui
