#include "ui/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <stdexcept>
#include <vector>

#include "core/TargetWindow.h"
#include "core/Templates.h"
#include "settings/AppSettings.h"
#include "settings/FileAccess.h"
#include "settings/RegisteredLists.h"
#include "texttools/BaseFolder.h"
#include "ui/AppWindow.h"
#include "ui/Busy.h"
#include "ui/ButtonImages.h"
#include "ui/ExternalCommandHandlers.h"
#include "ui/LivePreview.h"
#include "ui/OptionsWiring.h"
#include "ui/TextToolCommandHandlers.h"
#include "ui/Win32TextTools.h"
#include "ui/model/AppBarModel.h"
#include "ui/model/HelpLinks.h"
#include "ui/model/ModeSwitches.h"
#include "win/ErrorBox.h"
#include "win/Shell.h"
#include "win/StartupTrace.h"
#include "win/WinText.h"
#include "win/Window.h"

namespace tagsling::ui {
namespace {

constexpr wchar_t kMainClass[] = L"TTagslingMain";

platform::WindowHandle ToHandle(HWND window) { return reinterpret_cast<platform::WindowHandle>(window); }

// The executable's folder with its trailing separator, as code page 932.
std::string ExecutableFolder() {
  std::wstring path = win::ExecutablePathWide();
  path.resize(path.find_last_of(L"\\/") + 1);
  return win::WideToSjis(path);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, HWND app, const StartupSettings& startup)
    : instance_(instance),
      app_(app),
      startup_(startup),
      settings_path_(settings::SettingsFilePath(win::ExecutablePath())),
      template_path_(core::TemplateFilePath(ExecutableFolder())),
      settings_(settings::GlobalAppSettings()),
      environment_(this),
      menus_(actions_),
      palette_(actions_) {}

MainWindow::~MainWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool MainWindow::Zoomed() const { return hwnd_ && (IsZoomed(hwnd_) || (!shown_once_ && start_maximized_)); }

void MainWindow::ApplyPlacement(int width, int top, int left, bool maximized) {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  SetWindowPos(hwnd_, nullptr, left, top, width, rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
  start_maximized_ = maximized;
  if (IsWindowVisible(hwnd_)) ShowWindow(hwnd_, maximized ? SW_MAXIMIZE : SW_RESTORE);
}

// ---------------------------------------------------------------------------
// Creation

bool MainWindow::Create() {
  // Docking is decided here, from the settings file, for the whole run.
  const DockedChoice docked = ReadDockedChoice(settings_path_);
  docked_ = docked.docked;
  const DWORD style = docked_ ? kDockedStyle : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  const DWORD ex_style = docked_ ? kDockedExStyle : 0;

  // The menu bar comes with the window: set afterwards, it would make the
  // window lay itself out again.
  HMENU menu_bar = nullptr;
  win::GuardedVoid([this, &menu_bar] { menu_bar = menus_.Handle(MenuId::kMainMenu); });
  win::TraceStartupStep("menus");

  const win::WindowClassSpec window_class{
      .name = kMainClass, .cursor = IDC_ARROW, .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};
  hwnd_ = win::CreateOwnedWindow(window_class,
                                 {.ex_style = ex_style,
                                  .title = L"Tagsling",
                                  .style = style,
                                  .width = kMinimumWindowWidth,
                                  .height = 120,
                                  .parent = app_,
                                  .menu = menu_bar},
                                 this);
  if (!hwnd_) return false;
  win::SetErrorBoxOwner(hwnd_);
  SetApplicationMainWindow(app_, hwnd_);
  win::GuardedVoid([this, docked] {
    CreateDesktopIntegration(docked);
    RunCreationSteps();
  });
  return !creation_failed_;
}

// The steps build on each other: the engine needs the windows, the settings
// need the engine's handlers, docking and the hooks need the settings, and
// what the user sees first (mode, tray icon, menus, hot keys) comes last.
void MainWindow::RunCreationSteps() {
  CreateControls();
  CreateEngine();
  win::TraceStartupStep("engine");
  LoadStartSettings();
  win::TraceStartupStep("settings");
  if (docked_) Dock();
  if (!desktop_integration_->InstallHooks()) {
    creation_failed_ = true;
    return;
  }
  win::TraceStartupStep("hooks");
  ShowStartState();
  win::TraceStartupStep("start state");
}

void MainWindow::CreateControls() {
  dpi_ = GetDpiForWindow(hwnd_);
  CreateScaledResources();
  win::TraceStartupStep("pictures and icons");
  palette_.Create(hwnd_, instance_, font_.get(), pictures_.get(), static_cast<int>(dpi_));
  win::TraceStartupStep("palette");
}

void MainWindow::CreateEngine() {
  desktop_ = std::make_unique<platform::win32::Win32Desktop>();
  // The desktop's own hidden window owns the clipboard (it renders offered
  // text and lives until the program's end); the reports of the engine and
  // the text tools are owned by the palette, so it cannot be clicked while
  // one is open and no report opens behind it.
  desktop_->SetOwnerWindow(ToHandle(app_));
  desktop_->SetMessageBoxOwner(ToHandle(hwnd_));
  core::EngineHooks hooks;
  hooks.read_template = [this](const std::string& key) { return core::ReadTemplate(key, template_path_); };
  hooks.read_user_template = [this](int number) { return core::ReadUserTemplate(number, settings_path_); };
  hooks.through_classes = &settings::ThroughWindowClasses();
  hooks.sandwich_mode_changed = [this] { ShowSandwichMode(); };
  engine_ = std::make_unique<core::InsertionEngine>(desktop_->platform(), settings_, std::move(hooks));
  try {
    RegisterHandlers();
  } catch (const std::logic_error&) {
    // A command without its handler: the program does not start half-wired.
    creation_failed_ = true;
    throw;
  }
}

// The pass-through windows and the settings record (which also places the
// window), then what depends on them: the first page, the base-folder panel
// and the topmost band.
void MainWindow::LoadStartSettings() {
  settings::LoadThroughWindowList(settings_path_);
  settings::ComputeDockedThicknesses(settings_, environment_);
  settings::LoadSettings(settings_, environment_, settings_path_);
  // Files above the limit are left as they are and their defaults used;
  // the user learns why at once rather than from a failed save at exit.
  for (const std::string& path : {settings_path_, template_path_}) {
    if (settings::StampOf(path).size > settings::kProfileFileSizeLimit)
      win::ShowErrorBox(settings::FileTooLargeMessage(path));
  }
  palette_.SelectPage(0);
  RefreshBaseFolderDisplay();
  if (!docked_ && settings_.WindowOnTop) ApplyOnTop();
}

// The palette becomes a desktop toolbar. The program icon goes into the
// logo; without the menu bar the narrow panel with the tag-menu button takes
// the menu bar's place.
void MainWindow::Dock() {
  start_maximized_ = false;  // the toolbar's rectangle, not the maximized strip
  palette_.SetLogoIcon(small_icons_[kNormalModeIcon].get());
  if (settings_.NoMenuBar) {
    SetMenu(hwnd_, nullptr);
    palette_.ShowDockedPanel(true);
  }
  RemoveTaskbarButton(app_);
  desktop_integration_->Dock();
}

void MainWindow::ShowStartState() {
  if (settings_.PasteHasamiOff) settings_.HasamiMode = false;  // every run starts in normal mode when asked to
  ShowSandwichMode();
  win::TraceStartupStep("mode shown");
  desktop_integration_->ApplyTrayIcon();
  win::TraceStartupStep("tray icon");
  BuildListMenus();
  win::TraceStartupStep("list menus");
  desktop_integration_->RegisterHotKeys();
  win::TraceStartupStep("hot keys");
  ApplyMenuImages();
  win::TraceStartupStep("menu images");
  core::BringToFrontAttached(*desktop_, ToHandle(app_));
  Layout();
}

void MainWindow::CreateDesktopIntegration(DockedChoice docked) {
  DesktopHost host;
  host.main = hwnd_;
  host.application = app_;
  host.settings = &settings_;
  host.is_busy = [this] { return Busy(); };
  host.set_popup_open = [this](bool open) {
    if (open) {
      hot_key_popup_busy_.emplace(BusyFlag::kHotKeyPopup);
    } else {
      hot_key_popup_busy_.reset();
    }
  };
  host.begin_caret_menu = [this](HWND focus) { engine_->BeginCaretMenu(ToHandle(focus)); };
  host.end_caret_menu = [this] { engine_->EndCaretMenu(); };
  host.menu_handle = [this](MenuId menu) { return menus_.Handle(menu); };
  host.run_menu_item = [this](UINT id) { OnCommand(id); };
  host.run_command = [this](CommandId command) { RunCommand(command); };
  host.show_sandwich_mode = [this] { ShowSandwichMode(); };
  host.show_main_window = [this] { ShowMainWindow(); };
  host.bring_application_to_front = [this] { core::BringToFrontAttached(*desktop_, ToHandle(app_)); };
  host.open_tray_menu = [this](POINT at) { OpenMenu(MenuId::kTrayMenu, at, nullptr, nullptr, 0); };
  desktop_integration_ = std::make_unique<DesktopIntegration>(std::move(host), docked);
}

void MainWindow::ShowAtStart(bool hidden) {
  palette_.CreateRemainingPagesLater();
  if (hidden) return;
  ShowMainWindow();
}

void MainWindow::CreateScaledResources() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
  font_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
  pictures_ = std::make_unique<ToolPictures>(Scale(16));
  const int small_size = GetSystemMetricsForDpi(SM_CXSMICON, dpi_);
  const int big_size = GetSystemMetricsForDpi(SM_CXICON, dpi_);
  for (int i = 0; i < 2; ++i) {
    small_icons_[i] = CreateProgramIcon(i, small_size);
    big_icons_[i] = CreateProgramIcon(i, big_size);
  }
}

HBITMAP MainWindow::MenuBitmap(int index) { return pictures_->MenuBitmap(index); }

// ---------------------------------------------------------------------------
// Window procedure

LRESULT MainWindow::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  // The messages of CreateWindowExW itself come before the window's state.
  if (!hwnd_) return DefWindowProcW(window, message, wparam, lparam);
  if (LRESULT result = 0;
      desktop_integration_ && desktop_integration_->HandleMessage(message, wparam, lparam, result)) {
    return result;
  }
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) <= 1) OnCommand(LOWORD(wparam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
    case kPanelContextMenu:
      OnContextMenu(reinterpret_cast<HWND>(wparam), lparam);
      return 0;
    case kPanelClick:
      if (reinterpret_cast<HWND>(wparam) == palette_.LogoWindow()) RunCommand(PalettePanelText().logo_click);
      return 0;
    case kPanelDoubleClick:
      if (palette_.IsBaseFolderPanel(reinterpret_cast<HWND>(wparam))) {
        RunCommand(PalettePanelText().double_click);
      }
      return 0;
    case WM_MENUSELECT: {
      // The hint of the item, as its tooltip; a closing menu hides it.
      const auto menu = reinterpret_cast<HMENU>(lparam);
      const MenuSet::Selection selected = menus_.Selected(menu, LOWORD(wparam), HIWORD(wparam));
      if (!menu_tip_) menu_tip_ = std::make_unique<MenuHintTip>(hwnd_);
      menu_tip_->Show(menu, selected.position, selected.hint);
      return 0;
    }
    case WM_EXITMENULOOP:
      if (menu_tip_) menu_tip_->Hide();
      return 0;
    case WM_INITMENUPOPUP:
      menus_.ApplyOpenTimeImages(reinterpret_cast<HMENU>(wparam));
      menus_.ApplyOpenTimeStates(reinterpret_cast<HMENU>(wparam), CurrentUiState());
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_GETMINMAXINFO:
      DefWindowProcW(hwnd_, message, wparam, lparam);
      OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lparam));
      return 0;
    case WM_SYSCOMMAND:
      // The maximized strip along the top of the screen cannot be moved.
      if (SwallowSysCommand(static_cast<unsigned>(wparam), IsZoomed(hwnd_) != FALSE)) return 0;
      if ((wparam & 0xFFF0) == SC_MINIMIZE) {
        ShowWindow(app_, SW_MINIMIZE);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_HELP:
      OpenHelp(static_cast<int>(reinterpret_cast<const HELPINFO*>(lparam)->dwContextId));
      return TRUE;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_ENDSESSION:
      SaveSettingsReportingErrors();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

bool MainWindow::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE || !hwnd_) return false;
  if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)) return false;
  win::GuardedVoid([this] {
    // A tooltip on screen is a top-level window of its own: it must not
    // become the window Escape gives the foreground to.
    palette_.HideTips();
    const core::EscapeState state{docked_, settings_.TrayIcon, settings_.EscClose};
    if (core::FormKeyDown(*desktop_, VK_ESCAPE, state, settings::ThroughWindowClasses()) ==
        core::EscapeAction::kHideMainWindow) {
      HideMainWindow();
    }
  });
  return true;
}

