#pragma once
// A hot key held down acts once.
//
// Windows sends WM_HOTKEY again for every auto-repeat of a held key unless
// the key was registered with MOD_NOREPEAT, and not every system honours that
// flag (Wine does not). So the first WM_HOTKEY of a press is acted on, and
// later ones for the same identifier are repeats until the key or one of its
// modifiers has been seen up. The Win32 side polls the key state (a short
// timer) while a key is held and drops what Accept refuses.

#include <functional>
#include <map>

namespace tagsling::ui {

class HotKeyRepeatFilter {
 public:
  // MOD_ALT, MOD_CONTROL, MOD_SHIFT of WM_HOTKEY's lParam.
  static constexpr unsigned kAlt = 0x1, kControl = 0x2, kShift = 0x4;

  // A WM_HOTKEY for `id` with its modifiers and key: true when it is a new
  // press to act on, false for a repeat of the press still held.
  bool Accept(int id, unsigned modifiers, unsigned virtual_key);

  // Forgets every press whose key or modifier is up now (`is_down` of a
  // virtual key). True while some press is still held: poll again.
  bool Poll(const std::function<bool(unsigned virtual_key)>& is_down);

 private:
  struct Press {
    unsigned modifiers;
    unsigned virtual_key;
  };
  std::map<int, Press> held_;
};

}  // namespace tagsling::ui
