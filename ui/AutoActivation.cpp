#include "ui/AutoActivation.h"
#include "common/SjisLiteral.h"

#include <string>

namespace tagsling::ui {

const char* const kMouseHookLibraryFailed = "Tagslingmhook.dll のオープンに失敗しました。"_sjis;

bool MouseHookLibrary::Load() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring dll(path, length);
  dll.erase(dll.find_last_of(L"\\/") + 1);
  dll += L"Tagslingmhook.dll";
  module_.reset(LoadLibraryW(dll.c_str()));
  if (!module_) return false;
  set_hook_ = reinterpret_cast<SetHookFn>(reinterpret_cast<void*>(GetProcAddress(module_.get(), "SetHook")));
  un_hook_ = reinterpret_cast<UnHookFn>(reinterpret_cast<void*>(GetProcAddress(module_.get(), "UnHook")));
  if (set_hook_ && un_hook_) return true;
  set_hook_ = nullptr;
  un_hook_ = nullptr;
  module_.reset();
  return false;
}

void MouseHookLibrary::Attach(HWND window) {
  if (attached_ || !set_hook_) return;
  set_hook_(window);
  attached_ = true;
}

void MouseHookLibrary::Detach() {
  if (!attached_ || !un_hook_) return;
  un_hook_();
  attached_ = false;
}

void OnAutoActivateMessage(const AutoActivationHost& host) {
  AutoActivationState state{};
  state.docked = host.docked;
  state.app_active = GetActiveWindow() != nullptr;  // some window of this thread is active
  state.main_visible = IsWindowVisible(host.main) != FALSE;
  state.main_maximized = IsZoomed(host.main) != FALSE;
  state.app_minimized = IsIconic(host.application) != FALSE;
  state.busy = host.is_busy && host.is_busy();
  state.enabled = host.enabled;
  if (!AutoActivationArmed(state)) return;

  POINT pointer{0, 0};
  GetCursorPos(&pointer);
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  switch (DecideAutoActivation(state, {pointer.x, pointer.y}, desktop.right, host.margin)) {
    case AutoActivationAction::kBringToFront:
      if (host.bring_to_front) host.bring_to_front();
      // Raised but not active, the palette would take no keys (under Wine
      // no window at all is active then): it becomes the foreground window.
      SetForegroundWindow(host.main);
      break;
    case AutoActivationAction::kRaiseAndShow:
      if (host.bring_to_front) host.bring_to_front();
      if (host.show_main) host.show_main();
      break;
    case AutoActivationAction::kNone:
      break;
  }
}

}  // namespace tagsling::ui