void MainWindow::OnGetMinMaxInfo(MINMAXINFO& info) const {
  const bool docked = docked_ && desktop_integration_;
  const TrackLimits limits = WindowTrackLimits(
      settings_.FormHeight, docked, docked ? desktop_integration_->HeightLimit() : 0, static_cast<int>(dpi_));
  info.ptMinTrackSize.x = limits.min_width;
  info.ptMinTrackSize.y = limits.min_height;
  info.ptMaxTrackSize.y = limits.max_height;
  info.ptMaxSize.y = limits.max_height;
}

void MainWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT client;
  GetClientRect(hwnd_, &client);
  client.bottom = client.top + Scale(2);
  DrawEdge(dc, &client, EDGE_ETCHED, BF_TOP);
  EndPaint(hwnd_, &paint);
}

void MainWindow::Layout() {
  RECT client;
  GetClientRect(hwnd_, &client);
  palette_.Layout(client.right, client.bottom);
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  CreateScaledResources();
  palette_.Rescale(font_.get(), pictures_.get(), static_cast<int>(dpi_));
  if (menus_.ImagesShown()) menus_.SetImages(true, [this](int index) { return MenuBitmap(index); });
  ShowModeIcon(mode_icon_);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
  DrawMenuBar(hwnd_);
}

// ---------------------------------------------------------------------------
// Closing and destruction

