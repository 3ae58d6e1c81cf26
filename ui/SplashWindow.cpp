#include "ui/SplashWindow.h"

#include "ui/ButtonImages.h"
#include "win/Window.h"

namespace tagsling::ui {
namespace {

constexpr wchar_t kSplashClass[] = L"TSplashForm";

void Paint(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  const UINT dpi = GetDpiForWindow(window);
  auto scale = [dpi](int value) { return MulDiv(value, static_cast<int>(dpi), 96); };
  HBRUSH background = CreateSolidBrush(RGB(0xf4, 0xf7, 0xfb));
  FillRect(dc, &client, background);
  DeleteObject(background);
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));

  const RECT picture{scale(24), scale(28), scale(24 + 64), scale(28 + 64)};
  DrawProgramPicture(dc, picture, 0);

  SetBkMode(dc, TRANSPARENT);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  LOGFONTW face = metrics.lfMessageFont;
  face.lfHeight = -scale(14);
  win::UniqueFont subtitle(CreateFontIndirectW(&face));
  face.lfHeight = -scale(34);
  face.lfWeight = FW_BOLD;
  win::UniqueFont title(CreateFontIndirectW(&face));

  RECT text{scale(104), scale(26), client.right - scale(16), scale(56)};
  {
    win::SelectObjectScope select(dc, subtitle.get());
    SetTextColor(dc, RGB(0x44, 0x4c, 0x56));
    DrawTextW(dc, L"HTMLタグ入力支援ツール", -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  }
  text.top = scale(52);
  text.bottom = scale(100);
  win::SelectObjectScope select(dc, title.get());
  SetTextColor(dc, RGB(0x1f, 0x4e, 0x9a));
  DrawTextW(dc, L"Tagsling", -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

LRESULT SplashWindow::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    Paint(window, dc);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

SplashWindow::SplashWindow() {
  POINT origin{0, 0};
  HMONITOR monitor = MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  const UINT dpi = GetDpiForSystem();
  const int width = MulDiv(360, static_cast<int>(dpi), 96);
  const int height = MulDiv(120, static_cast<int>(dpi), 96);
  const RECT& work = info.rcMonitor;
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;
  window_.reset(win::CreateOwnedWindow({.name = kSplashClass, .cursor = IDC_WAIT},
                                       {.ex_style = WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                                        .title = L"Tagsling",
                                        .style = WS_POPUP,
                                        .x = x,
                                        .y = y,
                                        .width = width,
                                        .height = height},
                                       this));
  if (!window_) return;
  ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
  UpdateWindow(window_.get());
}

}  // namespace tagsling::ui
