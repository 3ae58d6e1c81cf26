#include "ui/Win32ExternalHost.h"

#include <shellapi.h>

#include <vector>

#include "texttools/PathText.h"
#include "ui/ProgramWait.h"
#include "win/Shell.h"
#include "win/WinText.h"

namespace tagsling::ui {
namespace {

HWND ToHwnd(platform::WindowHandle window) { return reinterpret_cast<HWND>(window); }

// A wide string for an optional argument: null for an empty one.
const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

std::wstring ToW(const platform::WideText& text) { return std::wstring(text.begin(), text.end()); }

// CreateProcessW may write into its command line: a writable copy.
std::vector<wchar_t> WritableCommandLine(const std::wstring& wide) {
  std::vector<wchar_t> buffer(wide.begin(), wide.end());
  buffer.push_back(L'\0');
  return buffer;
}

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// A DDE string handle freed when it goes out of scope.
class DdeString {
 public:
  DdeString(DWORD instance, const std::string& sjis)
      : instance_(instance), handle_(DdeCreateStringHandleW(instance, win::SjisToWide(sjis).c_str(), CP_WINUNICODE)) {}
  ~DdeString() {
    if (handle_) DdeFreeStringHandle(instance_, handle_);
  }
  DdeString(const DdeString&) = delete;
  DdeString& operator=(const DdeString&) = delete;
  HSZ get() const { return handle_; }

 private:
  DWORD instance_;
  HSZ handle_;
};

}  // namespace

Win32ExternalHost::~Win32ExternalHost() {
  DisconnectDde();
  if (dde_instance_) DdeUninitialize(dde_instance_);
}

settings::ToolEntry Win32ExternalHost::ReadTool(int entry) {
  return settings::ReadToolEntry(windows_.settings_path, entry);
}

std::intptr_t Win32ExternalHost::StartThroughShell(const external::ShellStart& start) {
  const std::wstring verb = ToW(start.verb);
  const std::wstring file = ToW(start.file);
  const std::wstring parameters = ToW(start.parameters);
  const std::wstring directory = ToW(start.directory);
  HINSTANCE result =
      win::shell::Execute(nullptr, OrNull(verb), file.c_str(), OrNull(parameters), OrNull(directory), SW_SHOWNORMAL);
  return reinterpret_cast<std::intptr_t>(result);
}

bool Win32ExternalHost::RunCommand(const std::string& command_line) {
  // WinExec: shown minimised without activation, and back once the program
  // waits for input (or after kDdeServerWaitMs, the palette's messages
  // flowing meanwhile), so that a DDE server it starts has had the chance
  // to register its service.
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINNOACTIVE;
  PROCESS_INFORMATION process{};
  std::vector<wchar_t> line = WritableCommandLine(win::SjisToWide(command_line));
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  win::UniqueKernelHandle process_handle(process.hProcess);
  win::UniqueKernelHandle thread_handle(process.hThread);
  WaitForInputIdlePumping(process.hProcess, kDdeServerWaitMs);
  return true;
}

DWORD Win32ExternalHost::DdeInstance() {
  if (!dde_tried_) {
    dde_tried_ = true;
    if (DdeInitializeW(&dde_instance_, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) dde_instance_ = 0;
  }
  return dde_instance_;
}

bool Win32ExternalHost::ConnectDde(const std::string& service, const std::string& topic) {
  DisconnectDde();
  const DWORD instance = DdeInstance();
  if (!instance) return false;
  DdeString service_handle(instance, service);
  DdeString topic_handle(instance, topic);
  if (!service_handle.get() || !topic_handle.get()) return false;
  conversation_ = DdeConnect(instance, service_handle.get(), topic_handle.get(), nullptr);
  return conversation_ != nullptr;
}

void Win32ExternalHost::RequestDde(const std::string& item, unsigned timeout_ms) {
  if (!conversation_) return;
  // A string handle holds at most 255 characters; the preview plan starts
  // the browser with the path instead of sending a longer item.
  DdeString item_handle(dde_instance_, item);
  if (!item_handle.get()) return;
  HDDEDATA answer =
      DdeClientTransaction(nullptr, 0, conversation_, item_handle.get(), CF_TEXT, XTYP_REQUEST, timeout_ms, nullptr);
  if (answer) DdeFreeDataHandle(answer);
}

void Win32ExternalHost::DisconnectDde() {
  if (conversation_) DdeDisconnect(conversation_);
  conversation_ = nullptr;
}

std::optional<StartedProgram> StartProgram(const std::wstring& application, const std::wstring& command_line,
                                           const std::wstring& directory, const external::StartupBlock* planned) {
  STARTUPINFOW startup{};
  if (planned) {
    startup.cb = sizeof startup;
    startup.dwFlags = planned->flags;
    startup.dwX = static_cast<DWORD>(planned->x);
    startup.dwY = static_cast<DWORD>(planned->y);
    startup.dwXSize = static_cast<DWORD>(planned->width);
    startup.dwYSize = static_cast<DWORD>(planned->height);
    startup.wShowWindow = planned->show_window;
    startup.dwXCountChars = planned->x_count_chars;
    startup.dwYCountChars = planned->y_count_chars;
  } else {
    // Our own start-up block: the program chooses its place.
    GetStartupInfoW(&startup);
  }
  std::vector<wchar_t> line = WritableCommandLine(command_line);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, OrNull(directory),
                      &startup, &process)) {
    return std::nullopt;
  }
  CloseHandle(process.hThread);
  return StartedProgram{win::UniqueKernelHandle(process.hProcess), process.dwProcessId};
}