void MainWindow::OnClose() {
  CloseState state;
  state.tray_icon = settings_.TrayIcon;
  state.docked = docked_;
  state.exit_requested = exit_requested_;
  state.app_minimized = IsIconic(app_) != FALSE;
  switch (DecideClose(state)) {
    case CloseAction::kClose:
      DestroyWindow(hwnd_);
      break;
    case CloseAction::kHide:
      HideMainWindow();
      break;
    case CloseAction::kNothing:
      break;
  }
}

void MainWindow::OnDestroy() {
  // The hooks and a docked palette's desktop toolbar go before the settings
  // are saved, so the window's position saved is its own and not the
  // toolbar's.
  if (desktop_integration_) desktop_integration_->Shutdown();
  // Quitting closes the preview's port at once.
  if (live_preview_) live_preview_->Stop();
  SaveSettingsReportingErrors();
  // The window would destroy its menu bar; the menu set owns it.
  SetMenu(hwnd_, nullptr);
  win::SetErrorBoxOwner(nullptr);
  hwnd_ = nullptr;
  PostQuitMessage(0);
}

void MainWindow::SaveSettingsReportingErrors() {
  try {
    settings::SaveSettings(settings_, environment_, settings_path_);
  } catch (const settings::SettingsWriteError& error) {
    win::ShowErrorBox(error.what());
  }
}

