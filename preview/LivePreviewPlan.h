#pragma once
// What "ライブプレビュー" does with the editor's document: which folder the
// server serves, the page's address, and what the command reports instead.
//
// The served folder is the base folder when one is set (the document must
// lie inside it), else the document's own folder; a drive or share root is
// never served whole. A running server that already serves a folder holding
// the document only gets the page opened; otherwise it moves to the new
// folder (same port, so open pages keep their address).

#include <cstdint>
#include <optional>
#include <string>

#include "external/ShellStart.h"
#include "platform/Types.h"

namespace tagsling::preview {

using platform::WideText;

// The ports tried when the port setting is 0: the first free one wins.
inline constexpr std::uint16_t kFirstAutomaticPort = 8930;
inline constexpr int kAutomaticPortCount = 100;

struct LivePreviewPlan {
  enum class Action : std::uint8_t {
    kReport,  // show `message` (code page 932)
    kOpen,    // the server already serves a folder holding the document
    kServe,   // serve `folder` (start the server or move it), then open
  };
  Action action = Action::kReport;
  std::string message;
  WideText folder;       // kServe: without a trailing "\"
  std::string url_path;  // "/sub/page.html", percent-encoded UTF-8
};

// `document` from GetEditorDocumentPath; `base_folder` the base folder
// setting ("" when none); `serving` the folder served now, if any.
LivePreviewPlan PlanLivePreview(const WideText& document, const WideText& base_folder,
                                const std::optional<WideText>& serving);

// Whether `path` lies inside `folder` (names compared ignoring case).
bool IsInsideFolder(std::u16string_view path, std::u16string_view folder);

// The document's address path under `folder`: "/" separators, each UTF-8
// byte outside the unreserved characters percent-encoded. Characters that
// are no valid UTF-16 (a lone surrogate) become U+FFFD.
std::string UrlPathOf(std::u16string_view folder, std::u16string_view document);

// "http://127.0.0.1:PORT" and the path.
std::string PageAddress(std::uint16_t port, std::string_view url_path);

// How the page is opened: through the shell, which hands an address to the
// default browser, or the LivePreviewBrowser executable with the address as
// its argument.
external::ShellStart BrowserStart(const WideText& browser_setting, std::string_view address);

}  // namespace tagsling::preview
