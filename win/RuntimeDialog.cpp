#include "win/RuntimeDialog.h"

#include <cstring>
#include <vector>

#include "win/ErrorBox.h"
#include "win/WinText.h"
#include "win/Window.h"

namespace tagsling::win {
namespace {

// An empty dialog template: header, no menu, the class, an empty title.
std::vector<WORD> EmptyTemplate(const wchar_t* window_class) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  DLGTEMPLATE header{};
  header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  header.dwExtendedStyle = WS_EX_DLGMODALFRAME;
  std::memcpy(words.data(), &header, sizeof header);
  words.push_back(0);  // no menu
  if (window_class) {
    for (const wchar_t* c = window_class; *c; ++c) words.push_back(static_cast<WORD>(*c));
  }
  words.push_back(0);  // end of the class (or no class)
  words.push_back(0);  // empty title
  return words;
}

// A dialog class runs the dialog manager's window procedure.
void RegisterDialogClass(const wchar_t* window_class) {
  RegisterWindowClass({.name = window_class,
                       .cursor = IDC_ARROW,
                       .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                       .window_extra = DLGWINDOWEXTRA},
                      DefDlgProcW);
}

int ScreenDpi() {
  ScreenDc dc;
  return GetDeviceCaps(dc.get(), LOGPIXELSY);
}

}  // namespace

bool RuntimeDialog::ShowModal(HWND owner, const wchar_t* window_class) {
  if (window_class) RegisterDialogClass(window_class);
  dpi_ = ScreenDpi();
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
  }
  std::vector<WORD> words = EmptyTemplate(window_class);
  INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(words.data()),
                                           owner, &RuntimeDialog::Proc, reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  return result == IDOK;
}

INT_PTR CALLBACK RuntimeDialog::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    reinterpret_cast<RuntimeDialog*>(lparam)->hwnd_ = window;
  }
  auto* self = reinterpret_cast<RuntimeDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!self) return FALSE;
  return Guarded([&] { return self->Handle(message, wparam, lparam); }, INT_PTR{FALSE});
}

INT_PTR RuntimeDialog::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit();
      return FALSE;  // OnInit has set the focus
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (OnCommand(id, HIWORD(wparam), reinterpret_cast<HWND>(lparam))) return TRUE;
      if (id == IDOK || id == IDCANCEL) {
        EndDialog(hwnd_, id);
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY:
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, OnNotify(*reinterpret_cast<const NMHDR*>(lparam)));
      return TRUE;
    default: {
      LRESULT result = 0;
      if (!OnMessage(message, wparam, lparam, result)) return FALSE;
      // The colour messages return their brush directly.
      if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return static_cast<INT_PTR>(result);
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
      return TRUE;
    }
  }
}

void RuntimeDialog::Setup(const std::wstring& caption, int client_width, int client_height, const POINT* at) {
  SetWindowTextW(hwnd_, caption.c_str());
  RECT rect{0, 0, Scale(client_width), Scale(client_height)};
  AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  int x, y;
  if (at) {
    x = at->x;
    y = at->y;
  } else {
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND RuntimeDialog::AddControl(const wchar_t* window_class, const std::wstring& text, DWORD style, int x, int y,
                               int width, int height, int id, DWORD ex_style) {
  HWND control = CreateWindowExW(ex_style, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style, Scale(x),
                                 Scale(y), Scale(width), Scale(height), hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control && font_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return control;
}

int RuntimeDialog::TextWidth(const std::wstring& text) const {
  ScreenDc dc;
  SelectObjectScope font(dc.get(), font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return MulDiv(size.cx, 96, dpi_);
}

POINT RuntimeDialog::ClientOrigin() const {
  POINT origin{0, 0};
  ClientToScreen(hwnd_, &origin);
  return origin;
}

std::string WindowTextSjis(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return WideToSjis(text);
}

void SetWindowTextSjis(HWND window, const std::string& sjis) { SetWindowTextW(window, SjisToWide(sjis).c_str()); }

void SetWindowTextUtf8(HWND window, std::string_view utf8) { SetWindowTextW(window, Utf8ToWide(utf8).c_str()); }

}  // namespace tagsling::win