// ---------------------------------------------------------------------------
// Commands

void MainWindow::OnCommand(UINT id) {
  const ItemAction* action = actions_.Find(id);
  if (!action) return;
  // Clicks on a mode button only change the mode; the toolbar has already
  // toggled the pair.
  Run(*action, action->toolbar ? false : MenuSet::IsChecked(*action, id));
}

void MainWindow::Run(const ItemAction& action, bool item_was_checked, const ItemAction* owner_button, UINT owner_id) {
  // While a modal interaction or a wait for another program runs, a command
  // is refused like one that arrives while an insertion runs.
  if (action.command != CommandId::kNone && Busy()) {
    MessageBeep(0);
    return;
  }
  // Copy: a handler may rebuild the menus the action came from.
  const ItemAction copy = action;
  palette_.HideTips();
  HWND pressed_toolbar = nullptr;
  UINT pressed_id = 0;
  if (copy.toolbar && copy.presses_while_running) {
    pressed_toolbar = copy.toolbar;
    pressed_id = copy.id;
  } else if (copy.presses_owner_button && owner_button) {
    pressed_toolbar = owner_button->toolbar;
    pressed_id = owner_id;
  }
  if (pressed_toolbar) {
    // Shown pressed while the command runs; painted before it starts.
    Palette::PressButton(pressed_toolbar, pressed_id, true);
    desktop_->ProcessPendingMessages();
  }
  try {
    handlers_.Run({copy.command, copy.key, copy.entry, item_was_checked});
  } catch (...) {
    if (pressed_toolbar) Palette::PressButton(pressed_toolbar, pressed_id, false);
    throw;
  }
  if (pressed_toolbar) Palette::PressButton(pressed_toolbar, pressed_id, false);
}

