#include "ui/Palette.h"

#include <commctrl.h>

#include "ui/WinText.h"

namespace tagsling::ui {
namespace {

constexpr wchar_t kPanelClass[] = L"TPanel";

// Widths of the panels and heights of the tool rows in pixels at 100 %.
constexpr int kBevelHeight = 2;
constexpr int kPanel1Width = 33;
constexpr int kPanel3Width = kPaletteLayout.toolPanelWidth;
constexpr int kPanel4Width = 470;
constexpr int kToolRowHeight = 25;
constexpr int kSeparatorWidth = 6;
constexpr int kLabelMargin = 4;

void RegisterPanelClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, kPanelClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kPanelClass;
  RegisterClassExW(&wc);
}

BYTE ButtonStyle(ButtonKind kind, bool arrows) {
  switch (kind) {
    case ButtonKind::Split:
      return BTNS_DROPDOWN;
    // Without drawn arrows a drop-down button opens its menu on a press
    // anywhere on it, which is what a menu button does.
    case ButtonKind::MenuButton:
      return arrows ? BTNS_WHOLEDROPDOWN : BTNS_DROPDOWN;
    case ButtonKind::Check:
      return BTNS_CHECKGROUP;
    case ButtonKind::Separator:
      return BTNS_SEP;
    case ButtonKind::Plain:
      break;
  }
  return BTNS_BUTTON;
}

}  // namespace

