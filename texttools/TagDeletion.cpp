#include "texttools/TagDeletion.h"

#include "common/Sjis.h"
#include "core/Templates.h"
#include "texttools/CompiledPattern.h"
#include "texttools/LosslessSjis.h"

namespace tagsling::texttools {

namespace {

std::string EscapeLineBreaks(std::string_view text) {
  std::string result = ReplaceAllShielded("\t", kTabMarker, text);
  result = ReplaceAllShielded("\r", kCrMarker, result);
  return ReplaceAllShielded("\n", kLfMarker, result);
}

std::string UnescapeLineBreaks(std::string_view text) {
  std::string result = ReplaceAllShielded(kTabMarker, "\t", text);
  result = ReplaceAllShielded(kCrMarker, "\r", result);
  return ReplaceAllShielded(kLfMarker, "\n", result);
}

std::string DeleteOutermostTag(std::string_view text) {
  std::string line = EscapeLineBreaks(text);
  const TAWKStr& tag_or_comment = CompiledPattern(kTagOrCommentPattern);
  std::string copy = line;
  if (tag_or_comment.GSub("", copy) <= 1) return std::string(text);
  std::string reversed = ReverseSjisText(line);
  CompiledPattern(kMirroredTagOrCommentPattern).Sub("", reversed);
  line = ReverseSjisText(reversed);
  tag_or_comment.Sub("", line);
  return UnescapeLineBreaks(line);
}

std::string DeleteAllTags(std::string_view text) {
  std::string line = EscapeLineBreaks(text);
  const TAWKStr& tag = CompiledPattern(kTagPattern);
  tag.GSub("", line);
  tag.GSub("", line);
  return UnescapeLineBreaks(line);
}

std::string Uncomment(std::string_view text) {
  std::string line = EscapeLineBreaks(text);
  CompiledPattern(kCommentMarkerPattern).GSub("", line);
  return UnescapeLineBreaks(line);
}

}  // namespace

std::string ReverseSjisText(std::string_view text) {
  std::string reversed(text.size(), '\0');
  std::size_t end = text.size();
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t length = SjisCharLength(text, pos);
    end -= length;
    text.substr(pos, length).copy(reversed.data() + end, length);
    pos += length;
  }
  return reversed;
}

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

bool StartTagDeletion(InsertionEngine& engine, platform::TextCodec& codec, platform::Feedback& feedback,
                      DeletionMode mode, bool capture_focus) {
  return engine.StartSelectionCapture(capture_focus, [mode, &codec, &feedback](const platform::WideText& selection) {
    return std::optional<platform::WideText>(DeleteTagsInSelection(selection, mode, codec, feedback));
  });
}

}  // namespace tagsling::texttools