bool MainWindow::Busy() const {
  // One busy state for the whole program: a modal interaction, a wait for
  // another program, or an insertion job whose keys are still on their way.
  return IsBusy(hwnd_) || (engine_ && engine_->IsBusy());
}

void MainWindow::RunCommand(CommandId command) {
  ItemAction action;
  action.command = command;
  Run(action, false);
}

void MainWindow::OpenMenu(MenuId menu, POINT at, const RECT* exclude, const ItemAction* owner_button, UINT owner_id) {
  TPMPARAMS params{};
  params.cbSize = sizeof params;
  if (exclude) params.rcExclude = *exclude;
  const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
      menus_.Handle(menu), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, at.x, at.y,
      hwnd_, exclude ? &params : nullptr));
  if (!chosen) return;
  const ItemAction* action = actions_.Find(chosen);
  if (!action) return;
  const ItemAction owner = owner_button ? *owner_button : ItemAction{};
  Run(*action, MenuSet::IsChecked(*action, chosen), owner_button ? &owner : nullptr, owner_id);
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case TTN_GETDISPINFOW: {
      auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
      if (const ItemAction* action = actions_.Find(static_cast<UINT>(header.idFrom))) {
        info.lpszText = const_cast<wchar_t*>(action->hint.c_str());
      }
      return 0;
    }
    case TBN_DROPDOWN: {
      const auto& toolbar = reinterpret_cast<const NMTOOLBARW&>(header);
      const UINT id = static_cast<UINT>(toolbar.iItem);
      const ItemAction* action = actions_.Find(id);
      if (!action || !action->has_menu) return TBDDRET_NODEFAULT;
      const ItemAction owner = *action;
      const RECT rect = Palette::ButtonRect(owner.toolbar, id);
      OpenMenu(owner.menu, POINT{rect.left, rect.bottom}, &rect, &owner, id);
      return TBDDRET_DEFAULT;
    }
    case TCN_SELCHANGE:
      if (header.hwndFrom == palette_.Tabs()) palette_.OnPageChanged();
      return 0;
    default:
      return 0;
  }
}

