#include "ui/Palette.h"

#include <commctrl.h>

#include "win/WinText.h"
#include "win/Window.h"

namespace tagsling::ui {
namespace {

constexpr wchar_t kPanelClass[] = L"TPanel";

// Widths of the panels and heights of the tool rows in pixels at 100 %.
constexpr int kBevelHeight = 2;
constexpr int kDockedPanelWidth = 33;
constexpr int kToolPanelWidth = kPaletteLayout.tool_panel_width;
constexpr int kPagesPanelWidth = 470;
constexpr int kToolRowHeight = 25;
constexpr int kSeparatorWidth = 6;
constexpr int kLabelMargin = 4;

constexpr UINT_PTR kCreatePagesTimer = 1;

BYTE ButtonStyle(ButtonKind kind, bool arrows) {
  switch (kind) {
    case ButtonKind::kSplit:
      return BTNS_DROPDOWN;
    // Without drawn arrows a drop-down button opens its menu on a press
    // anywhere on it, which is what a menu button does.
    case ButtonKind::kMenuButton:
      return arrows ? BTNS_WHOLEDROPDOWN : BTNS_DROPDOWN;
    case ButtonKind::kCheck:
      return BTNS_CHECKGROUP;
    case ButtonKind::kSeparator:
      return BTNS_SEP;
    case ButtonKind::kPlain:
      break;
  }
  return BTNS_BUTTON;
}

}  // namespace

LRESULT Palette::HandleMessage(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
      return SendMessageW(main_, message, wparam, lparam);
    case WM_CONTEXTMENU:
      return SendMessageW(main_, kPanelContextMenu, wparam, lparam);
    case WM_LBUTTONUP:
      return SendMessageW(main_, kPanelClick, reinterpret_cast<WPARAM>(panel), 0);
    case WM_LBUTTONDBLCLK:
      return SendMessageW(main_, kPanelDoubleClick, reinterpret_cast<WPARAM>(panel), 0);
    case WM_TIMER:
      if (panel == pages_panel_ && wparam == kCreatePagesTimer) {
        KillTimer(panel, kCreatePagesTimer);
        for (size_t i = 0; i < pages_.size(); ++i) Page(i);
        return 0;
      }
      break;
    case WM_PAINT:
      if (panel == base_folder_panel_ || panel == docked_panel_) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(panel, &paint);
        RECT client;
        GetClientRect(panel, &client);
        if (panel == base_folder_panel_) {
          PaintBaseFolder(dc, client);
        } else {
          PaintLogo(dc, client);
        }
        EndPaint(panel, &paint);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(panel, message, wparam, lparam);
}

HWND Palette::CreatePanel(const wchar_t* name) {
  const win::WindowClassSpec panel_class{.name = kPanelClass,
                                         .style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                         .cursor = IDC_ARROW,
                                         .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};
  return win::CreateOwnedWindow(
      panel_class, {.title = name, .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, .parent = main_},
      this);
}

void Palette::SetupToolbar(HWND toolbar) {
  SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures_->ImageList()));
  const int image = Scale(16);
  SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(image, image));
  SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(image + Scale(7), image + Scale(6)));
  SendMessageW(toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

Palette::ToolbarItems Palette::RegisterButtons(std::span<const PaletteButton> buttons) {
  ToolbarItems toolbar;
  for (const PaletteButton& button : buttons) toolbar.arrows = toolbar.arrows || button.kind == ButtonKind::kSplit;
  for (const PaletteButton& button : buttons) {
    TBBUTTON item{};
    item.fsStyle = ButtonStyle(button.kind, toolbar.arrows);
    if (button.kind == ButtonKind::kSeparator) {
      toolbar.items.push_back(item);  // its width is set when the toolbar is made
      continue;
    }
    ItemAction action;
    action.command = button.command;
    action.key = std::string(button.key);
    action.presses_while_running = button.presses_while_running;
    action.has_menu = button.kind == ButtonKind::kSplit || button.kind == ButtonKind::kMenuButton;
    action.menu = button.menu;
    action.right_click_opens_menu = button.right_click_opens_menu;
    action.hint = win::Utf8ToWide(DisplayedHint(button));
    item.idCommand = static_cast<int>(actions_.Add(std::move(action)));
    item.iBitmap = button.image;
    item.fsState = TBSTATE_ENABLED;
    if (button.command == CommandId::kSandwichOnButton) hasami_on_id_ = static_cast<UINT>(item.idCommand);
    if (button.command == CommandId::kSandwichOffButton) hasami_off_id_ = static_cast<UINT>(item.idCommand);
    toolbar.items.push_back(item);
  }
  return toolbar;
}

HWND Palette::CreateToolbarWindow(HWND parent, ToolbarItems& buttons, const std::wstring& name, bool visible) {
  // The window text names the toolbar, so tools that look at the window
  // tree (and the end-to-end tests) can tell the toolbars apart.
  HWND toolbar =
      CreateWindowExW(0, TOOLBARCLASSNAMEW, name.c_str(),
                      (visible ? WS_VISIBLE : 0) | WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                          TBSTYLE_TRANSPARENT | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                      0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  if (buttons.arrows) SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  SetupToolbar(toolbar);
  // Hints are shown as written: "&" is a character of its own.
  if (HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0))) {
    SetWindowLongPtrW(tips, GWL_STYLE, GetWindowLongPtrW(tips, GWL_STYLE) | TTS_NOPREFIX);
  }
  for (TBBUTTON& item : buttons.items) {
    if (item.fsStyle & BTNS_SEP) {
      item.iBitmap = Scale(kSeparatorWidth);
    } else {
      actions_.AttachToolbar(static_cast<UINT>(item.idCommand), toolbar);
    }
  }
  SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.items.size(), reinterpret_cast<LPARAM>(buttons.items.data()));
  toolbars_.push_back(toolbar);
  return toolbar;
}

