#include <windows.h>

#include "platform/win32/Win32Desktop.h"

#include "common/WinText.h"
#include "ui/win/MessagePump.h"
#include "ui/win/Window.h"

#include <cwchar>
#include <exception>

namespace tagsling::platform::win32 {

namespace {

constexpr wchar_t kHiddenClass[] = L"TagslingPlatformWindow";

HWND H(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
WindowHandle W(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

std::wstring ToW(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
WideText FromW(std::wstring_view text) { return WideText(text.begin(), text.end()); }

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lparam) {
  reinterpret_cast<std::vector<WindowHandle>*>(lparam)->push_back(W(hwnd));
  return TRUE;
}

}  // namespace

Win32Desktop::Win32Desktop()
    : hidden_(W(ui::CreateOwnedWindow({.name = kHiddenClass}, {.parent = HWND_MESSAGE}, this))) {}

Win32Desktop::~Win32Desktop() {
  if (hidden_) {
    for (const auto& [id, tick] : ticks_) KillTimer(H(hidden_), static_cast<UINT_PTR>(id));
    SetWindowLongPtrW(H(hidden_), GWLP_USERDATA, 0);
    DestroyWindow(H(hidden_));
  }
}

LRESULT Win32Desktop::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER) {
    OnTimer(static_cast<int>(wparam));
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void Win32Desktop::ReportTickFailure(const std::string& sjis_text) { ShowMessage(sjis_text, MessageIcon::kError); }

// ---------------------------------------------------------------- clipboard

ClipboardWrite Win32Desktop::SetClipboardText(std::u16string_view text) {
  if (!OpenClipboard(H(ClipboardOwner()))) return ClipboardWrite::kBusy;
  bool stored = false;
  if (EmptyClipboard()) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      if (auto* data = static_cast<wchar_t*>(GlobalLock(memory))) {
        for (std::size_t i = 0; i < text.size(); ++i) data[i] = static_cast<wchar_t>(text[i]);
        data[text.size()] = L'\0';
        GlobalUnlock(memory);
        stored = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
      }
      if (!stored) GlobalFree(memory);  // the clipboard did not take it
    }
  }
  CloseClipboard();
  // Opened but not stored: the caller must not paste whatever is there now.
  return stored ? ClipboardWrite::kStored : ClipboardWrite::kNotStored;
}

std::optional<WideText> Win32Desktop::GetClipboardText() {
  if (!OpenClipboard(H(ClipboardOwner()))) return std::nullopt;
  WideText text;
  if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* data = static_cast<const wchar_t*>(GlobalLock(memory))) {
      // Never read past the block, whether or not it holds a terminator.
      const std::size_t limit = GlobalSize(memory) / sizeof(wchar_t);
      text = FromW(std::wstring_view(data, wcsnlen(data, limit)));
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  return text;
}

bool Win32Desktop::ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

bool Win32Desktop::ClipboardHeldOpen() { return GetOpenClipboardWindow() != nullptr; }

// ----------------------------------------------------------------- keyboard

void Win32Desktop::SendKeyEvent(const KeyEvent& event) {
  keybd_event(event.vk, event.scan, event.up ? KEYEVENTF_KEYUP : 0, 0);
}

std::uint8_t Win32Desktop::ScanCodeOf(std::uint8_t virtual_key) {
  return static_cast<std::uint8_t>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
}

bool Win32Desktop::IsKeyDown(std::uint8_t virtual_key) {
  return (static_cast<unsigned short>(GetAsyncKeyState(virtual_key)) & 0x8000) != 0;
}

// ------------------------------------------------------------------ windows

std::vector<WindowHandle> Win32Desktop::TopLevelWindows() {
  std::vector<WindowHandle> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool Win32Desktop::WindowExists(WindowHandle window) { return window != kNoWindow && ::IsWindow(H(window)); }

std::string Win32Desktop::WindowClassName(WindowHandle window) {
  wchar_t buffer[256];
  int length = GetClassNameW(H(window), buffer, 256);
  return WideToSjis(FromW(std::wstring_view(buffer, length > 0 ? static_cast<std::size_t>(length) : 0)));
}

std::string Win32Desktop::WindowTitle(WindowHandle window) { return WideToSjis(WindowTitleWide(window)); }

WideText Win32Desktop::WindowTitleWide(WindowHandle window) {
  int length = GetWindowTextLengthW(H(window));
  if (length <= 0) return {};
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  length = GetWindowTextW(H(window), buffer.data(), length + 1);
  buffer.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return FromW(buffer);
}

bool Win32Desktop::IsWindowVisible(WindowHandle window) { return ::IsWindowVisible(H(window)); }
bool Win32Desktop::IsWindowEnabled(WindowHandle window) { return ::IsWindowEnabled(H(window)); }
bool Win32Desktop::IsWindowMinimised(WindowHandle window) { return IsIconic(H(window)); }
bool Win32Desktop::IsWindowMaximised(WindowHandle window) { return IsZoomed(H(window)); }
WindowHandle Win32Desktop::OwnerOf(WindowHandle window) { return W(GetWindow(H(window), GW_OWNER)); }

ProcessId Win32Desktop::ProcessOf(WindowHandle window) {
  DWORD process = 0;
  if (window) GetWindowThreadProcessId(H(window), &process);
  return process;
}

ThreadId Win32Desktop::ThreadOf(WindowHandle window) {
  return window ? GetWindowThreadProcessId(H(window), nullptr) : 0;
}

ThreadId Win32Desktop::CurrentThread() { return GetCurrentThreadId(); }

Rect Win32Desktop::WindowRect(WindowHandle window) {
  RECT r = {};
  GetWindowRect(H(window), &r);
  return {r.left, r.top, r.right, r.bottom};
}

Rect Win32Desktop::ClientRect(WindowHandle window) {
  RECT r = {};
  if (!window || !GetClientRect(H(window), &r)) return {};
  // MapWindowPoints maps both corners, left to right also in mirrored layouts.
  MapWindowPoints(H(window), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

Rect Win32Desktop::DescendantRect(WindowHandle window, const std::string& class_name) {
  struct Search {
    std::wstring wanted;
    HWND found = nullptr;
  } search{win::SjisToWide(class_name)};
  if (!window) return {};
  EnumChildWindows(
      H(window),
      [](HWND child, LPARAM data) -> BOOL {
        Search& s = *reinterpret_cast<Search*>(data);
        wchar_t name[256];
        int length = GetClassNameW(child, name, 256);
        if (length <= 0 || !::IsWindowVisible(child) || s.wanted != std::wstring_view(name, length)) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found ? WindowRect(W(search.found)) : Rect{};
}

bool Win32Desktop::AttachInput(ThreadId from, ThreadId to, bool attach) {
  return AttachThreadInput(from, to, attach ? TRUE : FALSE);
}

bool Win32Desktop::BringToTop(WindowHandle window) { return BringWindowToTop(H(window)); }
WindowHandle Win32Desktop::ForegroundWindow() { return W(GetForegroundWindow()); }

bool Win32Desktop::SetForeground(WindowHandle window) { return window != kNoWindow && SetForegroundWindow(H(window)); }

WindowHandle Win32Desktop::FocusWindow() { return W(GetFocus()); }

bool Win32Desktop::CaretScreenPosition(Point& position) {
  POINT p = {};
  HWND focus = GetFocus();
  if (!focus || !GetCaretPos(&p) || !ClientToScreen(focus, &p)) return false;
  position = {p.x, p.y};
  return true;
}

void Win32Desktop::SendClipboardMessage(WindowHandle window, ClipboardMessage message) {
  if (window == kNoWindow) return;
  SendMessageW(H(window), static_cast<UINT>(message), 0, 0);
}

// ------------------------------------------------------------------- timers

void Win32Desktop::StartTimer(int id, unsigned interval_ms, std::function<void()> tick) {
  ticks_[id] = std::move(tick);
  SetTimer(H(hidden_), static_cast<UINT_PTR>(id), interval_ms, nullptr);
}

void Win32Desktop::StopTimer(int id) {
  KillTimer(H(hidden_), static_cast<UINT_PTR>(id));
  ticks_.erase(id);
}

void Win32Desktop::OnTimer(int id) {
  auto it = ticks_.find(id);
  KillTimer(H(hidden_), static_cast<UINT_PTR>(id));  // one-shot
  if (it == ticks_.end()) return;
  std::function<void()> tick = std::move(it->second);
  ticks_.erase(it);
  // Nothing may escape into the window procedure.
  try {
    tick();
  } catch (const std::exception& e) {
    ReportTickFailure(e.what());
  } catch (...) {
    ReportTickFailure("error");
  }
}

void Win32Desktop::ProcessPendingMessages() { ui::PumpPendingMessages(); }

void Win32Desktop::Sleep(unsigned ms) { ::Sleep(ms); }
std::uint64_t Win32Desktop::NowMs() { return GetTickCount64(); }

// ----------------------------------------------------------------- feedback

void Win32Desktop::Beep() { MessageBeep(0); }

void Win32Desktop::ShowMessage(const std::string& text, MessageIcon icon) { ShowWideMessage(SjisToWide(text), icon); }

void Win32Desktop::ShowWideMessage(const WideText& text, MessageIcon icon) {
  UINT style = MB_OK;
  switch (icon) {
    case MessageIcon::kError:
      style |= MB_ICONERROR;
      break;
    case MessageIcon::kInformation:
      style |= MB_ICONINFORMATION;
      break;
    case MessageIcon::kWarning:
      style |= MB_ICONWARNING;
      break;
  }
  const WindowHandle owner = box_owner_ && ::IsWindow(H(box_owner_)) ? box_owner_ : owner_;
  MessageBoxW(H(owner), ToW(text).c_str(), L"Tagsling", style);
}

// -------------------------------------------------------------------- codec

WideText Win32Desktop::SjisToWide(std::string_view sjis) { return FromW(win::SjisToWide(sjis)); }

std::string Win32Desktop::WideToSjis(std::u16string_view wide) { return win::WideToSjis(ToW(wide)); }

}  // namespace tagsling::platform::win32
