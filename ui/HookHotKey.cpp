#include "ui/HookHotKey.h"

#include "ui/ErrorBox.h"
#include "ui/WinText.h"

namespace tagsling::ui {
namespace {

constexpr wchar_t kHotKeyWindowClass[] = L"THookHotKeyWindow";
// Polls the keys of held hot keys until they are up.
constexpr UINT_PTR kRepeatPollTimer = 1;
constexpr UINT kRepeatPollMs = 20;

ATOM RegisterHotKeyWindowClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;  // replaced per window below
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHotKeyWindowClass;
    return RegisterClassExW(&wc);
  }();
  return atom;
}

}  // namespace

THookHotKey::THookHotKey(HWND owner) : owner_(owner) {
  RegisterHotKeyWindowClass();
  window_ = CreateWindowExW(0, kHotKeyWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&THookHotKey::Proc));
  }
}

THookHotKey::~THookHotKey() {
  if (window_) DestroyWindow(window_);  // releases every registration made for it
}

bool THookHotKey::AddHotKey(int id, ShortcutCode code) {
  const HotKeyRegistration r = RegistrationOf(code);
  return window_ && RegisterHotKey(window_, id, r.modifiers | MOD_NOREPEAT, r.virtualKey);
}

bool THookHotKey::RemoveHotKey(int id) { return window_ && UnregisterHotKey(window_, id); }

LRESULT CALLBACK THookHotKey::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<THookHotKey*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_TIMER && wparam == kRepeatPollTimer && self) {
    if (!self->repeats_.Poll([](unsigned key) { return (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0; })) {
      KillTimer(window, kRepeatPollTimer);
    }
    return 0;
  }
  if (message == WM_HOTKEY && self && self->OnHotKey) {
    if (!self->repeats_.Accept(static_cast<int>(wparam), LOWORD(lparam), HIWORD(lparam))) return 0;
    SetTimer(window, kRepeatPollTimer, kRepeatPollMs, nullptr);
    GuardedVoid([&] {
      if (self->Activate && self->owner_) SetForegroundWindow(self->owner_);
      self->OnHotKey(*self, static_cast<unsigned>(wparam));
    });
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

std::string DriverKeyNameOf(unsigned virtualKey) {
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  if (scan == 0) return {};
  wchar_t name[64] = L"";
  const int length = GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
  return length > 0 ? WideToSjis(std::wstring_view(name, static_cast<size_t>(length))) : std::string();
}

void RegisterHotKeysReportingErrors(THookHotKey& hotKeys, const settings::AppSettings& settings, HWND errorOwner) {
  RegisterAllHotKeys(
      settings, hotKeys,
      [&](const std::string& message) {
        MessageBoxW(errorOwner, SjisToWide(message).c_str(), SjisToWide(kHotKeyErrorCaption).c_str(),
                    MB_OK | MB_ICONERROR);
      },
      DriverKeyNameOf);
}

}  // namespace tagsling::ui
