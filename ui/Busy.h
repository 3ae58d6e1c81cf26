#pragma once
// The busy flags of the program and IsBusy. A flag is set for exactly as
// long as its modal interaction lasts: hold a BusyScope around it. Hot keys,
// notification-area clicks and auto-activation ask IsBusy first.

#include <windows.h>

#include "ui/model/Lifecycle.h"

namespace tagsling::ui {

class BusyScope {
 public:
  explicit BusyScope(BusyFlag flag);
  ~BusyScope();
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  BusyFlag flag_;
  bool was_set_;
};

// Whether the options dialog exists (its owner keeps this up to date).
void SetOptionsDialogExists(bool exists);

// True while a busy flag is set, the options dialog exists, or `main`
// (the main window) is disabled.
bool IsBusy(HWND main);

}  // namespace tagsling::ui
