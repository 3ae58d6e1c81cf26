#include "ui/AppWindow.h"

#include <vector>

#include "win/Window.h"

namespace tagsling::ui {
namespace {

constexpr wchar_t kAppClass[] = L"TApplication";

}  // namespace

ApplicationWindow::ApplicationWindow() {
  // A visible popup of no size in the middle of the screen: only its taskbar
  // button can be seen.
  window_.reset(win::CreateOwnedWindow({.name = kAppClass},
                                       {.ex_style = WS_EX_APPWINDOW,
                                        .title = L"Tagsling",
                                        .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                                        .x = GetSystemMetrics(SM_CXSCREEN) / 2,
                                        .y = GetSystemMetrics(SM_CYSCREEN) / 2},
                                       this));
}

LRESULT ApplicationWindow::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETFOCUS:
      // The application window has nothing to type into: pass the focus on.
      if (main_ && IsWindowVisible(main_) && IsWindowEnabled(main_)) SetFocus(main_);
      return 0;
    case WM_CLOSE:
      // "Close window" on the taskbar button closes the palette.
      if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
      return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_CLOSE) {
        if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void SetApplicationMainWindow(HWND app, HWND main) {
  if (auto* owner = win::WindowOwner<ApplicationWindow>(app)) owner->SetMainWindow(main);
}

void RemoveTaskbarButton(HWND app) {
  ShowWindow(app, SW_HIDE);
  SetWindowLongPtrW(app, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
}

void RestoreTaskbarButton(HWND app, bool show) {
  SetWindowLongPtrW(app, GWL_EXSTYLE, WS_EX_APPWINDOW);
  if (show) ShowWindow(app, SW_SHOWNA);
}

void SetApplicationIcon(HWND app, HICON small_icon, HICON big_icon) {
  SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon));
  SendMessageW(app, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon));
}

void SetTopmostBand(HWND window, bool topmost) {
  struct Search {
    HWND owner;
    std::vector<HWND> owned;
  } search{window, {}};
  EnumThreadWindows(
      GetWindowThreadProcessId(window, nullptr),
      [](HWND candidate, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetWindow(candidate, GW_OWNER) == s->owner) s->owned.push_back(candidate);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  for (HWND popup : search.owned) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, 0);
  SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (HWND popup : search.owned) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
}

}  // namespace tagsling::ui
