#pragma once
// The small script every served HTML page gets, and where it goes.
//
// The script keeps an event stream open on kEventsPath: "reload" reloads the
// page; "css" swaps each style sheet link for a fresh copy (a cache-busting
// query), the old one removed only once the new one has loaded, so the page
// keeps its state and does not flash.
//
// It is inserted before the last "</body" (any case) that is not inside an
// HTML comment, or appended when there is none. Only that insertion changes
// the page: its other bytes, its charset declaration included, are served as
// they are. The script is pure ASCII, so it is the same in every ASCII-based
// encoding (Shift-JIS, EUC-JP, UTF-8: "<" and ">" are never trail bytes
// there); a page with a UTF-16 byte order mark gets it in UTF-16 of the same
// byte order.

#include <string>
#include <string_view>

namespace tagsling::preview {

// "<script>...</script>" in ASCII.
const std::string& ReloadScriptTag();

std::string InjectReloadScript(std::string_view page);

}  // namespace tagsling::preview
