#include "ui/CaretMenu.h"

#include "ui/model/CaretMenuPosition.h"
#include "win/MessagePump.h"

namespace tagsling::ui {
namespace {

bool g_menu_click_flag = false;
HHOOK g_mouse_hook = nullptr;

LRESULT CALLBACK MenuClickHookProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code >= 0 && (wparam == WM_LBUTTONDOWN || wparam == WM_RBUTTONDOWN)) {
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lparam);
    char class_name[64] = "";
    if (HWND under = WindowFromPoint(info->pt)) GetClassNameA(under, class_name, sizeof class_name);
    g_menu_click_flag =
        MenuClickFlagAfterMouseEvent(g_menu_click_flag, code, static_cast<unsigned>(wparam), class_name);
  }
  return CallNextHookEx(g_mouse_hook, code, wparam, lparam);
}

// Attaches this thread's input to another thread for one span.
class InputAttachment {
 public:
  explicit InputAttachment(DWORD other) : self_(GetCurrentThreadId()), other_(other) {
    attached_ = other_ != 0 && other_ != self_ && AttachThreadInput(self_, other_, TRUE);
  }
  ~InputAttachment() {
    if (attached_) AttachThreadInput(self_, other_, FALSE);
  }
  InputAttachment(const InputAttachment&) = delete;
  InputAttachment& operator=(const InputAttachment&) = delete;

 private:
  DWORD self_;
  DWORD other_;
  bool attached_;
};

platform::Point ToPoint(POINT p) { return {p.x, p.y}; }

}  // namespace

bool MenuClickFlag() { return g_menu_click_flag; }
void SetMenuClickFlag(bool value) { g_menu_click_flag = value; }

bool InstallMenuClickHook() {
  if (g_mouse_hook == nullptr)
    g_mouse_hook = SetWindowsHookExW(WH_MOUSE, MenuClickHookProc, nullptr, GetCurrentThreadId());
  return g_mouse_hook != nullptr;
}

void RemoveMenuClickHook() {
  if (g_mouse_hook != nullptr) UnhookWindowsHookEx(g_mouse_hook);
  g_mouse_hook = nullptr;
}

namespace {

// Where the foreground program stands when a caret menu is asked for.
struct ForegroundState {
  HWND window = nullptr;
  DWORD thread = 0;
  HWND focus = nullptr;
  POINT caret{0, 0};
  CaretMenuInputs inputs;
};

void Pump(const CaretMenuHost& host) {
  if (host.process_messages) {
    host.process_messages();
  } else {
    win::PumpPendingMessages();
  }
}

// Reads the focus, the caret and the pointer while attached to the
// foreground program's thread (GetFocus and GetCaretPos answer only there),
// and ends a drag in progress there.
ForegroundState ReadForeground(MenuId which, const CaretMenuHost& host) {
  ForegroundState state;
  state.window = GetForegroundWindow();
  state.thread = state.window ? GetWindowThreadProcessId(state.window, nullptr) : 0;
  InputAttachment attach(state.thread);
  state.focus = GetFocus();
  if (host.begin_caret_menu) host.begin_caret_menu(state.focus);
  if (state.focus) ShowCaret(state.focus);
  if (!GetCaretPos(&state.caret)) state.caret = POINT{0, 0};
  POINT caret_screen = state.caret;
  if (state.focus) ClientToScreen(state.focus, &caret_screen);
  POINT origin{0, 0};
  if (state.window) ClientToScreen(state.window, &origin);
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  state.inputs = {ToPoint(state.caret), ToPoint(caret_screen), ToPoint(origin), ToPoint(cursor)};
  if (HWND capture = GetCapture()) {
    if (ProcessMessagesBeforeCancelMode(which)) Pump(host);
    SendMessageW(capture, WM_CANCELMODE, 0, 0);
  }
  return state;
}

// Opening the menu sets MenuClickFlag and, for its length, the popup-open
// flag (the caret-menu flag goes down once the caller has run the command).
UINT TrackMenu(HMENU menu, platform::Point at, const CaretMenuHost& host) {
  if (host.set_popup_open) host.set_popup_open(true);
  SetMenuClickFlag(true);
  const auto chosen = static_cast<UINT>(TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, host.owner, nullptr));
  // Lets the menu's owner leave its modal state cleanly (a menu tracked for
  // a window that was not active otherwise needs a second click next time).
  PostMessageW(host.owner, WM_NULL, 0, 0);
  if (host.set_popup_open) host.set_popup_open(false);
  return chosen;
}

// Hands the focus and the caret back to the program the menu was raised in.
void RestoreForeground(const ForegroundState& state) {
  if (!MenuClickFlag() || !state.window) return;
  InputAttachment attach(state.thread);
  SetForegroundWindow(state.window);
  if (state.focus) SetFocus(state.focus);
  SetCaretPos(state.caret.x, state.caret.y);
}

}  // namespace

UINT ShowMenuAtCaret(HMENU menu, MenuId which, int mode, const CaretMenuHost& host) {
  if (host.is_busy && host.is_busy()) return 0;  // another modal interaction runs
  const ForegroundState foreground = ReadForeground(which, host);
  const platform::Point at = ChooseCaretMenuPoint(mode, foreground.inputs);
  // The menu needs its owner's application in the foreground, or it would
  // not close when the user clicks elsewhere.
  if (foreground.window != host.application) SetForegroundWindow(host.application);
  Pump(host);
  if (host.mouse_move) SetCursorPos(at.x, at.y);
  const UINT chosen = TrackMenu(menu, at, host);
  RestoreForeground(foreground);
  Pump(host);
  return chosen;
}

}  // namespace tagsling::ui
