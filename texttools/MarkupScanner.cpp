#include "texttools/MarkupScanner.h"

namespace tagsling::texttools {

namespace {

constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCommentClose = "-->";

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool StartsTag(char c) { return IsAsciiLetter(c) || c == '/' || c == '!' || c == '?'; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// The end (one past ">") of the tag whose "<" is at `open`, or nullopt when
// a "<" outside quotes or the end of the text comes first.
std::optional<std::size_t> TagEnd(std::string_view text, std::size_t open) {
  for (std::size_t i = open + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '>') return i + 1;
    if (c == '<') return std::nullopt;
    if (c != '=') continue;
    std::size_t value = i + 1;
    while (value < text.size() && IsBlank(text[value])) ++value;
    if (value >= text.size() || (text[value] != '"' && text[value] != '\'')) continue;
    const std::size_t close = text.find(text[value], value + 1);
    if (close != std::string_view::npos) i = close;
  }
  return std::nullopt;
}

}  // namespace

std::size_t MarkupScanner::CommentClose(std::size_t from) {
  // A search from an earlier place answers for `from` too, unless what it
  // found lies before `from`.
  const bool known = close_searched_from_ <= from && (close_ == std::string_view::npos || close_ >= from);
  if (!known) {
    close_searched_from_ = from;
    close_ = text_.find(kCommentClose, from);
  }
  return close_;
}

std::optional<MarkupPiece> MarkupScanner::Next() {
  for (std::size_t open = text_.find('<', position_); open != std::string_view::npos;
       open = text_.find('<', open + 1)) {
    std::optional<std::size_t> end;
    if (text_.substr(open, kCommentOpen.size()) == kCommentOpen) {
      // "<!-->" closes at once: the search for "-->" starts inside "<!--".
      const std::size_t close = CommentClose(open + 2);
      if (close != std::string_view::npos) end = close + kCommentClose.size();
    }
    if (!end && open + 1 < text_.size() && StartsTag(text_[open + 1])) end = TagEnd(text_, open);
    if (end) {
      position_ = *end;
      return MarkupPiece{open, *end};
    }
  }
  position_ = text_.size();
  return std::nullopt;
}

}  // namespace tagsling::texttools
