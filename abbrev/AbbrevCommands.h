#pragma once
// The program's two abbreviation commands, "略記を展開(&E)" (expand the
// abbreviation that is selected in the editor) and "略記で囲む(&W)" (wrap the
// selection in the HTML of an abbreviation the user types).
//
// Both capture the editor's selection exactly as tag deletion does: through
// the insertion engine's shared capture (clipboard emptied, cut or copy as
// HasamiSelStr says, kDeletionPollTimer waits for the clipboard, kDeletionLagTimer after
// HasamiTime transforms and pastes). No selection is a beep and nothing
// else. The selection crosses into code page 932 through ToLosslessSjis,
// so characters that code page cannot hold come back as they were.
//
// Expand pastes the expansion over the selection and, with CursorBak on,
// presses Left until the caret stands at the first place to fill. Wrap
// first asks for the abbreviation in the dialog host's wrap dialog, which
// lists the last kAbbrevHistoryLength entries confirmed (kept in the settings
// record, newest first), gives the foreground back to the editor, and
// pastes the wrapped selection the same way. A refused abbreviation beeps
// and a cancelled dialog does nothing more: in both cases the selection is
// pasted back as it was, so a cut selection is never lost.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "abbrev/Snippets.h"
#include "core/InsertionEngine.h"
#include "settings/AppSettings.h"
#include "texttools/TextToolsContext.h"

namespace tagsling::abbrev {

// The snippet sources of one command, read when it runs, so that an edited
// "Html.dat" counts from the next command on.
using SnippetLoader = std::function<SnippetSources()>;

// The expand command's transformation of a captured selection: the
// expansion with the Left presses to its first place to fill, or, for a
// refused abbreviation, a beep and the selection itself.
core::SelectionResult ExpandInSelection(const platform::WideText& selection, const SnippetSources& sources,
                                        platform::TextCodec& codec, platform::Feedback& feedback);

// The wrap command's transformation once the abbreviation is known; the
// same refusal as above.
core::SelectionResult WrapInSelection(const platform::WideText& selection, std::string_view abbreviation,
                                      const SnippetSources& sources, platform::TextCodec& codec,
                                      platform::Feedback& feedback);

// The dialog's entry without the blanks around it; the dialog takes OK only
// when this is not empty.
std::string_view TrimmedAbbreviation(std::string_view entry);

// The non-empty history entries of the settings record, newest first.
std::vector<std::string> AbbreviationHistory(const settings::AppSettings& settings);

// Puts `abbreviation` first in the history, removing an equal entry further
// down and dropping the oldest beyond the record's ten places.
void RememberAbbreviation(settings::AppSettings& settings, std::string_view abbreviation);

// The wrap command's step between the capture and the paste: the dialog in
// front of everything (busy flag InputCommand::kAbbreviation, palette
// disabled while it is up), the history updated when it is confirmed, the
// foreground given back to the window the selection was taken from, then
// WrapInSelection, or the selection unchanged when the dialog was cancelled.
core::SelectionResult AskAndWrap(texttools::TextToolsContext& context, const platform::WideText& selection,
                                 const SnippetLoader& snippets);

// Start the commands. `capture_focus` is true for the palette, the menus
// and the hot keys, false for the hot-key tool menu, where the focus already
// belongs to the editor (as with tag deletion). False when the engine
// refused (a job is pending; it has beeped).
bool StartAbbreviationExpansion(core::InsertionEngine& engine, texttools::TextToolsContext& context,
                                SnippetLoader snippets, bool capture_focus);
bool StartAbbreviationWrap(core::InsertionEngine& engine, texttools::TextToolsContext& context, SnippetLoader snippets,
                           bool capture_focus);

}  // namespace tagsling::abbrev
