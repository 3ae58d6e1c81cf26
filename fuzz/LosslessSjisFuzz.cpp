// Fuzz target for carrying UTF-16 text through code page 932 without loss
// (the text that tag deletion works on).
//
// Input layout: byte 0 options (bit 0 also read the rest as code page 932
// bytes with tokens, bits 1-2 a tag-deletion mode to run in between, 3 for
// none), the rest as UTF-16LE code units (an odd last byte is dropped).
//
// Checked: text converted and converted back is the same text, unpaired
// surrogates and DEL characters included; text that code page 932 holds
// converts as the plain conversion does; the tokenised bytes never hold a
// DEL outside a token; arbitrary bytes (cut or damaged tokens) convert back
// without harm; tag deletion on the tokenised text gives text that converts
// back.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzInput.h"
#include "platform/sim/SimDesktop.h"
#include "texttools/LosslessSjis.h"
#include "texttools/TagDeletion.h"

namespace {

using namespace tagsling::texttools;
using tagsling::fuzz::Check;

constexpr std::size_t kMaxUnits = 1024;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Every DEL opens or closes a token of one to six hexadecimal digits.
bool TokensWellFormed(const std::string& bytes) {
  for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
    if (bytes[pos] != '\x7F') continue;
    std::size_t close = bytes.find('\x7F', pos + 1);
    if (close == std::string::npos || close == pos + 1 || close - pos - 1 > 6) return false;
    for (std::size_t i = pos + 1; i < close; ++i) {
      if (!IsHexDigit(bytes[i])) return false;
    }
    pos = close;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tagsling::platform::sim::SimDesktop desktop;  // its codec has the real code page 932 tables
  if (size == 0) return 0;
  const std::uint8_t options = data[0];
  tagsling::platform::WideText text;
  for (std::size_t pos = 1; pos + 1 < size && text.size() < kMaxUnits; pos += 2)
    text.push_back(static_cast<char16_t>(data[pos] | data[pos + 1] << 8));

  const std::string bytes = ToLosslessSjis(text, desktop);
  Check(FromLosslessSjis(bytes, desktop) == text);
  Check(TokensWellFormed(bytes));
  const std::string plain = desktop.WideToSjis(text);
  if (text.find(u'\x7F') == std::u16string::npos && desktop.SjisToWide(plain) == text) Check(bytes == plain);

  if (options & 1) {
    std::string_view raw(reinterpret_cast<const char*>(data + 1), std::min<std::size_t>(size - 1, 2 * kMaxUnits));
    FromLosslessSjis(raw, desktop);
  }
  const unsigned mode = (options >> 1) & 3;
  if (mode < 3) {
    std::string deleted = DeleteTags(bytes, static_cast<DeletionMode>(mode));
    Check(deleted.size() <= bytes.size());
    FromLosslessSjis(deleted, desktop);
  }
  return 0;
}
