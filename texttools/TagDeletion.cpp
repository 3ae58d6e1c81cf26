#include "texttools/TagDeletion.h"

#include "common/Sjis.h"
#include "core/Templates.h"
#include "regex/TAWKStr.h"
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

// The pattern objects, compiled once per thread (patterns never change).
class Patterns {
 public:
  static const Patterns& Get() {
    thread_local const Patterns patterns;
    return patterns;
  }
  TAWKStr tag_or_comment;
  TAWKStr mirrored_tag_or_comment;
  TAWKStr tag;
  TAWKStr comment_marker;

 private:
  Patterns() {
    Use(tag_or_comment, kTagOrCommentPattern);
    Use(mirrored_tag_or_comment, kMirroredTagOrCommentPattern);
    Use(tag, kTagPattern);
    Use(comment_marker, kCommentMarkerPattern);
  }
  static void Use(TAWKStr& awk, std::string_view pattern) {
    awk.SetLineSeparator(mcls_CRLF);
    awk.SetRegExp(pattern);
  }
};

std::string DeleteOutermostTag(std::string_view text) {
  std::string line = EscapeLineBreaks(text);
  const Patterns& patterns = Patterns::Get();
  std::string copy = line;
  if (patterns.tag_or_comment.GSub("", copy) <= 1) return std::string(text);
  std::string reversed = ReverseSjisText(line);
  patterns.mirrored_tag_or_comment.Sub("", reversed);
  line = ReverseSjisText(reversed);
  patterns.tag_or_comment.Sub("", line);
  return UnescapeLineBreaks(line);
}

std::string DeleteAllTags(std::string_view text) {
  std::string line = EscapeLineBreaks(text);
  const TAWKStr& tag = Patterns::Get().tag;
  tag.GSub("", line);
  tag.GSub("", line);
  return UnescapeLineBreaks(line);
}

std::string Uncomment(std::string_view text) {
  std::string line = EscapeLineBreaks(text);
  Patterns::Get().comment_marker.GSub("", line);
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
