#include "ui/MenuHintTip.h"

#include <commctrl.h>

#include "win/WinText.h"

namespace tagsling::ui {
namespace {

constexpr UINT_PTR kToolId = 1;

TTTOOLINFOW ToolInfo(HWND owner) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = owner;
  tool.uId = kToolId;
  return tool;
}

}  // namespace

bool MenuHintTip::EnsureWindow() {
  if (tip_) return true;
  tip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, nullptr,
                             nullptr));
  if (!tip_) return false;
  TTTOOLINFOW tool = ToolInfo(owner_);
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return true;
}

void MenuHintTip::Show(HMENU menu, int position, const std::string& hint) {
  RECT item{};
  // The menu bar's items are found through its window, a popup's on its own.
  const HWND window = GetMenu(owner_) == menu ? owner_ : nullptr;
  if (hint.empty() || position < 0 || !GetMenuItemRect(window, menu, static_cast<UINT>(position), &item) ||
      !EnsureWindow()) {
    Hide();
    return;
  }
  text_ = win::Utf8ToWide(hint);
  TTTOOLINFOW tool = ToolInfo(owner_);
  tool.lpszText = text_.data();
  SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  // Below the item, past the column of pictures and check marks.
  const int indent = GetSystemMetrics(SM_CXMENUCHECK) + 8;
  SendMessageW(tip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(item.left + indent, item.bottom + 2));
  SendMessageW(tip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  shown_ = true;
}

void MenuHintTip::Hide() {
  if (!shown_ || !tip_) return;
  TTTOOLINFOW tool = ToolInfo(owner_);
  SendMessageW(tip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  shown_ = false;
}

}  // namespace tagsling::ui
