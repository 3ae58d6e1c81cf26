#pragma once
// HookHotKey: the system-wide hot keys of one owner window. The component
// registers every key for a hidden message-only window of its own, so
// destroying the component releases all of them at once. WM_HOTKEY raises
// OnHotKey with the identifier; an exception from the handler is shown in
// the program's error box and never leaves the window procedure. A key held
// down raises it once: keys are registered with MOD_NOREPEAT, and repeats
// that come anyway are dropped until the key is up (HotKeyRepeatFilter).

#include <windows.h>

#include <functional>
#include <string>

#include "settings/AppSettings.h"
#include "ui/model/HotKeyDispatch.h"
#include "ui/model/HotKeyRepeat.h"

namespace tagsling::ui {

class HookHotKey final : public HotKeyRegistrar {
 public:
  explicit HookHotKey(HWND owner);
  ~HookHotKey() override;
  HookHotKey(const HookHotKey&) = delete;
  HookHotKey& operator=(const HookHotKey&) = delete;

  // When true the owner window is made the foreground window before
  // OnHotKey runs. The main window's instance sets it false.
  bool Activate = true;
  std::function<void(HookHotKey& sender, unsigned id)> OnHotKey;

  // RegisterHotKey / UnregisterHotKey for the component's window.
  bool AddHotKey(int id, ShortcutCode code) override;
  bool RemoveHotKey(int id) override;

  HWND Window() const { return window_; }
  // The window's messages (win/Window.h).
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND owner_;
  HWND window_ = nullptr;
  HotKeyRepeatFilter repeats_;
};

// The keyboard driver's name of a virtual key (GetKeyNameText of its scan
// code), Shift-JIS; "" when it has none.
std::string DriverKeyNameOf(unsigned virtual_key);

// The registration pass of the 23 hot keys; each refused key shows the error
// box "ホットキー「…」の登録に失敗しました。" owned by `error_owner`.
void RegisterHotKeysReportingErrors(HookHotKey& hot_keys, const settings::AppSettings& settings, HWND error_owner);

}  // namespace tagsling::ui