HWND Palette::CreateToolbar(HWND parent, std::span<const PaletteButton> buttons, const std::wstring& name) {
  ToolbarItems items = RegisterButtons(buttons);
  return CreateToolbarWindow(parent, items, name, true);
}

HWND Palette::Page(size_t index) {
  if (index >= pages_.size()) return nullptr;
  if (!pages_[index]) {
    HWND toolbar =
        CreateToolbarWindow(pages_panel_, pending_pages_[index], L"TabSheet" + std::to_wstring(index + 1), false);
    pending_pages_[index].items.clear();
    SetWindowPos(toolbar, HWND_TOP, page_rect_.left, page_rect_.top, page_rect_.right - page_rect_.left,
                 page_rect_.bottom - page_rect_.top, SWP_NOACTIVATE);
    pages_[index] = toolbar;
  }
  return pages_[index];
}

void Palette::CreateRemainingPagesLater() { SetTimer(pages_panel_, kCreatePagesTimer, USER_TIMER_MINIMUM, nullptr); }

void Palette::Create(HWND main, HINSTANCE instance, HFONT font, ToolPictures* pictures, int dpi) {
  main_ = main;
  font_ = font;
  pictures_ = pictures;
  dpi_ = dpi;

  // The docked panel's toolbar gets its identifiers first, as it always
  // has; its window is made only when a docked palette shows the panel.
  docked_panel_ = CreatePanel(L"Panel1");
  ShowWindow(docked_panel_, SW_HIDE);
  pending_docked_toolbar_ = RegisterButtons(DockedPanelButtons());

  tool_panel_ = CreatePanel(L"Panel3");
  tool_toolbar_ = CreateToolbar(tool_panel_, ToolPanelTopButtons(), L"ToolBar11");
  mode_toolbar_ = CreateToolbar(tool_panel_, ToolPanelModeButtons(), L"ToolBar12");
  DrawPictures(tool_toolbar_);
  DrawPictures(mode_toolbar_);

  pages_panel_ = CreatePanel(L"Panel4");
  tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"PageControl1", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                          pages_panel_, nullptr, instance, nullptr);
  SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  // Narrow tab padding: all ten captions fit the page width.
  SendMessageW(tabs_, TCM_SETPADDING, 0, MAKELPARAM(Scale(4), Scale(3)));
  SendMessageW(tabs_, TCM_SETMINTABWIDTH, 0, Scale(16));
  // Every button gets its command identifier now, in page order; a page's
  // toolbar window is made when the page first shows, or soon after the
  // palette itself is on the screen (CreateRemainingPagesLater).
  int index = 0;
  for (const PalettePage& page : PalettePages()) {
    std::wstring caption = win::Utf8ToWide(page.caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    pending_pages_.push_back(RegisterButtons(page.buttons));
    pages_.push_back(nullptr);
    ++index;
  }

  base_folder_panel_ = CreatePanel(L"Panel8");
  panel_tips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main_, nullptr, instance, nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = base_folder_panel_;
  tool.uId = reinterpret_cast<UINT_PTR>(base_folder_panel_);
  base_folder_hint_ = win::Utf8ToWide(PalettePanelText().base_folder_hint);
  tool.lpszText = base_folder_hint_.data();
  SendMessageW(panel_tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // The same tooltip control names the logo of the docked panel.
  logo_hint_ = win::Utf8ToWide(PalettePanelText().logo_hint);
  tool.hwnd = docked_panel_;
  tool.uId = reinterpret_cast<UINT_PTR>(docked_panel_);
  tool.lpszText = logo_hint_.data();
  SendMessageW(panel_tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

  SelectPage(0);
}

void Palette::Rescale(HFONT font, ToolPictures* pictures, int dpi) {
  font_ = font;
  pictures_ = pictures;
  dpi_ = dpi;
  for (HWND toolbar : toolbars_) {
    SetupToolbar(toolbar);
    // Separators keep their width in pixels: scale them too.
    const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TBBUTTON button{};
      SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
      if (!(button.fsStyle & BTNS_SEP)) continue;
      TBBUTTONINFOW info{};
      info.cbSize = sizeof info;
      info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
      info.cx = static_cast<WORD>(Scale(kSeparatorWidth));
      SendMessageW(toolbar, TB_SETBUTTONINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    }
  }
  for (HWND toolbar : toolbars_) {
    // The style, not IsWindowVisible: a palette hidden in the tray still has its shown page.
    if (GetWindowLongPtrW(toolbar, GWL_STYLE) & WS_VISIBLE) DrawPictures(toolbar);
  }
  SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  SendMessageW(tabs_, TCM_SETPADDING, 0, MAKELPARAM(Scale(4), Scale(3)));
  SendMessageW(tabs_, TCM_SETMINTABWIDTH, 0, Scale(16));
}

void Palette::Layout(int width, int height) {
  const int top = Scale(kBevelHeight);
  const int panel_height = height - top;
  int x = 0;
  if (docked_panel_shown_) {
    MoveWindow(docked_panel_, x, top, Scale(kDockedPanelWidth), panel_height, TRUE);
    MoveWindow(docked_toolbar_, 0, 0, Scale(kDockedPanelWidth), Scale(kToolRowHeight), TRUE);
    x += Scale(kDockedPanelWidth);
  }
  MoveWindow(tool_panel_, x, top, Scale(kToolPanelWidth), panel_height, TRUE);
  MoveWindow(tool_toolbar_, 0, 0, Scale(kToolPanelWidth), Scale(kToolRowHeight), TRUE);
  MoveWindow(mode_toolbar_, 0, Scale(kToolRowHeight), Scale(kToolPanelWidth), Scale(kToolRowHeight), TRUE);
  x += Scale(kToolPanelWidth);

  MoveWindow(pages_panel_, x, top, Scale(kPagesPanelWidth), panel_height, TRUE);
  MoveWindow(tabs_, 0, 0, Scale(kPagesPanelWidth), panel_height, TRUE);
  page_rect_ = RECT{0, 0, Scale(kPagesPanelWidth), panel_height};
  SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page_rect_));
  for (HWND toolbar : pages_) {
    if (!toolbar) continue;
    MoveWindow(toolbar, page_rect_.left, page_rect_.top, page_rect_.right - page_rect_.left,
               page_rect_.bottom - page_rect_.top, TRUE);
  }
  x += Scale(kPagesPanelWidth);

  MoveWindow(base_folder_panel_, x, top, width > x ? width - x : 0, panel_height, TRUE);
}