LRESULT CALLBACK Palette::PanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* palette = reinterpret_cast<Palette*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (palette) {
    switch (message) {
      case WM_COMMAND:
      case WM_NOTIFY:
        return SendMessageW(palette->main_, message, wparam, lparam);
      case WM_CONTEXTMENU:
        return SendMessageW(palette->main_, kPanelContextMenu, wparam, lparam);
      case WM_LBUTTONUP:
        return SendMessageW(palette->main_, kPanelClick, reinterpret_cast<WPARAM>(window), 0);
      case WM_LBUTTONDBLCLK:
        return SendMessageW(palette->main_, kPanelDoubleClick, reinterpret_cast<WPARAM>(window), 0);
      case WM_PAINT:
        if (window == palette->panel8_ || window == palette->panel1_) {
          PAINTSTRUCT paint;
          HDC dc = BeginPaint(window, &paint);
          RECT client;
          GetClientRect(window, &client);
          if (window == palette->panel8_) {
            palette->PaintBaseFolder(dc, client);
          } else {
            palette->PaintLogo(dc, client);
          }
          EndPaint(window, &paint);
          return 0;
        }
        break;
      default:
        break;
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND Palette::CreatePanel(HINSTANCE instance, const wchar_t* name) {
  HWND panel = CreateWindowExW(0, kPanelClass, name, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0,
                               0, main_, nullptr, instance, nullptr);
  SetWindowLongPtrW(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return panel;
}

void Palette::SetupToolbar(HWND toolbar) {
  SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  const int image = Scale(16);
  SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(image, image));
  SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(image + Scale(7), image + Scale(6)));
  SendMessageW(toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

HWND Palette::CreateToolbar(HWND parent, std::span<const PaletteButton> buttons, const std::wstring& name) {
  // The window text names the toolbar, so tools that look at the window
  // tree (and the end-to-end tests) can tell the toolbars apart.
  HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, name.c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                     TBSTYLE_TRANSPARENT | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                                 0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  bool arrows = false;
  for (const PaletteButton& button : buttons) arrows = arrows || button.kind == ButtonKind::Split;
  if (arrows) SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  SetupToolbar(toolbar);
  // Hints are shown as written: "&" is a character of its own.
  if (HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0))) {
    SetWindowLongPtrW(tips, GWL_STYLE, GetWindowLongPtrW(tips, GWL_STYLE) | TTS_NOPREFIX);
  }

  std::vector<TBBUTTON> items;
  for (const PaletteButton& button : buttons) {
    TBBUTTON item{};
    item.fsStyle = ButtonStyle(button.kind, arrows);
    if (button.kind == ButtonKind::Separator) {
      item.iBitmap = Scale(kSeparatorWidth);
      items.push_back(item);
      continue;
    }
    ItemAction action;
    action.command = button.command;
    action.key = std::string(button.key);
    action.toolbar = toolbar;
    action.pressesWhileRunning = button.pressesWhileRunning;
    action.hasMenu = button.kind == ButtonKind::Split || button.kind == ButtonKind::MenuButton;
    action.menu = button.menu;
    action.rightClickOpensMenu = button.rightClickOpensMenu;
    action.hint = Utf8ToWide(button.hint);
    item.idCommand = static_cast<int>(actions_.Add(std::move(action)));
    item.iBitmap = button.image;
    item.fsState = TBSTATE_ENABLED;
    if (button.command == CommandId::SandwichOnButton) hasami_on_id_ = static_cast<UINT>(item.idCommand);
    if (button.command == CommandId::SandwichOffButton) hasami_off_id_ = static_cast<UINT>(item.idCommand);
    items.push_back(item);
  }
  SendMessageW(toolbar, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
  toolbars_.push_back(toolbar);
  return toolbar;
}

void Palette::Create(HWND main, HINSTANCE instance, HFONT font, HIMAGELIST images, int dpi) {
  main_ = main;
  font_ = font;
  images_ = images;
  dpi_ = dpi;
  RegisterPanelClass(instance, PanelProc);

  panel1_ = CreatePanel(instance, L"Panel1");
  toolbar1_ = CreateToolbar(panel1_, ToolBar1Buttons(), L"ToolBar1");
  ShowWindow(panel1_, SW_HIDE);

  panel3_ = CreatePanel(instance, L"Panel3");
  toolbar11_ = CreateToolbar(panel3_, ToolBar11Buttons(), L"ToolBar11");
  toolbar12_ = CreateToolbar(panel3_, ToolBar12Buttons(), L"ToolBar12");

  panel4_ = CreatePanel(instance, L"Panel4");
  tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"PageControl1", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                          panel4_, nullptr, instance, nullptr);
  SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  // Narrow tab padding: all ten captions fit the page width.
  SendMessageW(tabs_, TCM_SETPADDING, 0, MAKELPARAM(Scale(4), Scale(3)));
  SendMessageW(tabs_, TCM_SETMINTABWIDTH, 0, Scale(16));
  int index = 0;
  for (const PalettePage& page : PalettePages()) {
    std::wstring caption = Utf8ToWide(page.caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    HWND toolbar = CreateToolbar(panel4_, page.buttons, L"TabSheet" + std::to_wstring(index + 1));
    SetWindowPos(toolbar, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    pages_.push_back(toolbar);
    ++index;
  }

  panel8_ = CreatePanel(instance, L"Panel8");
  panel8_tip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main_, nullptr, instance, nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = panel8_;
  tool.uId = reinterpret_cast<UINT_PTR>(panel8_);
  hint_ = Utf8ToWide(PalettePanelText().baseFolderHint);
  tool.lpszText = hint_.data();
  SendMessageW(panel8_tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // The same tooltip control names the logo of the docked panel.
  logo_hint_ = Utf8ToWide(PalettePanelText().logoHint);
  tool.hwnd = panel1_;
  tool.uId = reinterpret_cast<UINT_PTR>(panel1_);
  tool.lpszText = logo_hint_.data();
  SendMessageW(panel8_tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

  SelectPage(0);
}

void Palette::Rescale(HFONT font, HIMAGELIST images, int dpi) {
  font_ = font;
  images_ = images;
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
  SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  SendMessageW(tabs_, TCM_SETPADDING, 0, MAKELPARAM(Scale(4), Scale(3)));
  SendMessageW(tabs_, TCM_SETMINTABWIDTH, 0, Scale(16));
}

void Palette::Layout(int width, int height) {
  const int top = Scale(kBevelHeight);
  const int panel_height = height - top;
  int x = 0;
  if (docked_panel_) {
    MoveWindow(panel1_, x, top, Scale(kPanel1Width), panel_height, TRUE);
    MoveWindow(toolbar1_, 0, 0, Scale(kPanel1Width), Scale(kToolRowHeight), TRUE);
    x += Scale(kPanel1Width);
  }
  MoveWindow(panel3_, x, top, Scale(kPanel3Width), panel_height, TRUE);
  MoveWindow(toolbar11_, 0, 0, Scale(kPanel3Width), Scale(kToolRowHeight), TRUE);
  MoveWindow(toolbar12_, 0, Scale(kToolRowHeight), Scale(kPanel3Width), Scale(kToolRowHeight), TRUE);
  x += Scale(kPanel3Width);

  MoveWindow(panel4_, x, top, Scale(kPanel4Width), panel_height, TRUE);
  MoveWindow(tabs_, 0, 0, Scale(kPanel4Width), panel_height, TRUE);
  RECT page{0, 0, Scale(kPanel4Width), panel_height};
  SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  for (HWND toolbar : pages_) {
    MoveWindow(toolbar, page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
  }
  x += Scale(kPanel4Width);

  MoveWindow(panel8_, x, top, width > x ? width - x : 0, panel_height, TRUE);
}

void Palette::SelectPage(int index) {
  SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  OnPageChanged();
}

void Palette::OnPageChanged() {
  const int current = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
  for (size_t i = 0; i < pages_.size(); ++i) {
    ShowWindow(pages_[i], static_cast<int>(i) == current ? SW_SHOW : SW_HIDE);
  }
}

void Palette::ShowSandwichMode(bool on) {
  SendMessageW(toolbar12_, TB_CHECKBUTTON, hasami_on_id_, MAKELPARAM(on ? TRUE : FALSE, 0));
  SendMessageW(toolbar12_, TB_CHECKBUTTON, hasami_off_id_, MAKELPARAM(on ? FALSE : TRUE, 0));
}

bool Palette::IsSandwichOnDown() const { return SendMessageW(toolbar12_, TB_ISBUTTONCHECKED, hasami_on_id_, 0) != 0; }
bool Palette::IsSandwichOffDown() const { return SendMessageW(toolbar12_, TB_ISBUTTONCHECKED, hasami_off_id_, 0) != 0; }

void Palette::HideTips() const {
  for (HWND toolbar : toolbars_) {
    if (HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0))) {
      SendMessageW(tips, TTM_POP, 0, 0);
    }
  }
  if (panel8_tip_) SendMessageW(panel8_tip_, TTM_POP, 0, 0);
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
  return window == panel3_ || window == toolbar11_ || window == toolbar12_;
}

void Palette::SetBaseFolderText(std::wstring label1, std::wstring label2, std::wstring hint, bool visible) {
  label1_ = std::move(label1);
  label2_ = std::move(label2);
  hint_ = std::move(hint);
  labels_visible_ = visible;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = panel8_;
  tool.uId = reinterpret_cast<UINT_PTR>(panel8_);
  tool.lpszText = hint_.data();
  SendMessageW(panel8_tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  InvalidateRect(panel8_, nullptr, TRUE);
}

void Palette::PaintBaseFolder(HDC dc, const RECT& client) {
  const HGDIOBJ old = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  RECT area = client;
  InflateRect(&area, -Scale(kLabelMargin), -Scale(2));
  SetTextColor(dc, labels_visible_ ? GetSysColor(COLOR_WINDOWTEXT) : face);
  DrawTextW(dc, label1_.c_str(), static_cast<int>(label1_.size()), &area,
            DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
  SetTextColor(dc, labels_visible_ ? RGB(0xff, 0, 0) : face);
  DrawTextW(dc, label2_.c_str(), static_cast<int>(label2_.size()), &area,
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
  InvalidateRect(panel1_, nullptr, TRUE);
}

void Palette::ShowDockedPanel(bool show) {
  docked_panel_ = show;
  ShowWindow(panel1_, show ? SW_SHOW : SW_HIDE);
}

}  // namespace tagsling::ui
