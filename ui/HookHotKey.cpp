#include "ui/HookHotKey.h"

#include "win/WinText.h"
#include "win/Window.h"

namespace tagsling::ui {
namespace {

constexpr wchar_t kHotKeyWindowClass[] = L"THookHotKeyWindow";
// Polls the keys of held hot keys until they are up.
constexpr UINT_PTR kRepeatPollTimer = 1;
constexpr UINT kRepeatPollMs = 20;

}  // namespace

HookHotKey::HookHotKey(HWND owner)
    : owner_(owner), window_(win::CreateOwnedWindow({.name = kHotKeyWindowClass}, {.parent = HWND_MESSAGE}, this)) {}

HookHotKey::~HookHotKey() {
  if (window_) DestroyWindow(window_);  // releases every registration made for it
}

bool HookHotKey::AddHotKey(int id, ShortcutCode code) {
  const HotKeyRegistration r = RegistrationOf(code);
  return window_ && RegisterHotKey(window_, id, r.modifiers | MOD_NOREPEAT, r.virtual_key);
}

bool HookHotKey::RemoveHotKey(int id) { return window_ && UnregisterHotKey(window_, id); }

LRESULT HookHotKey::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == kRepeatPollTimer) {
    if (!repeats_.Poll([](unsigned key) { return (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0; })) {
      KillTimer(window, kRepeatPollTimer);
    }
    return 0;
  }
  if (message == WM_HOTKEY && OnHotKey) {
    if (!repeats_.Accept(static_cast<int>(wparam), LOWORD(lparam), HIWORD(lparam))) return 0;
    SetTimer(window, kRepeatPollTimer, kRepeatPollMs, nullptr);
    if (Activate && owner_) SetForegroundWindow(owner_);
    OnHotKey(*this, static_cast<unsigned>(wparam));
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

std::string DriverKeyNameOf(unsigned virtual_key) {
  const UINT scan = MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC);
  if (scan == 0) return {};
  wchar_t name[64] = L"";
  const int length = GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
  return length > 0 ? win::WideToSjis(std::wstring_view(name, static_cast<size_t>(length))) : std::string();
}

void RegisterHotKeysReportingErrors(HookHotKey& hot_keys, const settings::AppSettings& settings, HWND error_owner) {
  RegisterAllHotKeys(
      settings, hot_keys,
      [&](const std::string& message) {
        MessageBoxW(error_owner, win::SjisToWide(message).c_str(), win::SjisToWide(kHotKeyErrorCaption).c_str(),
                    MB_OK | MB_ICONERROR);
      },
      DriverKeyNameOf);
}

}  // namespace tagsling::ui