void Palette::SelectPage(int index) {
  SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  OnPageChanged();
}

void Palette::OnPageChanged() {
  const int current = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
  if (current >= 0) {
    if (HWND page = Page(static_cast<size_t>(current))) DrawPictures(page);
  }
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i]) ShowWindow(pages_[i], static_cast<int>(i) == current ? SW_SHOW : SW_HIDE);
  }
}

void Palette::DrawPictures(HWND toolbar) {
  const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
    if (!(button.fsStyle & BTNS_SEP)) pictures_->Draw(button.iBitmap);
  }
}

void Palette::ShowSandwichMode(bool on) {
  SendMessageW(mode_toolbar_, TB_CHECKBUTTON, hasami_on_id_, MAKELPARAM(on ? TRUE : FALSE, 0));
  SendMessageW(mode_toolbar_, TB_CHECKBUTTON, hasami_off_id_, MAKELPARAM(on ? FALSE : TRUE, 0));
}

bool Palette::IsSandwichOnDown() const {
  return SendMessageW(mode_toolbar_, TB_ISBUTTONCHECKED, hasami_on_id_, 0) != 0;
}
bool Palette::IsSandwichOffDown() const {
  return SendMessageW(mode_toolbar_, TB_ISBUTTONCHECKED, hasami_off_id_, 0) != 0;
}

