#include "ui/model/ShortcutText.h"

#include <gtest/gtest.h>

namespace tagsling::ui {
namespace {

struct TextCase {
  const char* text;
  ShortcutCode code;
};

TEST(ShortcutText, CodeToCanonicalText) {
  const TextCase cases[] = {
      {"A", 0x41},
      {"Shift+Ctrl+Alt+F12", 0xE07B},
      {"Ctrl+A", 0x4041},
      {"Alt+BkSp", 0x8008},
      {"Tab", 0x09},
      {"Enter", 0x0D},
      {"Esc", 0x1B},
      {"Space", 0x20},
      {"PgUp", 0x21},
      {"PgDn", 0x22},
      {"End", 0x23},
      {"Home", 0x24},
      {"Left", 0x25},
      {"Up", 0x26},
      {"Right", 0x27},
      {"Down", 0x28},
      {"Ins", 0x2D},
      {"Shift+Del", 0x202E},
      {"0", 0x30},
      {"Ctrl+9", 0x4039},
      {"Z", 0x5A},
      {"5", 0x65},  // keypad 5
      {"F1", 0x70},
      {"F24", 0x87},
      {"", 0},
      {"", 0x6000},  // modifiers without a key
      {"", 0x4010},  // Shift key itself has no name
      {"", 0x40BA},  // no driver: unnamed
  };
  for (const TextCase& c : cases) EXPECT_EQ(ShortcutToText(c.code), c.text) << std::hex << c.code;
}

TEST(ShortcutText, TextToCodeAcceptsAnyPrefixOrderAndCase) {
  const TextCase cases[] = {
      {"Ctrl+A", 0x4041},
      {"ctrl+shift+a", 0x6041},
      {"SHIFT+CTRL+A", 0x6041},
      {"Alt+Shift+Ctrl+F5", 0xE074},
      {"^A", 0x4041},
      {"^Shift+a", 0x6041},
      {"Shift+^+", 0},  // "+" names no key without a driver
      {"ctrl+ctrl+b", 0x4042},
      {"pgdn", 0x22},
      {"F24", 0x87},
      {"f13", 0x7C},
      {"Ctrl+5", 0x4035},  // the main-row digit, never the keypad one
      {"", 0},
      {"Ctrl+", 0},
      {"Shift+Ctrl+", 0},
      {"Ctrl+AB", 0},
      {"F25", 0},
      {"Ctrl A", 0},
      {" Ctrl+A", 0},
      {"Win+A", 0},
  };
  for (const TextCase& c : cases) EXPECT_EQ(TextToShortcut(c.text), c.code) << c.text;
}

// Every named key with every modifier combination reads back as itself,
// except the keypad digits, which read back as the main-row digits.
TEST(ShortcutText, RoundTripOverAllKeys) {
  for (unsigned key = 0; key <= 0xFF; ++key) {
    for (ShortcutCode mods : {0, 0x2000, 0x4000, 0x8000, 0x6000, 0xE000}) {
      const auto code = static_cast<ShortcutCode>(mods | key);
      const std::string text = ShortcutToText(code);
      if (text.empty()) {
        EXPECT_EQ(KeyName(key), "") << key;
        continue;
      }
      const unsigned expectedKey = (key >= 0x60 && key <= 0x69) ? key - 0x30 : key;
      EXPECT_EQ(TextToShortcut(text), mods | expectedKey) << text;
    }
  }
}

TEST(ShortcutText, DriverNamesOnlyWhenOneCharacter) {
  const DriverKeyName driver = [](unsigned vk) -> std::string {
    switch (vk) {
      case 0xBA:
        return ":";
      case 0xBB:
        return ";";
      case 0xDE:
        return "^";
      case 0xBF:
        return "\x81\x5e";  // one double-byte character
      case 0x91:
        return "Scroll Lock";
      default:
        return "";
    }
  };
  EXPECT_EQ(ShortcutToText(0x40BA, driver), "Ctrl+:");
  EXPECT_EQ(ShortcutToText(0x20BF, driver), "Shift+\x81\x5e");
  EXPECT_EQ(ShortcutToText(0x0091, driver), "");
  EXPECT_EQ(TextToShortcut("ctrl+:", driver), 0x40BA);
  EXPECT_EQ(TextToShortcut("\x81\x5e", driver), 0xBF);
  EXPECT_EQ(TextToShortcut("Scroll Lock", driver), 0);
  // A fixed name wins over a driver name: the table is searched first.
  EXPECT_EQ(KeyName(0x41, [](unsigned) { return std::string("x"); }), "A");
}

TEST(ShortcutText, HotKeyFieldNamesTheNavigationKeysAsThemselves) {
  struct Case {
    const char* text;
    std::uint16_t field;  // flags in the high byte: Shift 1, Ctrl 2, Alt 4, extended 8
  };
  const Case cases[] = {
      {"Ins", 0x082D},          {"Del", 0x082E},  {"Home", 0x0824},      {"End", 0x0823},
      {"PgUp", 0x0821},         {"PgDn", 0x0822}, {"Left", 0x0825},      {"Up", 0x0826},
      {"Right", 0x0827},        {"Down", 0x0828}, {"Shift+Ins", 0x092D}, {"Ctrl+Alt+Home", 0x0E24},
      {"Shift+Ctrl+A", 0x0341}, {"F9", 0x0078},   {"Alt+Space", 0x0420}, {"Ctrl+0", 0x0230},
      {"Esc", 0x001B},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ShortcutCode code = TextToShortcut(c.text);
    ASSERT_NE(code, 0);
    EXPECT_EQ(HotKeyFieldValue(code), c.field);
    // What the field gives back, with or without the extended flag, is the
    // same shortcut.
    EXPECT_EQ(ShortcutFromHotKeyField(c.field), code);
    EXPECT_EQ(ShortcutFromHotKeyField(static_cast<std::uint16_t>(c.field & ~0x0800)), code);
  }
  EXPECT_EQ(HotKeyFieldValue(0), 0);
  EXPECT_EQ(ShortcutFromHotKeyField(0), 0);
  // Every key round-trips through the field.
  for (unsigned key = 1; key <= 0xFF; ++key) {
    for (ShortcutCode modifiers : {0, 0x2000, 0x4000, 0x8000, 0xE000}) {
      const auto code = static_cast<ShortcutCode>(key | modifiers);
      EXPECT_EQ(ShortcutFromHotKeyField(HotKeyFieldValue(code)), code) << code;
    }
  }
}

TEST(ShortcutText, KeyNamedLikeAPrefixReadsBackAsThatKey) {
  // Japanese keyboards name VK_OEM_7 "^", which is also a spelling of Ctrl.
  const DriverKeyName driver = [](unsigned vk) { return vk == 0xDE ? std::string("^") : std::string(); };
  struct {
    ShortcutCode code;
    const char* text;
  } cases[] = {{0x00DE, "^"}, {0x20DE, "Shift+^"}, {0x40DE, "Ctrl+^"}, {0xE0DE, "Shift+Ctrl+Alt+^"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ShortcutToText(c.code, driver), c.text);
    EXPECT_EQ(TextToShortcut(c.text, driver), c.code) << c.text;
  }
  EXPECT_EQ(TextToShortcut("^^", driver), 0x40DE);
  EXPECT_EQ(TextToShortcut("^A", driver), 0x4041);
  EXPECT_EQ(TextToShortcut("Ctrl+", driver), 0);
}

TEST(ShortcutText, KeysBelowTheFirstNamedKeyHaveNoText) {
  // Code 0 is "no shortcut"; no text could read back as 1 to 7 either.
  const DriverKeyName driver = [](unsigned) { return std::string("&"); };
  for (unsigned key = 0; key < 8; ++key) {
    EXPECT_EQ(KeyName(key, driver), "") << key;
    EXPECT_EQ(ShortcutToText(static_cast<ShortcutCode>(0x4000 | key), driver), "") << key;
  }
  EXPECT_EQ(ShortcutToText(0x0008, driver), "BkSp");
}

TEST(ShortcutText, RegistrationModifiersAndKey) {
  EXPECT_EQ(RegistrationOf(0x4041), (HotKeyRegistration{0x2, 0x41}));
  EXPECT_EQ(RegistrationOf(0x2070), (HotKeyRegistration{0x4, 0x70}));
  EXPECT_EQ(RegistrationOf(0x8008), (HotKeyRegistration{0x1, 0x08}));
  EXPECT_EQ(RegistrationOf(0xE07B), (HotKeyRegistration{0x7, 0x7B}));
  EXPECT_EQ(RegistrationOf(0x1041), (HotKeyRegistration{0x0, 0x1041}));  // low 13 bits
}

}  // namespace
}  // namespace tagsling::ui
