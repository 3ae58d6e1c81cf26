#include "ui/AutoActivation.h"

#include <string>

namespace tagsling::ui {

const char* const kMouseHookLibraryFailed =
    "Tagslingmhook.dll "
    "\x82\xcc\x83\x49\x81\x5b\x83\x76\x83\x93\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";

bool MouseHookLibrary::Load() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring dll(path, length);
  dll.erase(dll.find_last_of(L"\\/") + 1);
  dll += L"Tagslingmhook.dll";
  module_.reset(LoadLibraryW(dll.c_str()));
  if (!module_) return false;
  setHook_ = reinterpret_cast<SetHookFn>(reinterpret_cast<void*>(GetProcAddress(module_.get(), "SetHook")));
  unHook_ = reinterpret_cast<UnHookFn>(reinterpret_cast<void*>(GetProcAddress(module_.get(), "UnHook")));
  if (setHook_ && unHook_) return true;
  setHook_ = nullptr;
  unHook_ = nullptr;
  module_.reset();
  return false;
}

void MouseHookLibrary::Attach(HWND window) {
  if (attached_ || !setHook_) return;
  setHook_(window);
  attached_ = true;
}

void MouseHookLibrary::Detach() {
  if (!attached_ || !unHook_) return;
  unHook_();
  attached_ = false;
}

void OnAutoActivateMessage(const AutoActivationHost& host) {
  AutoActivationState state{};
  state.docked = host.docked;
  state.appActive = GetActiveWindow() != nullptr;  // some window of this thread is active
  state.mainVisible = IsWindowVisible(host.main) != FALSE;
  state.mainMaximized = IsZoomed(host.main) != FALSE;
  state.appMinimized = IsIconic(host.application) != FALSE;
  state.busy = host.isBusy && host.isBusy();
  state.enabled = host.enabled;
  if (!AutoActivationArmed(state)) return;

  POINT pointer{0, 0};
  GetCursorPos(&pointer);
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  switch (DecideAutoActivation(state, {pointer.x, pointer.y}, desktop.right, host.margin)) {
    case AutoActivationAction::BringToFront:
      if (host.bringToFront) host.bringToFront();
      // Raised but not active, the palette would take no keys (under Wine
      // no window at all is active then): it becomes the foreground window.
      SetForegroundWindow(host.main);
      break;
    case AutoActivationAction::RaiseAndShow:
      if (host.bringToFront) host.bringToFront();
      if (host.showMain) host.showMain();
      break;
    case AutoActivationAction::None:
      break;
  }
}

}  // namespace tagsling::ui
