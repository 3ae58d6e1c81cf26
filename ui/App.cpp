// Program entry of tagsling.exe. The order is fixed:
// 1-2. a second instance ends at once, silently (mutex "TagslingHTML_MARNOBEL");
// 3. four settings are read straight from the settings file;
// 4. the application window "TApplication" takes the title "Tagsling";
// 5. the title window is shown (not when docking), the taskbar button removed;
// 6. a resident start keeps the main window hidden;
// 7. the main window is created and runs its creation steps;
// 8. the title window goes and the taskbar button comes back;
// 9. the message loop runs until the main window is destroyed; the mutex is
//    released on the way out.

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>

#include "settings/AppSettings.h"
#include "ui/AppWindow.h"
#include "ui/ErrorBox.h"
#include "ui/Handles.h"
#include "ui/MainWindow.h"
#include "ui/SplashWindow.h"
#include "ui/WinText.h"
#include "ui/model/Lifecycle.h"

namespace {

constexpr wchar_t kMutexName[] = L"TagslingHTML_MARNOBEL";

int RunProgram(HINSTANCE instance) {
  using namespace tagsling::ui;

  if (HANDLE running = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName)) {
    CloseHandle(running);
    return 0;
  }
  UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, kMutexName));

  const StartupSettings startup = ReadStartupSettings(tagsling::settings::SettingsFilePath(ExecutablePath()));

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  UniqueWindow app(CreateApplicationWindow(instance));
  if (!app) return 1;

  std::optional<SplashWindow> title;
  if (ShowsTitleWindow(startup)) {
    RemoveTaskbarButton(app.get());
    title.emplace(instance);
    MSG pending;
    while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&pending);
      DispatchMessageW(&pending);
    }
  }
  const bool hidden = StartsHidden(startup);

  auto main = std::make_unique<MainWindow>(instance, app.get(), startup);
  const bool created = main->Create();
  // The colour dialog's host window is created here once the input helpers
  // have one.

  if (title) {
    title.reset();
    RestoreTaskbarButton(app.get(), !hidden && created);
  } else if (!hidden && created) {
    ShowWindow(app.get(), SW_SHOWNA);
  }
  if (!created) return 1;
  main->ShowAtStart(hidden);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
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
    tagsling::ui::ReportCurrentException();
    return 1;
  }
}
