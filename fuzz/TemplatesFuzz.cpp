// Fuzz target for template expansion from an arbitrary "Html.dat".
//
// Input layout: byte 0 options (bit 0 lower-case, bit 1 use the key named by
// the first field instead of a catalogue key, bits 2-7 with byte 1 pick the
// catalogue key), byte 1, then two NUL-terminated fields (key name,
// selected text) and the rest of the input as the file text.
//
// Checked: the raw template is at most the value limit; the cursor-back
// count is 0 without "%SELSTR%" and never more than the template's
// characters; the opening part, "%SELSTR%" and the closing part give the
// sandwich back; the plain text holds no "%SELSTR%"; and ReplaceAll gives
// exactly what the simple replace-leftmost-and-search-again loop gives.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/TemplateKeys.h"
#include "core/Templates.h"
#include "fuzz/FuzzInput.h"
#include "settings/ProfileFile.h"

namespace {

using namespace tagsling;
using tagsling::fuzz::Check;

constexpr std::size_t kMaxFile = 4096;

// The loop ReplaceAll stands for; nullopt when it would take too long (or
// run forever).
std::optional<std::string> SlowReplaceAll(std::string_view pattern, std::string_view replacement,
                                          std::string_view text) {
  std::string out(text);
  if (pattern.empty()) return out;
  for (int round = 0; round < 512; ++round) {
    std::size_t found = out.find(pattern);
    if (found == std::string::npos) return out;
    out.replace(found, pattern.size(), replacement);
    if (out.size() > 4096) return std::nullopt;
  }
  return std::nullopt;
}

void CheckReplaceAll(std::string_view pattern, std::string_view replacement, std::string_view text) {
  if (text.size() > 512 || replacement.find(pattern) != std::string_view::npos) return;
  std::optional<std::string> slow = SlowReplaceAll(pattern, replacement, text);
  if (slow) Check(ReplaceAll(pattern, replacement, text) == *slow);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tagsling::fuzz::FieldReader input(data, size);
  const std::uint8_t options = input.Byte();
  const std::uint8_t pick = input.Byte();
  const std::string field_key = input.Field(64);
  const std::string selection = input.Field(256);
  const std::string file = input.Rest(kMaxFile);

  const std::size_t key_index = ((options >> 2) * 256u + pick) % TemplateKeys().size();
  const std::string key = options & 2 ? field_key : std::string(TemplateKeys()[key_index].name);
  const bool lower = options & 1;

  // ReadTemplate reads the file's "Html" section through the profile layer.
  const std::string raw = settings::ProfileDocument::FromText(file).Get(kTemplateSection, key);
  Check(raw.size() <= settings::kProfileValueLimit);

  const std::size_t back = CursorBackCount(raw);
  if (raw.find(kSelStr) == std::string::npos) Check(back == 0);
  Check(back <= SjisCharCount(raw));

  const ExpandedTemplate expanded = ExpandTemplate(raw, lower);
  Check(expanded.sandwich.find(kSelStrLower) == std::string::npos);

  const std::string plain = PlainText(expanded.sandwich);
  Check(plain.find(kSelStr) == std::string::npos);

  const std::optional<std::string> opening = OpeningPart(expanded.sandwich);
  const std::optional<std::string> closing = ClosingPart(expanded.sandwich);
  Check(opening.has_value() == closing.has_value());
  if (opening) {
    Check(*opening + std::string(kSelStr) + *closing == expanded.sandwich);
    Check(opening->find(kSelStr) == std::string::npos);
  } else {
    Check(expanded.sandwich.find(kSelStr) == std::string::npos);
    Check(plain == expanded.sandwich);
  }

  Check(KeyFromPopupItemName(std::string(kPopupMenu1Prefix) + key, kPopupMenu1Prefix).size() <= key.size());

  // The replacement routines against the simple loop, on the template
  // itself and on the selection with the template's own text as the
  // replacement.
  CheckReplaceAll(kCr, "\r\n", raw);
  CheckReplaceAll(kSelStr, "", expanded.sandwich);
  if (!selection.empty()) {
    CheckReplaceAll(selection.substr(0, 8), raw.substr(0, 16), raw);
    CheckReplaceAll(raw.substr(0, 4), selection.substr(0, 8), selection);
  }
  return 0;
}
