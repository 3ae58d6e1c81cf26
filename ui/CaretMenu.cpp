#include "ui/CaretMenu.h"

#include "ui/model/CaretMenuPosition.h"
#include "ui/win/MessagePump.h"

namespace tagsling::ui {
namespace {

bool g_menuClickFlag = false;
HHOOK g_mouseHook = nullptr;

LRESULT CALLBACK MenuClickHookProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code >= 0 && (wparam == WM_LBUTTONDOWN || wparam == WM_RBUTTONDOWN)) {
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lparam);
    char class_name[64] = "";
    if (HWND under = WindowFromPoint(info->pt)) GetClassNameA(under, class_name, sizeof class_name);
    g_menuClickFlag = MenuClickFlagAfterMouseEvent(g_menuClickFlag, code, static_cast<unsigned>(wparam), class_name);
  }
  return CallNextHookEx(g_mouseHook, code, wparam, lparam);
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

bool MenuClickFlag() { return g_menuClickFlag; }
void SetMenuClickFlag(bool value) { g_menuClickFlag = value; }

bool InstallMenuClickHook() {
  if (g_mouseHook == nullptr)
    g_mouseHook = SetWindowsHookExW(WH_MOUSE, MenuClickHookProc, nullptr, GetCurrentThreadId());
  return g_mouseHook != nullptr;
}

void RemoveMenuClickHook() {
  if (g_mouseHook != nullptr) UnhookWindowsHookEx(g_mouseHook);
  g_mouseHook = nullptr;
}

UINT ShowMenuAtCaret(HMENU menu, MenuId which, int mode, const CaretMenuHost& host) {
  const auto pump = [&] {
    if (host.process_messages) {
      host.process_messages();
    } else {
      PumpPendingMessages();
    }
  };
  // 1. Nothing while another modal interaction runs.
  if (host.is_busy && host.is_busy()) return 0;

  // 2-7. Read the focus, the caret and the pointer while attached to the
  // foreground program's thread; end a drag in progress there.
  const HWND foreground = GetForegroundWindow();
  const DWORD foreground_thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  HWND focus = nullptr;
  POINT caret{0, 0};
  CaretMenuInputs inputs;
  {
    InputAttachment attach(foreground_thread);
    focus = GetFocus();
    if (host.begin_caret_menu) host.begin_caret_menu(focus);
    if (focus) ShowCaret(focus);
    if (!GetCaretPos(&caret)) caret = POINT{0, 0};
    POINT caret_screen = caret;
    if (focus) ClientToScreen(focus, &caret_screen);
    POINT origin{0, 0};
    if (foreground) ClientToScreen(foreground, &origin);
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    inputs = {ToPoint(caret), ToPoint(caret_screen), ToPoint(origin), ToPoint(cursor)};
    if (HWND capture = GetCapture()) {
      if (ProcessMessagesBeforeCancelMode(which)) pump();
      SendMessageW(capture, WM_CANCELMODE, 0, 0);
    }
  }
  const platform::Point at = ChooseCaretMenuPoint(mode, inputs);

  // 8-9. The menu needs its owner's application in the foreground, or it
  // would not close when the user clicks elsewhere.
  if (foreground != host.application) SetForegroundWindow(host.application);
  pump();
  if (host.mouse_move) SetCursorPos(at.x, at.y);

  // 10. The menu; opening it sets MenuClickFlag and the popup-open flag.
  if (host.set_popup_open) host.set_popup_open(true);
  SetMenuClickFlag(true);
  const auto chosen = static_cast<UINT>(TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, host.owner, nullptr));
  // Lets the menu's owner leave its modal state cleanly (a menu tracked for
  // a window that was not active otherwise needs a second click next time).
  PostMessageW(host.owner, WM_NULL, 0, 0);

  // 11. The popup-open flag goes down (the caret-menu flag once the caller
  // has run the chosen command).
  if (host.set_popup_open) host.set_popup_open(false);

  // 12. Hand the focus and the caret back to the program.
  if (MenuClickFlag() && foreground) {
    InputAttachment attach(foreground_thread);
    SetForegroundWindow(foreground);
    if (focus) SetFocus(focus);
    SetCaretPos(caret.x, caret.y);
  }
  pump();
  return chosen;
}

}  // namespace tagsling::ui
