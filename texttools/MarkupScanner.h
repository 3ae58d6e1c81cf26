#pragma once
// Finds the pieces of HTML markup in a text the way a browser's tokenizer
// tells markup from text, so that tag deletion removes tags and never text
// such as "a < b", "x <= 3", "<(_ _)>" or "zpipe < in > out".
//
// - A tag starts at "<" only when an ASCII letter, "/", "!" or "?" follows
//   and runs to the first ">" outside a quoted attribute value. A value is
//   quoted when a quote follows "=" (blanks between allowed) and the same
//   quote closes it later; it may hold ">" and "<". A quote that is never
//   closed is an ordinary character, so a typo never swallows the rest.
// - An unquoted "<" inside a would-be tag means it was no tag: the scan goes
//   on from the next character, so "<<b>i>" yields "<b>" and, once that is
//   gone, "<i>".
// - A comment is one piece from "<!--" to the first "-->" after it ("<!-->"
//   is an empty comment), whatever it holds: markup, ">" or conditional
//   comments. A "<!--" without a closing "-->" is scanned like a tag.
// - A "<" with no ">" to end it is text.
//
// The text is code page 932 bytes. Every byte the scan looks at ("<", ">",
// quotes, "=", blanks, "-", "!", "?", "/") is below 0x40, the smallest
// trail byte, so it is always a character of its own; the byte after "<" is
// always the first byte of a character, so an ASCII letter there is one.
// Cost: about linear in the text; the scanner remembers where the next "-->"
// is, so many unclosed comments do not each search to the end.

#include <cstddef>
#include <optional>
#include <string_view>

namespace tagsling::texttools {

struct MarkupPiece {
  std::size_t begin = 0;
  std::size_t end = 0;  // one past the closing ">"
  bool operator==(const MarkupPiece&) const = default;
};

// The pieces of markup of a text, left to right. The text must outlive the
// scanner.
class MarkupScanner {
 public:
  explicit MarkupScanner(std::string_view text) : text_(text) {}

  // The next piece, or nullopt when none is left.
  std::optional<MarkupPiece> Next();

 private:
  // The first "-->" at or after `from`, or npos.
  std::size_t CommentClose(std::size_t from);

  std::string_view text_;
  std::size_t position_ = 0;
  // The last search for "-->": where it started and what it found.
  std::size_t close_searched_from_ = std::string_view::npos;
  std::size_t close_ = std::string_view::npos;
};

}  // namespace tagsling::texttools
