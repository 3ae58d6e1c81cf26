#pragma once
// The title window shown while the program starts: borderless, always on
// top, centred on the screen, with the program's picture, the text
// "HTMLタグ入力支援ツール" and the name "Tagsling". It has no controls and no
// timer; it lives exactly as long as the object.

#include <windows.h>

#include "win/Handles.h"

namespace tagsling::ui {

class SplashWindow {
 public:
  // Creates, shows and paints the window at once.
  SplashWindow();
  ~SplashWindow() = default;
  SplashWindow(const SplashWindow&) = delete;
  SplashWindow& operator=(const SplashWindow&) = delete;

  // The window's messages (win/Window.h).
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  win::UniqueWindow window_;
};

}  // namespace tagsling::ui
