#pragma once
// Tag deletion: removes HTML markup from the text selected in the editor.
//
// DeleteTags is a pure function of the text and the mode. The markup is
// found as a browser's tokenizer finds it (MarkupScanner): a tag starts at
// "<" followed by an ASCII letter, "/", "!" or "?", quoted attribute values
// may hold ">" and "<", and a comment is one piece from "<!--" to "-->";
// text such as "a < b", "x <= 3" or "<(_ _)>" is never taken for a tag.
// - outermost tag: when the text holds at least two pieces of markup, the
//   first and the last are removed; with fewer the text stays as it is;
// - all tags: every piece is removed, twice, so that tags brought together
//   by the first pass ("<<b>i>") go too; comments go whole, with what they
//   hold;
// - uncomment: every "<!--" with the half- and full-width spaces after it
//   and every "-->" with the spaces before it are removed (pattern object).
// The uncomment pattern works on one line: line breaks travel through it as
// the markers "#####TAB#####", "#####CR#####" and "#####LF#####". In every
// mode, markers a transformed text already held come back as TAB, CR and LF.
// Cost: linear passes, at worst quadratic over many unclosed candidates.
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

// The uncomment pattern. The bracket holds a space and the ideographic space
// (0x81 0x40).
inline constexpr std::string_view kCommentMarkerPattern = "[<][!][-][-][ 　]*|[ 　]*[-][-][>]"_sjis;

std::string DeleteTags(std::string_view text, DeletionMode mode);

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
