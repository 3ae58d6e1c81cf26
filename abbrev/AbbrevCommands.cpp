#include "abbrev/AbbrevCommands.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "abbrev/Abbreviation.h"
#include "core/TargetWindow.h"
#include "texttools/LosslessSjis.h"

namespace tagsling::abbrev {

namespace {

using platform::WideText;

core::SelectionResult Pasted(const AbbrevResult& result, const WideText& selection, platform::TextCodec& codec,
                             platform::Feedback& feedback) {
  if (!result) {
    // Nothing is lost: the selection goes back where it was cut from.
    feedback.Beep();
    return core::SelectionResult(selection);
  }
  return core::SelectionResult(texttools::FromLosslessSjis(result.expansion->text, codec),
                               result.expansion->cursor_back);
}

SnippetSources Load(const SnippetLoader& snippets) { return snippets ? snippets() : SnippetSources{}; }

// Puts `window` in front again with our input attached to its thread, so
// that the paste keys reach it; with no window, the target the program
// would choose.
void GiveForegroundBack(texttools::TextToolsContext& context, platform::WindowHandle window) {
  platform::WindowSystem& windows = context.platform.windows;
  if (window == platform::kNoWindow) window = core::ResolveTargetWindow(windows, context.through_classes);
  const platform::ThreadId own = windows.CurrentThread();
  const platform::ThreadId theirs = windows.ThreadOf(window);
  windows.AttachInput(own, theirs, true);
  windows.SetForeground(window);
  windows.AttachInput(own, theirs, false);
}

// The dialog with the palette disabled and the dialog host in front, as the
// other input dialogs are shown. An exception from the dialog is reported
// here: the selection still has to go back into the editor.
std::optional<std::string> AskForAbbreviation(texttools::TextToolsContext& context) {
  texttools::InputHost& host = *context.host;
  platform::WindowSystem& windows = context.platform.windows;
  try {
    texttools::InputBusyScope busy(host, texttools::InputCommand::kAbbreviation);
    if (host.PaletteShowing()) {
      core::BringToFrontAttached(windows, context.self.application);
    } else {
      windows.SetForeground(context.self.application);
    }
    host.SetMainWindowEnabled(false);
    windows.SetForeground(context.dialog_host_window);
    return host.AskAbbreviation(AbbreviationHistory(context.settings));
  } catch (const std::exception& error) {
    context.platform.feedback.ShowMessage(error.what(), platform::MessageIcon::kError);
  }
  return std::nullopt;
}

}  // namespace

core::SelectionResult ExpandInSelection(const WideText& selection, const SnippetSources& sources,
                                        platform::TextCodec& codec, platform::Feedback& feedback) {
  const std::string text = texttools::ToLosslessSjis(selection, codec);
  return Pasted(ExpandSelection(text, sources), selection, codec, feedback);
}

core::SelectionResult WrapInSelection(const WideText& selection, std::string_view abbreviation,
                                      const SnippetSources& sources, platform::TextCodec& codec,
                                      platform::Feedback& feedback) {
  const std::string text = texttools::ToLosslessSjis(selection, codec);
  return Pasted(WrapSelection(text, abbreviation, sources), selection, codec, feedback);
}

std::string_view TrimmedAbbreviation(std::string_view entry) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!entry.empty() && blank(entry.front())) entry.remove_prefix(1);
  while (!entry.empty() && blank(entry.back())) entry.remove_suffix(1);
  return entry;
}

std::vector<std::string> AbbreviationHistory(const settings::AppSettings& settings) {
  std::vector<std::string> history;
  for (const std::string& entry : settings.AbbrevHistory) {
    if (!entry.empty()) history.push_back(entry);
  }
  return history;
}

void RememberAbbreviation(settings::AppSettings& settings, std::string_view abbreviation) {
  std::vector<std::string> history = AbbreviationHistory(settings);
  std::erase(history, abbreviation);
  history.insert(history.begin(), std::string(abbreviation));
  for (std::size_t place = 0; place < settings.AbbrevHistory.size(); ++place) {
    settings.AbbrevHistory[place] = place < history.size() ? history[place] : std::string();
  }
}

core::SelectionResult AskAndWrap(texttools::TextToolsContext& context, const WideText& selection,
                                 const SnippetLoader& snippets) {
  // The cut or copy went to the window in front; the paste must go there too.
  const platform::WindowHandle editor = context.platform.windows.ForegroundWindow();
  const std::optional<std::string> entry = AskForAbbreviation(context);
  GiveForegroundBack(context, editor);
  if (!entry) return core::SelectionResult(selection);
  const std::string_view abbreviation = TrimmedAbbreviation(*entry);
  if (!abbreviation.empty()) RememberAbbreviation(context.settings, abbreviation);
  return WrapInSelection(selection, abbreviation, Load(snippets), context.platform.codec, context.platform.feedback);
}

bool StartAbbreviationExpansion(core::InsertionEngine& engine, texttools::TextToolsContext& context,
                                SnippetLoader snippets, bool capture_focus) {
  return engine.StartSelectionCapture(capture_focus, [&context, snippets](const WideText& selection) {
    return std::optional<core::SelectionResult>(
        ExpandInSelection(selection, Load(snippets), context.platform.codec, context.platform.feedback));
  });
}

bool StartAbbreviationWrap(core::InsertionEngine& engine, texttools::TextToolsContext& context, SnippetLoader snippets,
                           bool capture_focus) {
  return engine.StartSelectionCapture(capture_focus, [&context, snippets](const WideText& selection) {
    return std::optional<core::SelectionResult>(AskAndWrap(context, selection, snippets));
  });
}

}  // namespace tagsling::abbrev
