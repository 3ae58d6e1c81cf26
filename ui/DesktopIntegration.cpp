#include "ui/DesktopIntegration.h"

#include "settings/ProfileFile.h"
#include "ui/AppWindow.h"
#include "ui/model/HotKeyDispatch.h"
#include "ui/model/TaskTrayModel.h"
#include "ui/win/ErrorBox.h"

namespace tagsling::ui {
namespace {

constexpr const char* kTrayTip = "Tagsling";

bool ApplicationActive() {
  const HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  if (foreground) GetWindowThreadProcessId(foreground, &process);
  return foreground && process == GetCurrentProcessId();
}

}  // namespace

DockedChoice ReadDockedChoice(const std::string& settingsPath) {
  const settings::ProfileDocument file = settings::ProfileDocument::Load(settingsPath);
  return {file.GetBool("Option", "Appbar", false), file.GetBool("Option", "NoMenuBar", false)};
}

DesktopIntegration::DesktopIntegration(DesktopHost host, DockedChoice docked)
    : host_(std::move(host)), docked_(docked), hotKeys_(host_.main) {
  hotKeys_.Activate = false;
  hotKeys_.OnHotKey = [this](HookHotKey&, unsigned id) { OnHotKey(id); };
  tray_ = std::make_unique<TaskTray>(host_.main);
  tray_->SetTipString(kTrayTip);
  tray_->OnMouseDown = [this](TaskTray&, TrayButton button, POINT at) { OnTrayMouseDown(button, at); };
  // The in-memory settings follow the file until LoadSettings reads them all.
  host_.settings->Appbar = docked_.docked;
  host_.settings->NoMenuBar = docked_.noMenuBar;
}

DesktopIntegration::~DesktopIntegration() { Shutdown(); }

int DesktopIntegration::HeightLimit() const {
  return Docked() ? DockedThickness(*host_.settings, docked_.noMenuBar) : host_.settings->FormHeight;
}

void DesktopIntegration::Dock() {
  if (!Docked()) return;
  SetTopmostBand(host_.main, true);
  appBar_.Register(host_.main, DockedThickness(*host_.settings, docked_.noMenuBar));
}

bool DesktopIntegration::InstallHooks() {
  InstallMenuClickHook();
  hooksInstalled_ = true;
  if (!hookLibrary_.Load()) {
    ShowErrorBox(kMouseHookLibraryFailed);
    return false;
  }
  if (host_.settings->AutoActive_OnTop) hookLibrary_.Attach(host_.main);
  return true;
}

void DesktopIntegration::ApplyTrayIcon() {
  if (Docked()) return;  // a docked palette never uses the icon
  tray_->SetRegistered(TrayIconWanted(host_.settings->TrayIcon, Docked()));
}

void DesktopIntegration::SetTrayIconImage(HICON icon) { tray_->SetIcon(icon); }

void DesktopIntegration::RegisterHotKeys() { RegisterHotKeysReportingErrors(hotKeys_, *host_.settings, host_.main); }

void DesktopIntegration::RemoveHotKeys() { RemoveAllHotKeys(hotKeys_); }

void DesktopIntegration::ApplyAutoActivation() {
  if (host_.settings->AutoActive_OnTop) {
    hookLibrary_.Attach(host_.main);
  } else {
    hookLibrary_.Detach();
  }
}

void DesktopIntegration::Shutdown() {
  hookLibrary_.Detach();
  if (hooksInstalled_) RemoveMenuClickHook();
  hooksInstalled_ = false;
  appBar_.Remove();
}

bool DesktopIntegration::HandleMessage(UINT message, WPARAM wparam, LPARAM, LRESULT& result) {
  switch (message) {
    case kAutoActivateMessage: {
      AutoActivationHost host;
      host.main = host_.main;
      host.application = host_.application;
      host.docked = Docked();
      host.enabled = host_.settings->AutoActive_OnTop;
      host.margin = host_.settings->AutoActive_Margin;
      host.isBusy = host_.isBusy;
      host.bringToFront = host_.bringApplicationToFront;
      host.showMain = host_.showMainWindow;
      OnAutoActivateMessage(host);
      result = 0;
      return true;
    }
    case kAppBarCallbackMessage:
      if (!appBar_.OnNotification(wparam, host_.settings->Appbar)) return false;
      result = 0;
      return true;
    default:
      return false;
  }
}

void DesktopIntegration::RegisterHandlers(CommandHandlers& handlers) {
  CommandHandlers::Registration registration = handlers.Register(CommandRegistrar::DesktopIntegration);
  registration.Set(CommandId::ActivateMainWindow, [this](const CommandInvocation&) { ShowMainWindowByHotKey(); });
  for (const Command& command : AllCommands()) {
    if (!CaretMenuOf(command.id)) continue;
    registration.Set(command.id, [this](const CommandInvocation& c) {
      if (CaretMenuOf(c.command)->invertMode) {
        RunWithModeInverted(
            host_.settings->HasamiMode, [this] { ToggleSandwich(); }, [&] { ShowCaretMenu(c.command); });
      } else {
        ShowCaretMenu(c.command);
      }
    });
  }
  registration.Finish();
}

void DesktopIntegration::OnHotKey(unsigned id) {
  const CommandId command = DispatchHotKey(static_cast<int>(id), Busy());
  switch (command) {
    case CommandId::None:
      return;
    case CommandId::ToggleSandwich:
      // The hot key flips the mode; the menu item sets it from its check mark.
      ToggleSandwich();
      return;
    default:
      break;
  }
  if (host_.runCommand) host_.runCommand(command);
}

void DesktopIntegration::ShowMainWindowByHotKey() {
  const bool minimized = IsIconic(host_.application) != FALSE;
  switch (DecideShowMainWindow(IsWindowVisible(host_.main) != FALSE, ApplicationActive(), minimized, Busy())) {
    case ShowMainWindowAction::None:
      break;
    case ShowMainWindowAction::RestoreApplication:
      ShowWindow(host_.application, SW_RESTORE);
      break;
    case ShowMainWindowAction::ForegroundAndShow:
      SetForegroundWindow(host_.application);
      if (host_.showMainWindow) host_.showMainWindow();
      break;
  }
}

void DesktopIntegration::ToggleSandwich() {
  host_.settings->HasamiMode = !host_.settings->HasamiMode;
  if (host_.showSandwichMode) host_.showSandwichMode();
}

void DesktopIntegration::ShowCaretMenu(CommandId command) {
  const std::optional<CaretMenuCommand> menu = CaretMenuOf(command);
  if (!menu || !host_.menuHandle) return;
  CaretMenuHost caret;
  caret.owner = host_.main;
  caret.application = host_.application;
  caret.mouseMove = host_.settings->MouseMove;
  caret.isBusy = host_.isBusy;
  caret.setPopupOpen = host_.setPopupOpen;
  caret.beginCaretMenu = host_.beginCaretMenu;
  // The caret-menu flag stays up until the chosen command has run, so the
  // popup forms of the tag commands deliver to the focus remembered when the
  // menu opened rather than to a target found anew.
  struct EndCaretMenu {
    const std::function<void()>& end;
    ~EndCaretMenu() {
      if (end) end();
    }
  } end_caret_menu{host_.endCaretMenu};
  const UINT chosen =
      ShowMenuAtCaret(host_.menuHandle(menu->menu), menu->menu, host_.settings->*(menu->position), caret);
  // The chosen command runs last, after the focus went back to the editor.
  if (chosen != 0 && host_.runMenuItem) host_.runMenuItem(chosen);
}

void DesktopIntegration::OnTrayMouseDown(TrayButton button, POINT at) {
  const bool disabled = IsWindowEnabled(host_.main) == FALSE;
  switch (DecideTrayClick(button, disabled, Busy())) {
    case TrayClickAction::ShowMainWindow:
      if (IsIconic(host_.application)) ShowWindow(host_.application, SW_RESTORE);
      if (host_.showMainWindow) host_.showMainWindow();
      break;
    case TrayClickAction::OpenTrayMenu:
      SetForegroundWindow(host_.main);
      PumpPendingMessages();
      if (host_.openTrayMenu) host_.openTrayMenu(at);
      if (!MenuClickFlag()) PumpPendingMessages();
      break;
    case TrayClickAction::None:
      break;
  }
}

}  // namespace tagsling::ui
