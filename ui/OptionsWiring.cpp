#include "ui/OptionsWiring.h"

#include <memory>

#include "ui/AppWindow.h"
#include "ui/OptionsDialog.h"
#include "ui/model/OptionsDialogModel.h"

namespace tagsling::ui {
namespace {

class Win32OptionsHost final : public OptionsDialogHost {
 public:
  explicit Win32OptionsHost(OptionsWiring wiring) : w_(std::move(wiring)) {}

  settings::AppSettings& Settings() override { return *w_.settings; }
  std::string SettingsPath() override { return w_.settings_path; }
  std::string WindowsFamily() override { return w_.windows_family; }
  platform::WindowSystem& Windows() override { return *w_.windows; }
  DriverKeyName KeyNames() override { return Win32KeyNames(); }

  void RemoveHotKeys() override { w_.desktop->RemoveHotKeys(); }
  void RegisterHotKeys() override { w_.desktop->RegisterHotKeys(); }
  // The insertion engine reads HasamiTime each time it arms either paste
  // timer, so the new value is in effect from the next insertion on.
  void SetPasteTimerInterval(int) override {}
  void RebuildListMenus() override { w_.rebuild_list_menus(); }
  bool Docked() override { return w_.docked(); }
  void UpdateTrayIcon() override {
    w_.desktop->ApplyTrayIcon();
    // Without the icon a hidden palette would have no handle left: its
    // taskbar button and the palette come back.
    if (!w_.settings->TrayIcon && !IsWindowVisible(w_.main)) {
      RestoreTaskbarButton(w_.application, true);
      w_.show_main_window();
    }
  }
  void RefreshBaseFolderDisplay() override { w_.refresh_base_folder_display(); }
  void ApplyMenuIcons() override { w_.apply_menu_icons(); }
  // The desktop integration attaches or detaches by AutoActive_OnTop, which
  // the closing steps have just written.
  void SetAutoActivation(bool) override { w_.desktop->ApplyAutoActivation(); }
  void ShowHelp(int context) override { w_.show_help(context); }

 private:
  OptionsWiring w_;
};

}  // namespace

void RegisterOptionsHandlers(CommandHandlers& handlers, const OptionsWiring& wiring) {
  using enum CommandId;
  // Each handler holds the shared host, so it lives as long as any handler.
  auto host = std::make_shared<Win32OptionsHost>(wiring);
  const HWND app = wiring.application;
  const HWND main = wiring.main;
  CommandHandlers::Registration registration = handlers.Register(CommandRegistrar::kOptionsDialog);
  auto add = [&registration, host, app, main](CommandId command, OptionsOpenSource source) {
    registration.Set(
        command, [host, app, main, source](const CommandInvocation&) { RunOptionsCommand(source, app, main, *host); });
  };
  add(kOptionsDialog, OptionsOpenSource::kOptionsCommand);
  add(kOptionsDialogFromPopup, OptionsOpenSource::kToolMenuItem);
  add(kEditUserTags, OptionsOpenSource::kUserTagEdit);
  add(kEditTools, OptionsOpenSource::kToolEdit);
  registration.Finish();
}

}  // namespace tagsling::ui
