// Program entry of tagsling.exe. A second instance ends at once, silently
// (mutex "TagslingHTML_MARNOBEL"). The four settings that decide how the
// program starts are read before any window exists, because the application
// window, the title window and the taskbar button depend on them; the title
// window stays up, and the taskbar button away, while the main window runs
// its creation steps, and goes when the palette shows. The message loop
// runs until the main window is destroyed; the mutex is released on the way
// out.

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>

#include "settings/AppSettings.h"
#include "ui/AppWindow.h"
#include "ui/MainWindow.h"
#include "ui/SplashWindow.h"
#include "ui/model/Lifecycle.h"
#include "win/ErrorBox.h"
#include "win/Handles.h"
#include "win/MessagePump.h"
#include "win/StartupTrace.h"
#include "win/WinText.h"

namespace {

namespace win = tagsling::win;

constexpr wchar_t kMutexName[] = L"TagslingHTML_MARNOBEL";

int RunProgram(HINSTANCE instance) {
  using namespace tagsling::ui;

  if (HANDLE running = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName)) {
    CloseHandle(running);
    return 0;
  }
  win::UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, kMutexName));

  win::TraceStartupStep("entry");
  const StartupSettings startup = ReadStartupSettings(tagsling::settings::SettingsFilePath(win::ExecutablePath()));

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  ApplicationWindow application;
  const HWND app = application.Window();
  if (!app) return 1;
  win::TraceStartupStep("application window");

  std::optional<SplashWindow> title;
  if (ShowsTitleWindow(startup)) {
    RemoveTaskbarButton(app);
    title.emplace();
    win::PumpPendingMessages();
    win::TraceStartupStep("title window");
  }
  const bool hidden = StartsHidden(startup);

  auto main = std::make_unique<MainWindow>(instance, app, startup);
  const bool created = main->Create();

  if (title) {
    // The palette's first showing shows the taskbar button with it.
    RestoreTaskbarButton(app, false);
  } else if (!hidden && created) {
    ShowWindow(app, SW_SHOWNA);
  }
  if (created) main->ShowAtStart(hidden);
  win::TraceStartupStep("main window shown");
  // The title window goes once the palette is on the screen, so that one of
  // the two is always there.
  title.reset();
  if (!created) return 1;

  MSG message;
  PostMessageW(nullptr, WM_NULL, 0, 0);  // marks the first pass of the message loop in the trace
  bool first_message = true;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (first_message) {
      win::TraceStartupStep("message loop");
      first_message = false;
    }
    if (main->PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  main.reset();
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    return RunProgram(instance);
  } catch (...) {
    win::ReportCurrentException();
    return 1;
  }
}
