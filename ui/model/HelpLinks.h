#pragma once
// Help, home page and about box. WinHelp no longer exists, so help is an HTML
// page shipped beside the executable and named like it ("Tagsling.html" for
// "Tagsling.exe"); every help context number of the program has an anchor
// "ctx-<number>" in it, and the help-topics command opens the page at its
// table of contents.

#include <optional>
#include <string>
#include <string_view>

namespace tagsling::ui {

// The help page of the executable at `executable_path`: the path with its
// extension (everything after the last dot of the file name) replaced by
// ".html"; a name without extension gets ".html" appended.
std::string HelpPagePath(std::string_view executable_path);

// The address that opens the help page at `page_path` (a Windows path,
// UTF-8) at `anchor` in the browser: "file:///C:/Tools/Tagsling.html#ctx-18".
std::string HelpPageUrl(std::string_view page_path, std::string_view anchor);

// The message shown when the help page is missing, UTF-8.
std::string HelpPageMissingMessage(std::string_view page_path);

// The anchor of a help context, e.g. "ctx-18". Context 0 means "no help
// context" and is swallowed: no help is shown.
std::optional<std::string> HelpAnchor(int context);

// The anchor opened by "トピックの検索(H)..." (the page's contents).
inline constexpr std::string_view kHelpContentsAnchor = "contents";

// The help context of the options dialog's page `page_index` (0..9), or 0.
int OptionsPageHelpContext(int page_index);

// The about box, UTF-8: caption and the five lines joined by CR LF.
inline constexpr std::string_view kAboutCaption = "バージョン情報 - Tagsling";
inline constexpr std::string_view kHomePageUrl = "https://tagsling.example.org/";
std::string AboutText();

}  // namespace tagsling::ui