void MainWindow::OnContextMenu(HWND window, LPARAM position) {
  POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  if (position == -1) GetCursorPos(&at);
  // A right-click on a split or menu button opens its menu at the mouse.
  wchar_t class_name[64] = L"";
  GetClassNameW(window, class_name, 64);
  if (lstrcmpiW(class_name, TOOLBARCLASSNAMEW) == 0) {
    POINT client = at;
    ScreenToClient(window, &client);
    const int index = static_cast<int>(SendMessageW(window, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
    TBBUTTON button{};
    if (index >= 0 &&
        SendMessageW(window, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button))) {
      const UINT id = static_cast<UINT>(button.idCommand);
      if (const ItemAction* action = actions_.Find(id); action && action->has_menu) {
        if (action->right_click_opens_menu) {
          const ItemAction owner = *action;
          OpenMenu(owner.menu, at, nullptr, &owner, id);
        }
        return;
      }
    }
  }
  if (palette_.IsToolPanel(window)) {
    OpenMenu(PalettePanelText().tool_panel_menu, at, nullptr, nullptr, 0);
  } else if (palette_.IsBaseFolderPanel(window)) {
    OpenMenu(PalettePanelText().base_folder_menu, at, nullptr, nullptr, 0);
  }
}

void MainWindow::RegisterHandlers() {
  using enum CommandId;
  CommandHandlers::Registration registration = handlers_.Register(CommandRegistrar::kMainWindow);
  registration.Set(kRunTagCommand, [this](const CommandInvocation& c) { engine_->RunTagCommand(std::string(c.key)); });
  registration.Set(kRunTagCommandFromPopup,
                   [this](const CommandInvocation& c) { engine_->RunTagCommandFromPopup(std::string(c.key)); });
  registration.Set(kRunUserTag, [this](const CommandInvocation& c) { engine_->RunUserTag(c.entry); });
  registration.Set(kRunUserTagFromPopup, [this](const CommandInvocation& c) { engine_->RunUserTagFromPopup(c.entry); });
  registration.Set(kToggleSandwich, [this](const CommandInvocation& c) {
    settings_.HasamiMode = ValueFromCheckItem(c.item_was_checked);
    ShowSandwichMode();
  });
  registration.Set(kSandwichOnButton, [this](const CommandInvocation&) {
    settings_.HasamiMode = ModeFromOnButton(palette_.IsSandwichOnDown());
    ShowModeIcon(ui::ShowSandwichMode(settings_.HasamiMode).icon);
  });
  registration.Set(kSandwichOffButton, [this](const CommandInvocation&) {
    settings_.HasamiMode = ModeFromOffButton(palette_.IsSandwichOffDown());
    ShowModeIcon(ui::ShowSandwichMode(settings_.HasamiMode).icon);
  });
  registration.Set(kToggleOnTop, [this](const CommandInvocation& c) {
    settings_.WindowOnTop = ValueFromCheckItem(c.item_was_checked);
    ApplyOnTop();
  });
  registration.Set(kCloseWindow, [this](const CommandInvocation&) { PostMessageW(hwnd_, WM_CLOSE, 0, 0); });
  registration.Set(kShowMainWindow, [this](const CommandInvocation&) { this->ShowMainWindow(); });
  registration.Set(kTrayExit, [this](const CommandInvocation&) {
    exit_requested_ = true;
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  });
  registration.Set(kHelpTopics, [this](const CommandInvocation&) { OpenHelpAnchor(std::string(kHelpContentsAnchor)); });
  registration.Set(kHomePage, [this](const CommandInvocation&) {
    win::shell::Execute(hwnd_, L"open", win::Utf8ToWide(kHomePageUrl).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  });
  registration.Set(kAbout, [this](const CommandInvocation&) { ShowAbout(); });
  registration.Finish();

  RegisterExternalCommandHandlers(handlers_, {hwnd_, app_, [this] { return docked_; }, settings_path_});
  live_preview_ =
      std::make_unique<LivePreview>(ExternalHostWindows{hwnd_, app_, [this] { return docked_; }, settings_path_});
  RegisterLivePreviewHandlers(handlers_, *live_preview_);
  RegisterTextToolHandlers(handlers_,
                           {instance_, hwnd_, app_, *desktop_, *engine_, settings_, template_path_,
                            [this](const texttools::BaseFolderDisplay& display) { ShowBaseFolderDisplay(display); }});
  RegisterOptionsHandlers(
      handlers_, {hwnd_, app_, &settings_, settings_path_, settings::GetWindowsFamily(environment_), desktop_.get(),
                  desktop_integration_.get(), [this] { return docked_; }, [this] { BuildListMenus(); },
                  [this] { RefreshBaseFolderDisplay(); }, [this] { ApplyMenuImages(); },
                  [this] { this->ShowMainWindow(); }, [this](int context) { OpenHelp(context); }});
  desktop_integration_->RegisterHandlers(handlers_);
  // Each part has checked its own commands; this catches a part that was
  // never asked.
  if (const std::vector<CommandId> missing = handlers_.Unregistered(); !missing.empty()) {
    throw std::logic_error("command " + std::string(FindCommand(missing.front()).name) + " has no handler");
  }
}

// ---------------------------------------------------------------------------
// Displayed state

UiState MainWindow::CurrentUiState() const {
  UiState state;
  state.sandwich_mode = settings_.HasamiMode;
  state.on_top = settings_.WindowOnTop;
  state.docked = docked_;
  state.relative_path_input = settings_.SoutaiPathIns;
  state.base_folder_set = !settings_.Public_Dir.empty();
  state.main_window_hidden = !IsWindowVisible(hwnd_);
  state.app_minimized = IsIconic(app_) != FALSE;
  state.screen_width = GetSystemMetrics(SM_CXSCREEN);
  state.screen_height = GetSystemMetrics(SM_CYSCREEN);
  state.live_preview_running = live_preview_ && live_preview_->Running();
  return state;
}

void MainWindow::ShowSandwichMode() {
  const SandwichIndicators indicators = ui::ShowSandwichMode(settings_.HasamiMode);
  palette_.ShowSandwichMode(indicators.on_button_down);
  ShowModeIcon(indicators.icon);
}

void MainWindow::ShowModeIcon(int icon) {
  // The taskbar icon; the notification-area icon follows it once it exists.
  mode_icon_ = icon;
  if (desktop_integration_) desktop_integration_->SetTrayIconImage(small_icons_[icon].get());
  SetApplicationIcon(app_, small_icons_[icon].get(), big_icons_[icon].get());
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icons_[icon].get()));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icons_[icon].get()));
}

