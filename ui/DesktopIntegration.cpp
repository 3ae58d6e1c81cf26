#include "ui/DesktopIntegration.h"

#include "settings/ProfileFile.h"
#include "ui/AppWindow.h"
#include "ui/model/HotKeyDispatch.h"
#include "ui/model/TaskTrayModel.h"
#include "win/ErrorBox.h"

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

DesktopIntegration::DesktopIntegration(DesktopHost host, DockedChoice docked)
    : host_(std::move(host)), docked_(docked), hot_keys_(host_.main) {
  hot_keys_.Activate = false;
  hot_keys_.OnHotKey = [this](HookHotKey&, unsigned id) { OnHotKey(id); };
  tray_ = std::make_unique<TaskTray>(host_.main);
  tray_->SetTipString(kTrayTip);
  tray_->OnMouseDown = [this](TaskTray&, TrayButton button, POINT at) { OnTrayMouseDown(button, at); };
  // The in-memory settings follow the file until LoadSettings reads them all.
  host_.settings->Appbar = docked_.docked;
  host_.settings->NoMenuBar = docked_.no_menu_bar;
}

DesktopIntegration::~DesktopIntegration() { Shutdown(); }

int DesktopIntegration::HeightLimit() const {
  return Docked() ? DockedThickness(*host_.settings, docked_.no_menu_bar) : host_.settings->FormHeight;
}

void DesktopIntegration::Dock() {
  if (!Docked()) return;
  SetTopmostBand(host_.main, true);
  app_bar_.Register(host_.main, DockedThickness(*host_.settings, docked_.no_menu_bar));
}

bool DesktopIntegration::InstallHooks() {
  InstallMenuClickHook();
  hooks_installed_ = true;
  if (!hook_library_.Load()) {
    win::ShowErrorBox(kMouseHookLibraryFailed);
    return false;
  }
  if (host_.settings->AutoActive_OnTop) hook_library_.Attach(host_.main);
  return true;
}

void DesktopIntegration::ApplyTrayIcon() {
  if (Docked()) return;  // a docked palette never uses the icon
  tray_->SetRegistered(TrayIconWanted(host_.settings->TrayIcon, Docked()));
}

void DesktopIntegration::SetTrayIconImage(HICON icon) { tray_->SetIcon(icon); }

void DesktopIntegration::RegisterHotKeys() { RegisterHotKeysReportingErrors(hot_keys_, *host_.settings, host_.main); }

void DesktopIntegration::RemoveHotKeys() { RemoveAllHotKeys(hot_keys_); }

void DesktopIntegration::ApplyAutoActivation() {
  if (host_.settings->AutoActive_OnTop) {
    hook_library_.Attach(host_.main);
  } else {
    hook_library_.Detach();
  }
}

void DesktopIntegration::Shutdown() {
  hook_library_.Detach();
  if (hooks_installed_) RemoveMenuClickHook();
  hooks_installed_ = false;
  app_bar_.Remove();
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
      host.is_busy = host_.is_busy;
      host.bring_to_front = host_.bring_application_to_front;
      host.show_main = host_.show_main_window;
      OnAutoActivateMessage(host);
      result = 0;
      return true;
    }
    case kAppBarCallbackMessage:
      if (!app_bar_.OnNotification(wparam, host_.settings->Appbar)) return false;
      result = 0;
      return true;
    default:
      return false;
  }
}

void DesktopIntegration::RegisterHandlers(CommandHandlers& handlers) {
  CommandHandlers::Registration registration = handlers.Register(CommandRegistrar::kDesktopIntegration);
  registration.Set(CommandId::kActivateMainWindow, [this](const CommandInvocation&) { ShowMainWindowByHotKey(); });
  for (const Command& command : AllCommands()) {
    if (!CaretMenuOf(command.id)) continue;
    registration.Set(command.id, [this](const CommandInvocation& c) {
      if (CaretMenuOf(c.command)->invert_mode) {
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
    case CommandId::kNone:
      return;
    case CommandId::kToggleSandwich:
      // The hot key flips the mode; the menu item sets it from its check mark.
      ToggleSandwich();
      return;
    default:
      break;
  }
  if (host_.run_command) host_.run_command(command);
}

void DesktopIntegration::ShowMainWindowByHotKey() {
  const bool minimized = IsIconic(host_.application) != FALSE;
  switch (DecideShowMainWindow(IsWindowVisible(host_.main) != FALSE, ApplicationActive(), minimized, Busy())) {
    case ShowMainWindowAction::kNone:
      break;
    case ShowMainWindowAction::kRestoreApplication:
      ShowWindow(host_.application, SW_RESTORE);
      break;
    case ShowMainWindowAction::kForegroundAndShow:
      SetForegroundWindow(host_.application);
      if (host_.show_main_window) host_.show_main_window();
      break;
  }
}

void DesktopIntegration::ToggleSandwich() {
  host_.settings->HasamiMode = !host_.settings->HasamiMode;
  if (host_.show_sandwich_mode) host_.show_sandwich_mode();
}

void DesktopIntegration::ShowCaretMenu(CommandId command) {
  const std::optional<CaretMenuCommand> menu = CaretMenuOf(command);
  if (!menu || !host_.menu_handle) return;
  CaretMenuHost caret;
  caret.owner = host_.main;
  caret.application = host_.application;
  caret.mouse_move = host_.settings->MouseMove;
  caret.is_busy = host_.is_busy;
  caret.set_popup_open = host_.set_popup_open;
  caret.begin_caret_menu = host_.begin_caret_menu;
  // The caret-menu flag stays up until the chosen command has run, so the
  // popup forms of the tag commands deliver to the focus remembered when the
  // menu opened rather than to a target found anew.
  struct EndCaretMenu {
    const std::function<void()>& end;
    ~EndCaretMenu() {
      if (end) end();
    }
  } end_caret_menu{host_.end_caret_menu};
  const UINT chosen =
      ShowMenuAtCaret(host_.menu_handle(menu->menu), menu->menu, host_.settings->*(menu->position), caret);
  // The chosen command runs last, after the focus went back to the editor.
  if (chosen != 0 && host_.run_menu_item) host_.run_menu_item(chosen);
}

void DesktopIntegration::OnTrayMouseDown(TrayButton button, POINT at) {
  const bool disabled = IsWindowEnabled(host_.main) == FALSE;
  switch (DecideTrayClick(button, disabled, Busy())) {
    case TrayClickAction::kShowMainWindow:
      if (IsIconic(host_.application)) ShowWindow(host_.application, SW_RESTORE);
      if (host_.show_main_window) host_.show_main_window();
      break;
    case TrayClickAction::kOpenTrayMenu:
      SetForegroundWindow(host_.main);
      win::PumpPendingMessages();
      if (host_.open_tray_menu) host_.open_tray_menu(at);
      if (!MenuClickFlag()) win::PumpPendingMessages();
      break;
    case TrayClickAction::kNone:
      break;
  }
}

}  // namespace tagsling::ui
