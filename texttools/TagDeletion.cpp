#include "texttools/TagDeletion.h"

#include "core/Templates.h"
#include "texttools/CompiledPattern.h"
#include "texttools/LosslessSjis.h"
#include "texttools/MarkupScanner.h"

namespace tagsling::texttools {

namespace {

std::string EscapeLineBreaks(std::string_view text) {
  std::string result = core::ReplaceAllShielded("\t", kTabMarker, text);
  result = core::ReplaceAllShielded("\r", kCrMarker, result);
  return core::ReplaceAllShielded("\n", kLfMarker, result);
}

std::string UnescapeLineBreaks(std::string_view text) {
  std::string result = core::ReplaceAllShielded(kTabMarker, "\t", text);
  result = core::ReplaceAllShielded(kCrMarker, "\r", result);
  return core::ReplaceAllShielded(kLfMarker, "\n", result);
}

// The text without its pieces of markup.
std::string WithoutMarkup(std::string_view text) {
  std::string kept;
  std::size_t from = 0;
  MarkupScanner scanner(text);
  while (std::optional<MarkupPiece> piece = scanner.Next()) {
    kept += text.substr(from, piece->begin - from);
    from = piece->end;
  }
  kept += text.substr(from);
  return kept;
}

std::string DeleteOutermostTag(std::string_view text) {
  MarkupScanner scanner(text);
  const std::optional<MarkupPiece> first = scanner.Next();
  if (!first) return std::string(text);
  std::optional<MarkupPiece> last;
  while (std::optional<MarkupPiece> piece = scanner.Next()) last = piece;
  if (!last) return std::string(text);
  std::string kept(text.substr(0, first->begin));
  kept += text.substr(first->end, last->begin - first->end);
  kept += text.substr(last->end);
  return UnescapeLineBreaks(kept);
}

std::string DeleteAllTags(std::string_view text) { return UnescapeLineBreaks(WithoutMarkup(WithoutMarkup(text))); }

std::string Uncomment(std::string_view text) {
  std::string line = EscapeLineBreaks(text);
  CompiledPattern(kCommentMarkerPattern).GSub("", line);
  return UnescapeLineBreaks(line);
}

}  // namespace

std::string DeleteTags(std::string_view text, DeletionMode mode) {
  switch (mode) {
    case DeletionMode::kOutermostTag:
      return DeleteOutermostTag(text);
    case DeletionMode::kAllTags:
      return DeleteAllTags(text);
    case DeletionMode::kUncomment:
      return Uncomment(text);
  }
  return std::string(text);
}

platform::WideText DeleteTagsInSelection(const platform::WideText& selection, DeletionMode mode,
                                         platform::TextCodec& codec, platform::Feedback& feedback) {
  if (codec.WideToSjis(selection).size() > kTagDeletionLimit) {
    feedback.Beep();
    return selection;
  }
  return FromLosslessSjis(DeleteTags(ToLosslessSjis(selection, codec), mode), codec);
}

bool StartTagDeletion(core::InsertionEngine& engine, platform::TextCodec& codec, platform::Feedback& feedback,
                      DeletionMode mode, bool capture_focus) {
  return engine.StartSelectionCapture(capture_focus, [mode, &codec, &feedback](const platform::WideText& selection) {
    return std::optional<core::SelectionResult>(DeleteTagsInSelection(selection, mode, codec, feedback));
  });
}

}  // namespace tagsling::texttools
