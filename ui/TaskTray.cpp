#include "ui/TaskTray.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "ui/CaretMenu.h"
#include "win/ErrorBox.h"
#include "win/Shell.h"
#include "win/WinText.h"
#include "win/Window.h"

namespace tagsling::ui {
namespace {

constexpr wchar_t kNotifyWindowClass[] = L"TNotifyWindow";

// Process-wide: the identifier list, the live instances, the callback window
// and the re-entrancy flag. User-interface thread only.
TrayIconIds& SharedIds() {
  static TrayIconIds ids;
  return ids;
}
std::vector<TaskTray*>& Instances() {
  static std::vector<TaskTray*> instances;
  return instances;
}
bool g_in_callback = false;

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

}  // namespace

TaskTray::TaskTray(HWND owner) : owner_(owner), model_(SharedIds(), *this) { Instances().push_back(this); }

TaskTray::~TaskTray() {
  std::erase(Instances(), this);
  // model_ is destroyed after this body and removes the icon through Notify,
  // which still needs the image.
  model_.RemoveIcon();
  if (icon_) DestroyIcon(icon_);
  icon_ = nullptr;
}

void TaskTray::SetIcon(HICON icon) {
  if (icon == icon_) return;
  if (icon == nullptr) {
    model_.SetHasIcon(false);
    DestroyIcon(icon_);
    icon_ = nullptr;
    return;
  }
  HICON copy = CopyIcon(icon);
  if (!copy) return;
  HICON old = icon_;
  icon_ = copy;
  try {
    model_.SetHasIcon(true);
  } catch (...) {
    if (old) DestroyIcon(old);
    throw;
  }
  if (old) DestroyIcon(old);
}

HWND TaskTray::NotifyWindow() {
  static NotifyWindowOwner owner;
  static const HWND window = [] {
    // A hidden top-level window: message-only windows miss the broadcast
    // "TaskbarCreated", and a hidden window is never taken for the editor.
    const HWND created =
        win::CreateOwnedWindow({.name = kNotifyWindowClass}, {.ex_style = WS_EX_TOOLWINDOW, .style = WS_POPUP}, &owner);
    // Windows 7+ let an elevated or filtered process miss it otherwise.
    ChangeWindowMessageFilterEx(created, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    return created;
  }();
  return window;
}

bool TaskTray::Notify(TrayOp op, int id, unsigned flags, const std::string& tip) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = NotifyWindow();
  data.uID = static_cast<UINT>(id);
  data.uCallbackMessage = kTrayCallbackMessage;
  DWORD message = NIM_DELETE;
  if (op != TrayOp::kDelete) {
    message = op == TrayOp::kAdd ? NIM_ADD : NIM_MODIFY;
    data.uFlags = flags;
    data.hIcon = icon_;
    const std::wstring wide = win::SjisToWide(tip);
    lstrcpynW(data.szTip, wide.c_str(), static_cast<int>(std::size(data.szTip)));
  }
  return win::shell::NotifyIcon(message, &data) != FALSE;
}

void TaskTray::MouseDown(TrayButton button, POINT at) {
  if (owner_) {
    SetForegroundWindow(owner_);
    win::PumpPendingMessages();
  }
  if (OnMouseDown) OnMouseDown(*this, button, at);
  HMENU menu = button == TrayButton::kLeft ? PopupMenuL : button == TrayButton::kRight ? PopupMenuR : nullptr;
  if (menu && owner_) {
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, owner_, nullptr);
    PostMessageW(owner_, WM_NULL, 0, 0);
  }
}

void TaskTray::Dispatch(const TrayMouseEvent& event, POINT at) {
  switch (event.kind) {
    case TrayMouseKind::kMove:
      if (OnMouseMove) OnMouseMove(*this, at);
      break;
    case TrayMouseKind::kDown:
      MouseDown(event.button, at);
      break;
    case TrayMouseKind::kUp:
      if (OnMouseUp) OnMouseUp(*this, event.button, at);
      break;
    case TrayMouseKind::kDblClick:
      if (OnDblClick) OnDblClick(*this, event.button);
      break;
  }
}

LRESULT TaskTray::NotifyWindowOwner::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kTrayCallbackMessage) {
    POINT at{0, 0};
    GetCursorPos(&at);
    const std::optional<TrayMouseEvent> event = DecodeTrayMouseMessage(static_cast<unsigned>(LOWORD(lparam)));
    const void* holder = SharedIds().Find(static_cast<int>(wparam));
    auto& all = Instances();
    const auto it = std::find_if(all.begin(), all.end(), [&](TaskTray* t) { return &t->model_ == holder; });
    if (!event || it == all.end() || g_in_callback) return 0;
    g_in_callback = true;
    win::GuardedVoid([&] { (*it)->Dispatch(*event, at); });
    g_in_callback = false;
    return 0;
  }
  if (message == TaskbarCreatedMessage() && message != 0) {
    // Copy: a handler may destroy an icon on the way.
    const std::vector<TaskTray*> all = Instances();
    for (TaskTray* tray : all) win::GuardedVoid([&] { tray->model_.TaskbarCreated(); });
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace tagsling::ui
