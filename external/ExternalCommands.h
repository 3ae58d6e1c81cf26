#pragma once
// The external-program commands as whole procedures: registered tools,
// browser preview and sizing, starting the editor and fitting its window.
//
// They run on the text tools' context (platform services, settings, file
// system, editor probe, dialog host, report bracket) plus ExternalHost, the
// few system calls only these commands make. Each command computes its plan
// with the pure functions of ToolsFunc, WwwFunc, Winplace and EditorLaunch
// and carries it out through those two; the Windows side implements
// ExternalHost and nothing else.

#include <cstdint>
#include <optional>
#include <string>

#include "external/EditorLaunch.h"
#include "external/ShellStart.h"
#include "external/ToolsFunc.h"
#include "external/Winplace.h"
#include "external/WwwFunc.h"
#include "settings/RegisteredLists.h"
#include "texttools/TextToolsContext.h"

namespace tagsling::external {

enum class ShowCommand { kShowNormal, kShowMaximized, kRestore };

// Method names differ from the Win32 functions they stand for, so that the
// Windows implementation can call those (and ShellExecute, a macro there)
// without clashes.
class ExternalHost {
 public:
  virtual ~ExternalHost() = default;

  // Entry n of the "Tools" list, read from the settings file now.
  virtual settings::ToolEntry ReadTool(int entry) = 0;
  // ShellExecute with no owner window, shown normally; the shell's result.
  virtual std::intptr_t StartThroughShell(const ShellStart& start) = 0;
  // WinExec, shown minimised without activation; true when the command was
  // accepted (a result above 31). Returns once the started program waits
  // for input or a bounded wait has passed.
  virtual bool RunCommand(const std::string& command_line) = 0;

  // The DDE client, one link at a time (DdeConnect, DdeClientTransaction,
  // DdeDisconnect). ConnectDde is false when no server answers; RequestDde
  // sends XTYP_REQUEST in CF_TEXT on the open link and ignores the answer
  // and any failure.
  virtual bool ConnectDde(const std::string& service, const std::string& topic) = 0;
  virtual void RequestDde(const std::string& item, unsigned timeout_ms) = 0;
  virtual void DisconnectDde() = 0;

  // CreateProcess as planned (no inheritance, no creation flags); the new
  // process, or nullopt when it could not be started.
  virtual std::optional<platform::ProcessId> StartProcess(const EditorLaunchPlan& plan) = 0;
  // Until the process waits for input, or a bounded wait has passed (the
  // palette keeps answering meanwhile and refuses new commands).
  virtual void WaitUntilIdle(platform::ProcessId process) = 0;

  virtual void ShowWindowAs(platform::WindowHandle window, ShowCommand command) = 0;
  // SetWindowPos with SWP_NOMOVE | SWP_NOZORDER.
  virtual void ResizeWindow(platform::WindowHandle window, int width, int height) = 0;
  // SetWindowPos with HWND_NOTOPMOST and SWP_FRAMECHANGED.
  virtual void PlaceWindow(platform::WindowHandle window, const WindowPlacement& placement) = 0;

  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  virtual platform::Rect WorkArea() = 0;  // SPI_GETWORKAREA
  virtual PaletteState Palette() = 0;
  // Folder of the program's own executable.
  virtual std::string OwnFolder() = 0;
};

struct ExternalContext {
  texttools::TextToolsContext& text;
  ExternalHost& host;
};

// Which window the sizing commands act on: the target window (menu items,
// buttons) or the foreground window (hot keys).
enum class WindowChoice { kTarget, kForeground };

// Starts tool entry n (0-based); reports a failed start.
void RunExternalTool(ExternalContext& context, int entry);

// InternetExplorerI1Click / NetscapeNavigatorN1Click: reports an empty
// executable setting, else previews the editor's document.
void PreviewCommand(ExternalContext& context, Browser browser);
// Shows `document_path` in an open browser window through DDE, or starts the
// browser with it. An empty path does nothing.
void PreviewInBrowser(ExternalContext& context, Browser browser, const std::string& document_path);
// "既定のブラウザで表示": the editor's document (GetEditorDocumentPath, file
// wanted) reloaded in the recognised browser window that shows it, or opened
// in the default browser. Reloading brings the window forward (restored
// when minimised), waits (bounded) until Shift, Ctrl and Alt are up so that
// the browser sees a plain F5, presses F5 and waits until the system has
// taken the key into the browser's input, then gives the foreground back to
// the editor (the target window when the command began).
void PreviewInDefaultBrowserCommand(ExternalContext& context);
// Sizes a classic browser's window, or a modern browser's page area
// (BrowserResizePlan::fit_page: measured after the window is restored).
void ResizeBrowser(ExternalContext& context, BrowserSize size, WindowChoice choice);

// The free area now.
std::optional<WindowPlacement> CurrentFreeArea(ExternalContext& context);
// Starts the editor with `file` (may be empty) in `folder`.
void LaunchEditor(ExternalContext& context, const std::string& file, const std::string& folder);
void FitEditorToFreeArea(ExternalContext& context, WindowChoice choice);

// New1Click: the editor with a new document, in HtmlOpenDir.
void EditorNewCommand(ExternalContext& context);
// Open2Click: the open dialog, then the editor with the chosen file.
void EditorOpenCommand(ExternalContext& context);

}  // namespace tagsling::external
