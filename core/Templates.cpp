// Template reading and expansion, and the replace-every-occurrence routines.
//
// ReplaceAll must give exactly the result of the simple loop "replace the
// leftmost occurrence, then search again from byte 0 until none is left",
// which is quadratic in the text. It gets the same result in linear time by
// streaming: the bytes of the text are moved one at a time onto an output
// buffer that never holds an occurrence, while a Knuth-Morris-Pratt state is
// kept for every output byte (the length of the longest pattern prefix that
// ends there).
//
// Why this is the same result. Let the current text be out + rest, where out
// holds no occurrence. Feeding the bytes of rest one by one, the first time
// out ends with the pattern we have the occurrence with the smallest end
// position in the current text: every other one ends later, inside rest.
// All occurrences have the same length, so it also has the smallest start:
// it is the leftmost occurrence, the one the simple loop replaces. Replacing
// it keeps out[0, p), which holds no occurrence (it is a prefix of an
// occurrence-free text), and puts the replacement at the front of rest. The
// invariant holds again and both methods have produced the same text. The
// simple loop would now rescan out[0, p) in vain; we resume from the state
// stored for byte p - 1, which remembers the partial match formed by the last
// (at most pattern length - 1) bytes before p. Those are the only bytes
// before p that a new occurrence can use: one starting at q <= p - length
// would lie wholly in the unchanged, occurrence-free prefix.
//
// Cost. A fed byte costs amortised O(1); a replacement removes the pattern
// length of fed bytes and feeds the replacement. For k replacements that is
// O(text + k * (pattern + replacement)), linear for the program's short
// placeholder patterns. A replacement that contains the pattern makes the
// simple loop run forever (every replacement brings a new occurrence); that
// case gets a single left-to-right pass instead.

#include "core/Templates.h"

#include <vector>

#include "common/LosslessText.h"
#include "common/Sjis.h"
#include "core/BuiltInTemplates.h"
#include "settings/ProfileCache.h"
#include "settings/ProfileFile.h"

namespace tagsling::core {

namespace {

// One left-to-right pass: each occurrence of the original text is replaced
// once and the inserted text is never searched.
std::string ReplaceEachOnce(std::string_view pattern, std::string_view replacement, std::string_view text) {
  std::string out;
  std::size_t pos = 0;
  for (std::size_t found; (found = text.find(pattern, pos)) != std::string_view::npos; pos = found + pattern.size()) {
    out.append(text.substr(pos, found - pos));
    out.append(replacement);
  }
  out.append(text.substr(pos));
  return out;
}

// border[i]: length of the longest proper prefix of pattern[0, i] that is
// also its suffix.
std::vector<std::size_t> Borders(std::string_view pattern) {
  std::vector<std::size_t> border(pattern.size(), 0);
  for (std::size_t i = 1, k = 0; i < pattern.size(); ++i) {
    while (k > 0 && pattern[i] != pattern[k]) k = border[k - 1];
    if (pattern[i] == pattern[k]) ++k;
    border[i] = k;
  }
  return border;
}

}  // namespace

std::string ReplaceAll(std::string_view pattern, std::string_view replacement, std::string_view text) {
  if (pattern.empty()) return std::string(text);
  if (replacement.find(pattern) != std::string_view::npos) return ReplaceEachOnce(pattern, replacement, text);

  const std::vector<std::size_t> border = Borders(pattern);
  // Bytes still to feed, next one at the back; a replacement is pushed back
  // reversed so that its first byte is fed first. (Plain byte vectors: the
  // std::string growth paths trip a false -Wrestrict of GCC 12 here.)
  std::vector<char> pending(text.rbegin(), text.rend());
  const std::vector<char> reversed_replacement(replacement.rbegin(), replacement.rend());
  std::vector<char> out;
  std::vector<std::size_t> matched;  // KMP state after each byte of out; always < pattern size
  out.reserve(text.size());
  matched.reserve(text.size());

  while (!pending.empty()) {
    const char c = pending.back();
    pending.pop_back();
    std::size_t k = matched.empty() ? 0 : matched.back();
    while (k > 0 && pattern[k] != c) k = border[k - 1];
    if (pattern[k] == c) ++k;
    out.push_back(c);
    matched.push_back(k);
    if (k == pattern.size()) {
      out.resize(out.size() - pattern.size());
      matched.resize(matched.size() - pattern.size());
      pending.insert(pending.end(), reversed_replacement.begin(), reversed_replacement.end());
    }
  }
  return std::string(out.begin(), out.end());
}

std::string ReplaceAllShielded(std::string_view pattern, std::string_view replacement, std::string_view text) {
  const std::string shielded = ReplaceAll(kSelStr, kShieldMarker, replacement);
  return ReplaceAll(kShieldMarker, kSelStr, ReplaceAll(pattern, shielded, text));
}

std::string TemplateFilePath(const std::string& executable_folder) {
  return executable_folder + std::string(kTemplateFileName);
}

std::string ReadTemplate(const std::string& key, const std::string& data_file_path) {
  return TemplateFromFile(*settings::CachedProfile(data_file_path), key);
}

std::string TemplateFromFile(const settings::ProfileDocument& file, std::string_view key) {
  // The profile reader already returns at most 2047 bytes, and gives the
  // default only for a key that is not there.
  return file.Get(kTemplateSection, key, FindBuiltInTemplate(key).value_or(std::string_view()));
}

std::string ReadUserTemplate(int number, const std::string& settings_path) {
  return settings::ReadProfileString(settings_path, std::string(kUserTagSection),
                                     std::string(kUserTagKeyPrefix) + std::to_string(number));
}

std::size_t CursorBackCount(std::string_view raw_template) {
  const std::string text = ReplaceAll(kCr, " ", ReplaceAll(kTab, " ", raw_template));
  const std::size_t first = text.find(kSelStr);
  if (first == std::string::npos) return 0;
  const std::string tail = ReplaceAll(kSelStr, "", std::string_view(text).substr(first + kSelStr.size()));
  // A character from outside code page 932 (a token) counts as the editor's
  // caret steps over it.
  return LosslessCaretCount(tail);
}

ExpandedTemplate ExpandTemplate(std::string_view raw_template, bool lower) {
  std::string text = ReplaceAllShielded(kTab, "\t", ReplaceAllShielded(kCr, "\r\n", raw_template));
  if (lower) text = SjisToLower(text);
  std::string sandwich = ReplaceAllShielded(kSelStrLower, kSelStr, text);
  return {std::move(text), std::move(sandwich)};
}

std::string PlainText(std::string_view sandwich) { return ReplaceAll(kSelStr, "", sandwich); }

std::optional<std::string> OpeningPart(std::string_view sandwich) {
  const std::size_t first = sandwich.find(kSelStr);
  if (first == std::string_view::npos) return std::nullopt;
  return std::string(sandwich.substr(0, first));
}

std::optional<std::string> ClosingPart(std::string_view sandwich) {
  const std::size_t first = sandwich.find(kSelStr);
  if (first == std::string_view::npos) return std::nullopt;
  return std::string(sandwich.substr(first + kSelStr.size()));
}

std::string KeyFromPopupItemName(std::string_view item_name, std::string_view prefix) {
  return ReplaceAllShielded(prefix, "", item_name);
}

}  // namespace tagsling::core
