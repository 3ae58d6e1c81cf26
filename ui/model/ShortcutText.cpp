#include "ui/model/ShortcutText.h"

#include <array>

#include "common/Sjis.h"

namespace tagsling::ui {
namespace {

// The fixed key names. Digits, letters, keypad digits and function keys are
// generated in KeyName; everything else named here is listed once.
struct NamedKey {
  unsigned virtualKey;
  std::string_view name;
};
constexpr std::array<NamedKey, 15> kNamedKeys = {{
    {0x08, "BkSp"},
    {0x09, "Tab"},
    {0x0D, "Enter"},
    {0x1B, "Esc"},
    {0x20, "Space"},
    {0x21, "PgUp"},
    {0x22, "PgDn"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x2D, "Ins"},
    {0x2E, "Del"},
}};

// The prefixes in text order, with the bit each adds. "^" is a second spelling
// of Ctrl that is read but never written.
struct Prefix {
  std::string_view text;
  ShortcutCode bit;
  bool written;
};
constexpr std::array<Prefix, 4> kPrefixes = {{
    {"Shift+", kShortcutShift, true},
    {"Ctrl+", kShortcutCtrl, true},
    {"^", kShortcutCtrl, false},
    {"Alt+", kShortcutAlt, true},
}};

constexpr unsigned kFirstNamedKey = 0x08;
constexpr unsigned kLastKey = 0xFF;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && SjisToLower(a) == SjisToLower(b);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::string KeyName(unsigned virtualKey, const DriverKeyName& driver) {
  // Code 0 is "no shortcut", and the codes below the first named key (the
  // mouse buttons, Cancel) could never be read back from a text.
  if (virtualKey < kFirstNamedKey) return {};
  for (const NamedKey& key : kNamedKeys) {
    if (key.virtualKey == virtualKey) return std::string(key.name);
  }
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) {
    return std::string(1, static_cast<char>(virtualKey));
  }
  if (virtualKey >= 0x60 && virtualKey <= 0x69) return std::string(1, static_cast<char>('0' + virtualKey - 0x60));
  if (virtualKey >= 0x70 && virtualKey <= 0x87) {
    std::string name = "F";
    name += std::to_string(virtualKey - 0x70 + 1);
    return name;
  }
  if (driver && virtualKey <= kLastKey) {
    std::string name = driver(virtualKey);
    if (!name.empty() && SjisCharCount(name) == 1) return name;
  }
  return {};
}

std::string ShortcutToText(ShortcutCode code, const DriverKeyName& driver) {
  const std::string name = KeyName(code & 0xFF, driver);
  if (name.empty()) return {};
  std::string text;
  for (const Prefix& prefix : kPrefixes) {
    if (prefix.written && (code & prefix.bit) != 0) text += prefix.text;
  }
  text += name;
  return text;
}

ShortcutCode TextToShortcut(std::string_view text, const DriverKeyName& driver) {
  ShortcutCode modifiers = 0;
  for (bool stripped = true; stripped;) {
    stripped = false;
    for (const Prefix& prefix : kPrefixes) {
      // A prefix is a prefix only when a key name follows: the key that the
      // keyboard driver names "^" is a key, not Ctrl.
      if (text.size() > prefix.text.size() && StartsWithIgnoringCase(text, prefix.text)) {
        modifiers |= prefix.bit;
        text.remove_prefix(prefix.text.size());
        stripped = true;
        break;
      }
    }
  }
  if (text.empty()) return 0;
  for (unsigned key = kFirstNamedKey; key <= kLastKey; ++key) {
    const std::string name = KeyName(key, driver);
    if (!name.empty() && EqualsIgnoringCase(name, text)) return static_cast<ShortcutCode>(modifiers | key);
  }
  return 0;
}

bool IsExtendedNavigationKey(unsigned virtualKey) {
  constexpr unsigned kPageUp = 0x21, kDown = 0x28, kInsert = 0x2D, kDelete = 0x2E;
  return (virtualKey >= kPageUp && virtualKey <= kDown) || virtualKey == kInsert || virtualKey == kDelete;
}

std::uint16_t HotKeyFieldValue(ShortcutCode code) {
  const unsigned key = code & 0xFFu;
  unsigned flags = 0;
  if (code & kShortcutShift) flags |= kHotKeyFieldShift;
  if (code & kShortcutCtrl) flags |= kHotKeyFieldCtrl;
  if (code & kShortcutAlt) flags |= kHotKeyFieldAlt;
  if (IsExtendedNavigationKey(key)) flags |= kHotKeyFieldExtended;
  return static_cast<std::uint16_t>(key | flags << 8);
}

ShortcutCode ShortcutFromHotKeyField(std::uint16_t value) {
  const unsigned flags = value >> 8;
  unsigned code = value & 0xFFu;
  if (flags & kHotKeyFieldShift) code |= kShortcutShift;
  if (flags & kHotKeyFieldCtrl) code |= kShortcutCtrl;
  if (flags & kHotKeyFieldAlt) code |= kShortcutAlt;
  return static_cast<ShortcutCode>(code);
}

HotKeyRegistration RegistrationOf(ShortcutCode code) {
  constexpr unsigned kModAlt = 0x1, kModControl = 0x2, kModShift = 0x4;
  unsigned modifiers = 0;
  if (code & kShortcutAlt) modifiers |= kModAlt;
  if (code & kShortcutCtrl) modifiers |= kModControl;
  if (code & kShortcutShift) modifiers |= kModShift;
  return {modifiers, code & 0x1FFFu};
}

}  // namespace tagsling::ui