void Palette::HideTips() const {
  for (HWND toolbar : toolbars_) {
    if (HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0))) {
      SendMessageW(tips, TTM_POP, 0, 0);
    }
  }
  if (panel_tips_) SendMessageW(panel_tips_, TTM_POP, 0, 0);
}

void Palette::PressButton(HWND toolbar, UINT id, bool pressed) {
  SendMessageW(toolbar, TB_PRESSBUTTON, id, MAKELPARAM(pressed ? TRUE : FALSE, 0));
}

RECT Palette::ButtonRect(HWND toolbar, UINT id) {
  RECT rect{};
  SendMessageW(toolbar, TB_GETRECT, id, reinterpret_cast<LPARAM>(&rect));
  MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool Palette::IsToolPanel(HWND window) const {
  return window == tool_panel_ || window == tool_toolbar_ || window == mode_toolbar_;
}

void Palette::SetBaseFolderText(std::wstring folder_text, std::wstring relative_path_text, std::wstring hint,
                                bool visible) {
  base_folder_text_ = std::move(folder_text);
  relative_path_text_ = std::move(relative_path_text);
  base_folder_hint_ = std::move(hint);
  labels_visible_ = visible;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = base_folder_panel_;
  tool.uId = reinterpret_cast<UINT_PTR>(base_folder_panel_);
  tool.lpszText = base_folder_hint_.data();
  SendMessageW(panel_tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  InvalidateRect(base_folder_panel_, nullptr, TRUE);
}

void Palette::PaintBaseFolder(HDC dc, const RECT& client) {
  const HGDIOBJ old = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  RECT area = client;
  InflateRect(&area, -Scale(kLabelMargin), -Scale(2));
  SetTextColor(dc, labels_visible_ ? GetSysColor(COLOR_WINDOWTEXT) : face);
  DrawTextW(dc, base_folder_text_.c_str(), static_cast<int>(base_folder_text_.size()), &area,
            DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
  SetTextColor(dc, labels_visible_ ? RGB(0xff, 0, 0) : face);
  DrawTextW(dc, relative_path_text_.c_str(), static_cast<int>(relative_path_text_.size()), &area,
            DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
}

void Palette::PaintLogo(HDC dc, const RECT& client) {
  if (!logo_) return;
  // Below the tag-menu button, centred in the narrow panel.
  const int size = Scale(16);
  const int x = (client.right - size) / 2;
  const int y = Scale(kToolRowHeight) + (client.bottom - Scale(kToolRowHeight) - size) / 2;
  DrawIconEx(dc, x, y, logo_, size, size, 0, nullptr, DI_NORMAL);
}

void Palette::SetLogoIcon(HICON icon) {
  logo_ = icon;
  InvalidateRect(docked_panel_, nullptr, TRUE);
}

void Palette::ShowDockedPanel(bool show) {
  docked_panel_shown_ = show;
  if (show) {
    if (!docked_toolbar_)
      docked_toolbar_ = CreateToolbarWindow(docked_panel_, pending_docked_toolbar_, L"ToolBar1", true);
    DrawPictures(docked_toolbar_);
  }
  ShowWindow(docked_panel_, show ? SW_SHOW : SW_HIDE);
}

}  // namespace tagsling::ui
