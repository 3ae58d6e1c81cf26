#pragma once
// System libraries loaded when first needed instead of with the program.
// Loading a library at start costs start-up time even when the user never
// opens what needs it (the common dialogs take several milliseconds).

#include <windows.h>
#include <commdlg.h>

namespace tagsling::win {

// The address of `function` in the system library `library` (loaded from
// the system folder only, on first use, and kept for the program's life), or
// nullptr when either is missing.
FARPROC SystemFunction(const wchar_t* library, const char* function);

// The same, typed: SystemFunction<decltype(&GetOpenFileNameW)>(...).
template <typename Function>
Function SystemFunctionAs(const wchar_t* library, const char* function) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(library, function)));
}

// GetOpenFileNameW and ChooseColorW of comdlg32. A library that cannot be
// loaded reads as a cancelled dialog.
BOOL OpenFileDialog(OPENFILENAMEW& request);
BOOL ColorDialog(CHOOSECOLORW& request);

}  // namespace tagsling::win
