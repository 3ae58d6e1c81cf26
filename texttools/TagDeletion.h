#pragma once
// Tag deletion: removes HTML markup from the text selected in the editor.
//
// DeleteTags is a pure function of the text and the mode. It first turns the
// text into one line (TAB, CR and LF become the markers "#####TAB#####",
// "#####CR#####", "#####LF#####", because "." and "[^<>]" never match a line
// break), matches with the pattern object (leftmost-longest, a double-byte
// character counts one), and turns the markers back into line breaks:
// - outermost tag: when the text holds at least two tags or comments, the
//   first tag and the last tag are removed. The last one is found as the
//   first match of the mirrored pattern on the text reversed character by
//   character; a comment runs to the last "-->" of the text;
// - all tags: every "<...>" is removed, twice, so that tags brought together
//   by the first pass ("<<b>i>") go too;
// - uncomment: every "<!--" with the half- and full-width spaces after it
//   and every "-->" with the spaces before it are removed.
// Text that already holds a marker comes back with the line break in its
// place whenever it is transformed. Cost: a few linear passes.
//
// StartTagDeletion runs it on the editor's selection through the insertion
// engine's shared capture (clipboard emptied, cut or copy, kDeletionPollTimer waits for
// the clipboard, kDeletionLagTimer after HasamiTime transforms and pastes). The
// selection arrives as UTF-16 and crosses into code page 932 through
// ToLosslessSjis, so characters that code page cannot hold come back as
// they were.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/SjisLiteral.h"
#include "core/InsertionEngine.h"
#include "platform/Platform.h"

namespace tagsling::texttools {

enum class DeletionMode { kOutermostTag = 0, kAllTags = 1, kUncomment = 2 };

// A selection longer than this many code page 932 bytes is pasted back
// unchanged (after a beep).
inline constexpr std::size_t kTagDeletionLimit = 10000;

// The line-break markers.
inline constexpr std::string_view kTabMarker = "#####TAB#####";
inline constexpr std::string_view kCrMarker = "#####CR#####";
inline constexpr std::string_view kLfMarker = "#####LF#####";

// The patterns, exactly as the pattern object gets them.
inline constexpr std::string_view kTagOrCommentPattern = "[<]([^<>]*)[>]|[<][!][-][-](.*)[-][-][>]";
inline constexpr std::string_view kMirroredTagOrCommentPattern = "[>]([^><]*)[<]|[>][-][-](.*)[-][-][!][<]";
inline constexpr std::string_view kTagPattern = "[<]([^<>]*)[>]";
// The bracket holds a space and the ideographic space (0x81 0x40).
inline constexpr std::string_view kCommentMarkerPattern = "[<][!][-][-][ 　]*|[ 　]*[-][-][>]"_sjis;

std::string DeleteTags(std::string_view text, DeletionMode mode);

// The text reversed character by character; a double-byte character stays
// in one piece.
std::string ReverseSjisText(std::string_view text);

// The transformation of a captured selection: beyond kTagDeletionLimit
// bytes a beep and the selection unchanged, otherwise DeleteTags carried out
// losslessly on the UTF-16 text.
platform::WideText DeleteTagsInSelection(const platform::WideText& selection, DeletionMode mode,
                                         platform::TextCodec& codec, platform::Feedback& feedback);

// Starts a deletion through the engine's shared selection capture.
// `capture_focus` is true for commands chosen on the palette and the menus,
// false for the hot-key popup, where the focus already belongs to the
// editor. False when the engine refused (a job is pending; it has beeped).
bool StartTagDeletion(core::InsertionEngine& engine, platform::TextCodec& codec, platform::Feedback& feedback,
                      DeletionMode mode, bool capture_focus);

}  // namespace tagsling::texttools
