#pragma once
// The external-program commands' system calls on Windows: the shell,
// CreateProcess with the planned STARTUPINFO, the bounded waits for a
// started program (ui/ProgramWait), the DDE client, window showing and
// sizing, the screen and the work area, and the palette's state for the
// free area.
//
// Shell starts and editor starts arrive in UTF-16 and go to the wide calls
// as they are; the DDE texts arrive as code page 932 strings and are
// converted with code page 932. DDE string handles
// (service, topic and the request's item) are made from the wide form
// (DdeCreateStringHandleW, CP_WINUNICODE), so an item with Japanese path
// characters reaches the server as the same characters; the request asks for
// CF_TEXT. One DDE link is open at a time; the DDEML instance lives as long
// as the host.

#include <windows.h>
#include <ddeml.h>

#include <functional>
#include <optional>
#include <string>

#include "external/ExternalCommands.h"
#include "ui/Busy.h"
#include "win/Handles.h"

namespace tagsling::ui {

struct ExternalHostWindows {
  HWND main = nullptr;           // TTagslingMain
  HWND application = nullptr;    // TApplication
  std::function<bool()> docked;  // registered as a desktop toolbar
  std::string settings_path;     // the "Tools" list is read from it at each start
};

// A program started by StartProgram: its process (owned) and id.
struct StartedProgram {
  win::UniqueKernelHandle process;
  DWORD id = 0;
};

// CreateProcessW of `application` with `command_line` in `directory` (none
// when empty), with the `planned` start-up block or, without one, the
// program's own so that the program chooses its place. Nullopt when it could
// not start.
std::optional<StartedProgram> StartProgram(const std::wstring& application, const std::wstring& command_line,
                                           const std::wstring& directory, const external::StartupBlock* planned);

class Win32ExternalHost final : public external::ExternalHost {
 public:
  explicit Win32ExternalHost(ExternalHostWindows windows) : windows_(std::move(windows)) {}
  ~Win32ExternalHost() override;
  Win32ExternalHost(const Win32ExternalHost&) = delete;
  Win32ExternalHost& operator=(const Win32ExternalHost&) = delete;

  settings::ToolEntry ReadTool(int entry) override;
  std::intptr_t StartThroughShell(const external::ShellStart& start) override;
  bool RunCommand(const std::string& command_line) override;

  bool ConnectDde(const std::string& service, const std::string& topic) override;
  void RequestDde(const std::string& item, unsigned timeout_ms) override;
  void DisconnectDde() override;

  std::optional<platform::ProcessId> StartProcess(const external::EditorLaunchPlan& plan) override;
  void WaitUntilIdle(platform::ProcessId process) override;

  void ShowWindowAs(platform::WindowHandle window, external::ShowCommand command) override;
  void ResizeWindow(platform::WindowHandle window, int width, int height) override;
  void PlaceWindow(platform::WindowHandle window, const external::WindowPlacement& placement) override;

  int ScreenWidth() override;
  int ScreenHeight() override;
  platform::Rect WorkArea() override;
  external::PaletteState Palette() override;
  platform::WideText OwnFolder() override;

 private:
  // The DDEML client instance, made at the first conversation; 0 when
  // DdeInitializeW failed (every conversation then finds no server).
  DWORD DdeInstance();

  ExternalHostWindows windows_;
  DWORD dde_instance_ = 0;
  bool dde_tried_ = false;
  HCONV conversation_ = nullptr;
  // The editor started last, kept until its start-up wait is over or the
  // next editor starts.
  win::UniqueKernelHandle started_process_;
  platform::ProcessId started_id_ = 0;
};

}  // namespace tagsling::ui
