// Fuzz target for hot-key texts (the stored form of every hot-key setting).
//
// Input layout: two bytes of a shortcut code (little endian), a
// NUL-terminated hot-key text, then the keyboard driver's key names: records
// of one virtual-key byte, one length byte (its low bit picks 1 or 2 bytes)
// and the name's bytes.
//
// Checked: a text that reads as a shortcut is written back as a text that
// reads as the same shortcut; a code whose key has a name is written as a
// text that reads back with the same modifiers and a key of the same name;
// RegisterHotKey's arguments keep the modifiers.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "fuzz/FuzzInput.h"
#include "ui/model/ShortcutText.h"

namespace {

using namespace tagsling::ui;
using tagsling::fuzz::Check;

constexpr ShortcutCode kModifiers = kShortcutShift | kShortcutCtrl | kShortcutAlt;

void CheckRegistration(ShortcutCode code) {
  HotKeyRegistration registration = RegistrationOf(code);
  Check(((registration.modifiers & 1) != 0) == ((code & kShortcutAlt) != 0));
  Check(((registration.modifiers & 2) != 0) == ((code & kShortcutCtrl) != 0));
  Check(((registration.modifiers & 4) != 0) == ((code & kShortcutShift) != 0));
  Check((registration.virtualKey & 0xFF) == (code & 0xFFu));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tagsling::fuzz::FieldReader input(data, size);
  ShortcutCode code = input.Byte();
  code = static_cast<ShortcutCode>(code | input.Byte() << 8);
  const std::string text = input.Field(64);
  const std::string records = input.Rest(256);

  std::map<unsigned, std::string> names;
  for (std::size_t pos = 0; pos + 2 < records.size();) {
    unsigned key = static_cast<unsigned char>(records[pos]);
    std::size_t length = (static_cast<unsigned char>(records[pos + 1]) & 1) + 1;
    names[key] = records.substr(pos + 2, length);
    pos += 2 + length;
  }
  const DriverKeyName driver = [&names](unsigned key) {
    auto found = names.find(key);
    return found == names.end() ? std::string() : found->second;
  };

  // Text -> code -> text -> the same code.
  const ShortcutCode read = TextToShortcut(text, driver);
  if (read != 0) {
    const std::string written = ShortcutToText(read, driver);
    Check(!written.empty());
    Check(TextToShortcut(written, driver) == read);
    CheckRegistration(read);
  }

  // Code -> text -> a code with the same modifiers and key name.
  const std::string written = ShortcutToText(code, driver);
  if (!written.empty()) {
    const ShortcutCode back = TextToShortcut(written, driver);
    Check(back != 0);
    Check((back & kModifiers) == (code & kModifiers));
    Check(KeyName(back & 0xFF, driver) == KeyName(code & 0xFF, driver) ||
          TextToShortcut(KeyName(code & 0xFF, driver), driver) == (back & 0xFF));
    Check(TextToShortcut(ShortcutToText(back, driver), driver) == back);
  }
  CheckRegistration(code);
  return 0;
}
