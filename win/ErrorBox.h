#pragma once
// The program's error box, and the guard every window procedure and timer
// callback runs its work in: no exception leaves a callback into Windows; it
// is shown in the error box (caption "Tagsling", error icon) instead.

#include <windows.h>

#include <exception>
#include <string_view>

namespace tagsling::win {

// The main window once it exists; boxes are owned by it.
HWND ErrorBoxOwner();
void SetErrorBoxOwner(HWND owner);

// Message boxes captioned "Tagsling". Texts are code page 932.
void ShowErrorBox(std::string_view sjis_text);
void ShowInformationBox(std::string_view sjis_text);

// The text of the exception being handled, in code page 932.
void ReportCurrentException();

template <typename Work>
auto Guarded(Work&& work, decltype(work()) fallback = {}) noexcept -> decltype(work()) {
  try {
    return work();
  } catch (...) {
    ReportCurrentException();
    return fallback;
  }
}

template <typename Work>
void GuardedVoid(Work&& work) noexcept {
  try {
    work();
  } catch (...) {
    ReportCurrentException();
  }
}

}  // namespace tagsling::win