void MainWindow::ApplyOnTop() { SetTopmostBand(hwnd_, OnTopZOrder(settings_.WindowOnTop) == ZOrder::kTopmost); }

void MainWindow::RefreshBaseFolderDisplay() { texttools::RefreshBaseFolderDisplay(MainTextToolsContext()); }

void MainWindow::ShowBaseFolderDisplay(const texttools::BaseFolderDisplay& display) {
  palette_.SetBaseFolderText(win::SjisToWide(display.folder_text), win::SjisToWide(display.relative_path_text),
                             win::SjisToWide(display.base_folder_hint), display.labels_visible);
}

void MainWindow::BuildListMenus() {
  const settings::ProfileDocument file = settings::ProfileDocument::Load(settings_path_);
  menus_.FillLists(settings::RegisteredList::kUserTag, file);
  menus_.FillLists(settings::RegisteredList::kTools, file);
  DrawMenuBar(hwnd_);
}

void MainWindow::ApplyMenuImages() {
  if (settings_.MenuImg == menus_.ImagesShown()) return;
  menus_.SetImages(settings_.MenuImg, [this](int index) { return MenuBitmap(index); });
  DrawMenuBar(hwnd_);
}

void MainWindow::ShowMainWindow() {
  if (IsIconic(app_)) ShowWindow(app_, SW_RESTORE);
  if (GetWindowLongPtrW(app_, GWL_EXSTYLE) & WS_EX_APPWINDOW) ShowWindow(app_, SW_SHOWNA);
  if (!shown_once_) {
    shown_once_ = true;
    win::TraceStartupStep("showing");
    ShowWindow(hwnd_, start_maximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    win::TraceStartupStep("shown, before foreground");
  } else {
    ShowWindow(hwnd_, SW_SHOW);
  }
  SetForegroundWindow(hwnd_);
}

void MainWindow::HideMainWindow() {
  ShowWindow(hwnd_, SW_HIDE);
  // A resident palette keeps only its notification-area icon.
  ShowWindow(app_, SW_HIDE);
}

void MainWindow::ShowAbout() {
  BusyScope busy(BusyFlag::kAbout);
  MessageBoxW(hwnd_, win::Utf8ToWide(AboutText()).c_str(), win::Utf8ToWide(kAboutCaption).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

void MainWindow::OpenHelp(int context) {
  if (const std::optional<std::string> anchor = HelpAnchor(context)) OpenHelpAnchor(*anchor);
}

void MainWindow::OpenHelpAnchor(const std::string& anchor) {
  const std::string page = HelpPagePath(win::WideToUtf8(win::ExecutablePathWide()));
  const std::wstring wide_page = win::Utf8ToWide(page);
  if (GetFileAttributesW(wide_page.c_str()) == INVALID_FILE_ATTRIBUTES) {
    win::ShowErrorBox(win::WideToSjis(win::Utf8ToWide(HelpPageMissingMessage(page))));
    return;
  }
  // The page opens in the default browser at the anchor of the context, or
  // at its top when no program takes the address.
  const std::wstring url = win::Utf8ToWide(HelpPageUrl(page, anchor));
  if (reinterpret_cast<INT_PTR>(win::shell::Execute(hwnd_, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) <=
      32) {
    win::shell::Execute(hwnd_, L"open", wide_page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
}

}  // namespace tagsling::ui
