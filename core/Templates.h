#pragma once
// Tag templates: reading a raw template for a key (or a user tag), the
// cursor-back count, the expansion into the tag text and the sandwich
// template, the parts around the selection placeholder, and the two
// replace-every-occurrence routines all placeholder work goes through.
//
// Every string is a lossless code page 932 string (common/LosslessText.h):
// a template from a UTF-8 or UTF-16 "Html.dat" keeps every character. Reading never
// fails: a missing file, section or key gives an empty template (or, for an
// HTML5 key, its built-in template), and an empty template expands to empty
// text with a cursor-back count of 0.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tagsling::settings {
class ProfileDocument;
}

namespace tagsling::core {

// Placeholders. They are recognised case-sensitively, exactly as written;
// any other letter case is ordinary text.
inline constexpr std::string_view kSelStr = "%SELSTR%";       // where the selection goes
inline constexpr std::string_view kSelStrLower = "%selstr%";  // kSelStr after lower-casing
inline constexpr std::string_view kCr = "%CR%";               // CR LF
inline constexpr std::string_view kTab = "%TAB%";             // one tab
// Internal marker of ReplaceAllShielded; a literal one in a template or in
// selected text comes out as kSelStr.
inline constexpr std::string_view kShieldMarker = "%TAGSLING_TMP_SELSTR%";

// The template file beside the executable, and its section.
inline constexpr std::string_view kTemplateFileName = "Html.dat";
inline constexpr std::string_view kTemplateSection = "Html";
// User-tag templates in the settings file: section "UserTag", key "Tag<n>".
inline constexpr std::string_view kUserTagSection = "UserTag";
inline constexpr std::string_view kUserTagKeyPrefix = "Tag";

// Popup-menu items are named after their key with one of these prefixes.
inline constexpr std::string_view kTagPopupPrefix = "PM1_";
inline constexpr std::string_view kShortTagPopupPrefix = "PM4_";

// Path of "Html.dat" in `executable_folder` (which ends in a separator).
std::string TemplateFilePath(const std::string& executable_folder);

// The raw template of `key` (compared without regard to case) from the
// template file at `data_file_path`; at most 2047 bytes. The file is parsed
// again only when its size or time stamp changed (settings/ProfileCache.h),
// so an edit takes effect at the next call. A key the file does not have (also when there is no
// file) gives the key's built-in template when it has one (the HTML5 keys,
// core/BuiltInTemplates.h) and an empty template otherwise; a key that is in
// the file, even with an empty value, always gives the file's text.
std::string ReadTemplate(const std::string& key, const std::string& data_file_path);

// The same lookup in a template file already loaded.
std::string TemplateFromFile(const settings::ProfileDocument& file, std::string_view key);

// The raw template of user tag `number` (counted from 0) from the settings
// file; same limits, empty when absent.
std::string ReadUserTemplate(int number, const std::string& settings_path);

// Number of characters after the first kSelStr of the raw template, where
// "%TAB%" and "%CR%" count one each, later kSelStr count nothing, a
// double-byte character counts one, and a character from outside code page
// 932 counts its UTF-16 units. 0 without kSelStr (the lower-case form
// does not count).
std::size_t CursorBackCount(std::string_view raw_template);

struct ExpandedTemplate {
  std::string tag_text;  // "%CR%"/"%TAB%" expanded, lower-cased when asked
  std::string sandwich;  // tag_text with every "%selstr%" back as kSelStr
};

// Expands a raw template. `lower` is InsTextLower for "Html.dat" templates
// and (InsTextLower and not UserTagNoLower) for user tags.
ExpandedTemplate ExpandTemplate(std::string_view raw_template, bool lower);

// The sandwich template with every kSelStr deleted: what normal mode pastes.
std::string PlainText(std::string_view sandwich);

// The text before the first kSelStr, and all text after it (later
// placeholders as they stand); nullopt when the template has none.
std::optional<std::string> OpeningPart(std::string_view sandwich);
std::optional<std::string> ClosingPart(std::string_view sandwich);

// Replaces occurrences of `pattern` (byte-exact, case-sensitive) in `text`
// with `replacement` exactly as if the leftmost occurrence were replaced and
// the search restarted from the beginning of the whole text until none is
// left, so occurrences that a replacement forms together with its
// neighbours are replaced too. Runs in time linear in the bytes it handles.
// An empty pattern is never found. A replacement that itself contains the
// pattern would make that restart loop forever; such a call replaces each
// occurrence of the original text once, left to right, instead.
std::string ReplaceAll(std::string_view pattern, std::string_view replacement, std::string_view text);

// ReplaceAll with any kSelStr inside the replacement kept literal: the
// replacement's kSelStr are hidden behind kShieldMarker during the
// replacement, and every kShieldMarker of the result (also one that was
// already in `text`) then becomes kSelStr.
std::string ReplaceAllShielded(std::string_view pattern, std::string_view replacement, std::string_view text);

// The key a popup-menu item runs: its component name with every `prefix`
// (kTagPopupPrefix or kShortTagPopupPrefix) deleted.
std::string KeyFromPopupItemName(std::string_view item_name, std::string_view prefix);

}  // namespace tagsling::core