std::optional<platform::ProcessId> Win32ExternalHost::StartProcess(const external::EditorLaunchPlan& plan) {
  std::optional<StartedProgram> started = StartProgram(ToW(plan.application), ToW(plan.command_line),
                                                       ToW(plan.directory), plan.startup ? &*plan.startup : nullptr);
  if (!started) return std::nullopt;
  started_process_ = std::move(started->process);
  started_id_ = started->id;
  return started_id_;
}

void Win32ExternalHost::WaitUntilIdle(platform::ProcessId process) {
  if (!started_process_ || started_id_ != process) return;
  // An editor that never becomes idle costs the bound, not the palette.
  WaitForInputIdlePumping(started_process_.get(), kEditorIdleWaitMs);
  started_process_.reset();
  started_id_ = 0;
}

void Win32ExternalHost::ShowWindowAs(platform::WindowHandle window, external::ShowCommand command) {
  int show = SW_SHOWNORMAL;
  if (command == external::ShowCommand::kShowMaximized) show = SW_SHOWMAXIMIZED;
  if (command == external::ShowCommand::kRestore) show = SW_RESTORE;
  ShowWindow(ToHwnd(window), show);
}

void Win32ExternalHost::ResizeWindow(platform::WindowHandle window, int width, int height) {
  SetWindowPos(ToHwnd(window), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

void Win32ExternalHost::PlaceWindow(platform::WindowHandle window, const external::WindowPlacement& placement) {
  SetWindowPos(ToHwnd(window), HWND_NOTOPMOST, placement.x, placement.y, placement.width, placement.height,
               SWP_FRAMECHANGED);
}

int Win32ExternalHost::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int Win32ExternalHost::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

platform::Rect Win32ExternalHost::WorkArea() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left, area.top, area.right, area.bottom};
}

external::PaletteState Win32ExternalHost::Palette() {
  external::PaletteState state;
  state.visible = IsWindowVisible(windows_.main) != FALSE;
  state.docked = windows_.docked && windows_.docked();
  state.maximised = IsZoomed(windows_.main) != FALSE;
  state.application_minimised = IsIconic(windows_.application) != FALSE;
  RECT rect{};
  GetWindowRect(windows_.main, &rect);
  state.window_rect = {rect.left, rect.top, rect.right, rect.bottom};
  return state;
}

platform::WideText Win32ExternalHost::OwnFolder() {
  const std::wstring path = win::ExecutablePathWide();
  return texttools::FolderPart(platform::WideText(path.begin(), path.end()));
}

}  // namespace tagsling::ui
