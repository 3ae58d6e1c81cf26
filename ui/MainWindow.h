#pragma once
// The main window TTagslingMain: the palette with its menu bar. It carries
// the user-interface state, runs its creation steps in a fixed order,
// dispatches every click through the command table, computes menu states
// when a menu opens, and decides what closing does (hide while resident,
// otherwise end the program, saving the settings on the way).

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/InsertionEngine.h"
#include "platform/win32/Win32Desktop.h"
#include "texttools/TextToolsContext.h"
#include "ui/Busy.h"
#include "ui/DesktopIntegration.h"
#include "ui/ItemActions.h"
#include "ui/MenuBuilder.h"
#include "ui/MenuHintTip.h"
#include "ui/Palette.h"
#include "ui/PaletteSettingsEnvironment.h"
#include "ui/model/CommandHandlers.h"
#include "ui/model/Lifecycle.h"
#include "win/Handles.h"

namespace tagsling::ui {

class LivePreview;

class MainWindow final : public MainWindowPlacement {
 public:
  MainWindow(HINSTANCE instance, HWND app, const StartupSettings& startup);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window (hidden) and runs the creation steps. False when the
  // program cannot go on.
  bool Create();
  // Shows the window in the state the settings asked for, unless the start
  // is resident (`hidden`).
  void ShowAtStart(bool hidden);
  // Keys the main window sees before its controls do (Escape).
  bool PreTranslate(const MSG& message);
  // The window's messages (win/Window.h).
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  // MainWindowPlacement
  HWND Window() const override { return hwnd_; }
  bool Docked() const override { return docked_; }
  bool Zoomed() const override;
  void ApplyPlacement(int width, int top, int left, bool maximized) override;

 private:
  void RunCreationSteps();
  void CreateControls();
  void CreateEngine();
  void LoadStartSettings();
  void Dock();
  void ShowStartState();
  void OnDestroy();
  void OnClose();
  void OnCommand(UINT id);
  LRESULT OnNotify(const NMHDR& header);
  void OnContextMenu(HWND window, LPARAM position);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnGetMinMaxInfo(MINMAXINFO& info) const;
  void Paint();

  // Whether a command must be refused now (IsBusy, or an insertion job runs).
  bool Busy() const;
  void Run(const ItemAction& action, bool item_was_checked, const ItemAction* owner_button = nullptr,
           UINT owner_id = 0);
  void RunCommand(CommandId command);
  void OpenMenu(MenuId menu, POINT at, const RECT* exclude, const ItemAction* owner_button, UINT owner_id);
  void RegisterHandlers();

  void CreateScaledResources();
  HBITMAP MenuBitmap(int index);
  int Scale(int logical) const { return MulDiv(logical, static_cast<int>(dpi_), 96); }
  void Layout();

  UiState CurrentUiState() const;
  void ShowSandwichMode();
  void ShowModeIcon(int icon);
  void ApplyOnTop();
  // The base folder and the relative-path state, by the text tools' rule.
  void RefreshBaseFolderDisplay();
  void ShowBaseFolderDisplay(const texttools::BaseFolderDisplay& display);
  void BuildListMenus();
  void ApplyMenuImages();
  void ShowMainWindow();
  void HideMainWindow();
  void ShowAbout();
  void OpenHelp(int context);
  void OpenHelpAnchor(const std::string& anchor);
  void SaveSettingsReportingErrors();

  HINSTANCE instance_;
  HWND app_;
  HWND hwnd_ = nullptr;
  StartupSettings startup_;
  std::string settings_path_;
  std::string template_path_;
  settings::AppSettings& settings_;
  PaletteSettingsEnvironment environment_;

  std::unique_ptr<platform::win32::Win32Desktop> desktop_;
  std::unique_ptr<core::InsertionEngine> engine_;

  ItemActions actions_;
  MenuSet menus_;
  std::unique_ptr<MenuHintTip> menu_tip_;  // made when a menu first selects an item
  Palette palette_;
  CommandHandlers handlers_;

  UINT dpi_ = 96;
  win::UniqueFont font_;
  std::unique_ptr<ToolPictures> pictures_;
  win::UniqueIcon small_icons_[2];
  win::UniqueIcon big_icons_[2];
  int mode_icon_ = 0;

  bool docked_ = false;
  bool exit_requested_ = false;
  bool shown_once_ = false;
  bool start_maximized_ = false;
  bool creation_failed_ = false;

  // Hot keys, caret menus, docking, auto-activation, the tray icon.
  std::unique_ptr<DesktopIntegration> desktop_integration_;
  std::optional<BusyScope> hot_key_popup_busy_;
  void CreateDesktopIntegration(DockedChoice docked);

  // The live preview's server; the last member, so it stops first.
  std::unique_ptr<LivePreview> live_preview_;
};

}  // namespace tagsling::ui
