#pragma once
// Shortcut codes and their stored text form.
//
// A shortcut code is 16 bits: the virtual-key code in the low byte, plus
// 0x2000 for Shift, 0x4000 for Ctrl and 0x8000 for Alt; 0 means no shortcut.
// Every hot-key setting stores the text form: the prefixes "Shift+", "Ctrl+",
// "Alt+" (in that order) followed by a key name.
//
// The key names live in one table (KeyName); text -> code searches the names
// of the codes 8 upward in ascending order and takes the first match, so the
// keypad digits 0x60-0x69, whose names are "0" to "9", read back as the
// main-row digits 0x30-0x39. Keys outside the table take the keyboard
// driver's name (GetKeyNameTextA on Windows) when that name is exactly one
// character; the caller supplies it, since only the Win32 layer can ask.
// Conversions cost at most 248 name look-ups and never fail: unknown input
// gives 0 or the empty text.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tagsling::ui {

using ShortcutCode = std::uint16_t;

inline constexpr ShortcutCode kShortcutShift = 0x2000;
inline constexpr ShortcutCode kShortcutCtrl = 0x4000;
inline constexpr ShortcutCode kShortcutAlt = 0x8000;

// The keyboard driver's name of a virtual key (Shift-JIS), "" when unknown.
using DriverKeyName = std::function<std::string(unsigned virtualKey)>;

// The name of virtual key `virtualKey` (0..255): the fixed names of the table,
// else the driver's name when it is exactly one character, else "". Keys
// below 8 (none, the mouse buttons, Cancel) have no name.
std::string KeyName(unsigned virtualKey, const DriverKeyName& driver = {});

// "Shift+Ctrl+A" from 0x6041; "" when the key has no name.
std::string ShortcutToText(ShortcutCode code, const DriverKeyName& driver = {});

// 0x6041 from "ctrl+shift+a", "^+Shift+A" ... (see the file comment); 0 for
// an empty text or a name that matches no key.
ShortcutCode TextToShortcut(std::string_view text, const DriverKeyName& driver = {});

// The value of a hot-key field (the common control's HKM_SETHOTKEY and
// HKM_GETHOTKEY word): the virtual key in the low byte, HOTKEYF_SHIFT (1),
// HOTKEYF_CONTROL (2), HOTKEYF_ALT (4) and HOTKEYF_EXT (8) in the high byte.
// The field names a key by its scan code, so the keys of the navigation
// block (Ins, Del, Home, End, PgUp, PgDn and the arrows) carry the extended
// flag; without it they would show as their keypad twins ("Num 0" for Ins).
// Reading a field drops the extended flag: the virtual key alone is the key.
inline constexpr unsigned kHotKeyFieldShift = 0x01, kHotKeyFieldCtrl = 0x02, kHotKeyFieldAlt = 0x04,
                          kHotKeyFieldExtended = 0x08;
bool IsExtendedNavigationKey(unsigned virtualKey);
std::uint16_t HotKeyFieldValue(ShortcutCode code);
ShortcutCode ShortcutFromHotKeyField(std::uint16_t value);

// RegisterHotKey's arguments for a code.
struct HotKeyRegistration {
  unsigned modifiers;   // MOD_ALT 1 | MOD_CONTROL 2 | MOD_SHIFT 4
  unsigned virtualKey;  // the code's low 13 bits
  bool operator==(const HotKeyRegistration&) const = default;
};
HotKeyRegistration RegistrationOf(ShortcutCode code);

}  // namespace tagsling::ui
