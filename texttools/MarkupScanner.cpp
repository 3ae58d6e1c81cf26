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

std::optional<MarkupPiece> FindMarkup(std::string_view text, std::size_t from) {
  for (std::size_t open = text.find('<', from); open != std::string_view::npos; open = text.find('<', open + 1)) {
    if (text.substr(open, kCommentOpen.size()) == kCommentOpen) {
      // "<!-->" closes at once: the search for "-->" starts inside "<!--".
      const std::size_t close = text.find(kCommentClose, open + 2);
      if (close != std::string_view::npos) return MarkupPiece{open, close + kCommentClose.size()};
    }
    if (open + 1 >= text.size() || !StartsTag(text[open + 1])) continue;
    if (std::optional<std::size_t> end = TagEnd(text, open)) return MarkupPiece{open, *end};
  }
  return std::nullopt;
}

}  // namespace tagsling::texttools
