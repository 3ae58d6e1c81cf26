#include "texttools/TagDeletion.h"

#include "common/Sjis.h"
#include "core/Templates.h"
#include "texttools/CompiledPattern.h"
#include "texttools/LosslessSjis.h"

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

// Length of `text` without a lead byte that ends it alone. Reversed, such a
// byte would pair with the character after it, and reversing back would not
// restore the text; it can never be part of a tag, so it waits outside.
std::size_t WithoutLoneLeadByte(std::string_view text) {
  std::size_t pos = 0;
  std::size_t last = 0;
  while (pos < text.size()) {
    last = pos;
    pos += SjisCharLength(text, pos);
  }
  bool lone = !text.empty() && last + 1 == text.size() && IsSjisLeadByte(static_cast<unsigned char>(text[last]));
  return lone ? last : text.size();
}

std::string DeleteOutermostTag(std::string_view text) {
  std::size_t body = WithoutLoneLeadByte(text);
  std::string line = EscapeLineBreaks(text.substr(0, body));
  const regex::TAWKStr& tag_or_comment = CompiledPattern(kTagOrCommentPattern);
  std::string copy = line;
  if (tag_or_comment.GSub("", copy) <= 1) return std::string(text);
  std::string reversed = ReverseSjisText(line);
  CompiledPattern(kMirroredTagOrCommentPattern).Sub("", reversed);
  line = ReverseSjisText(reversed);
  tag_or_comment.Sub("", line);
  return UnescapeLineBreaks(line) + std::string(text.substr(body));
}

std::string DeleteAllTags(std::string_view text) {
  std::string line = EscapeLineBreaks(text);
  const regex::TAWKStr& tag = CompiledPattern(kTagPattern);
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

bool StartTagDeletion(core::InsertionEngine& engine, platform::TextCodec& codec, platform::Feedback& feedback,
                      DeletionMode mode, bool capture_focus) {
  return engine.StartSelectionCapture(capture_focus, [mode, &codec, &feedback](const platform::WideText& selection) {
    return std::optional<core::SelectionResult>(DeleteTagsInSelection(selection, mode, codec, feedback));
  });
}

}  // namespace tagsling::texttools
