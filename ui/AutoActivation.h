#pragma once
// Auto-activation on message 0x464 and the mouse-hook library that sends it.
//
// MouseHookLibrary loads "Tagslingmhook.dll" beside the program and looks up
// SetHook and UnHook. Attach calls SetHook only when not attached, Detach
// calls UnHook only when attached; the library stays loaded until the object
// goes (detaching first).

#include <windows.h>

#include <functional>

#include "ui/model/AutoActivationModel.h"
#include "win/Handles.h"

namespace tagsling::ui {

// "Tagslingmhook.dll のオープンに失敗しました。", Shift-JIS.
extern const char* const kMouseHookLibraryFailed;

class MouseHookLibrary {
 public:
  MouseHookLibrary() = default;
  ~MouseHookLibrary() { Detach(); }
  MouseHookLibrary(const MouseHookLibrary&) = delete;
  MouseHookLibrary& operator=(const MouseHookLibrary&) = delete;

  // Loads the library from the program's folder. False when it or either
  // export is missing; then neither export is ever called.
  bool Load();
  void Attach(HWND window);
  void Detach();
  bool Attached() const { return attached_; }

 private:
  using SetHookFn = BOOL(WINAPI*)(HWND);
  using UnHookFn = BOOL(WINAPI*)();
  win::UniqueModule module_;
  SetHookFn set_hook_ = nullptr;
  UnHookFn un_hook_ = nullptr;
  bool attached_ = false;
};

// What the main window knows when 0x464 arrives.
struct AutoActivationHost {
  HWND main = nullptr;
  HWND application = nullptr;
  bool docked = false;
  bool enabled = false;  // "AutoActive_OnTop"
  int margin = 0;        // "AutoActive_Margin"
  std::function<bool()> is_busy;
  std::function<void()> bring_to_front;  // core::BringToFrontAttached(application)
  std::function<void()> show_main;       // shows the hidden main window
};

// The auto-activation test and its action. Cheap unless the pointer is at
// the top edge: flag tests first, the pointer and desktop only when armed.
// A raised palette is also made the foreground window, so it takes the keys.
void OnAutoActivateMessage(const AutoActivationHost& host);

}  // namespace tagsling::ui
