#pragma once
// The program's one message pump, for the moments when it must let windows
// work while it waits (a title window being painted, a menu about to open, a
// program starting). The message loop of the program itself is in App.cpp.

#include <windows.h>

namespace tagsling::win {

// Dispatches every message waiting in this thread's queue. A WM_QUIT met on
// the way is put back for the message loop and ends the pass: false then.
bool PumpPendingMessages();

}  // namespace tagsling::win
