#pragma once
// Abbreviations: "ul>li.item$*3" expanded into the HTML it describes, and a
// selection wrapped in the HTML of an abbreviation.
//
// The language (grammar in AbbrevSyntax.h): elements by name, "#id",
// ".class", "[attr=value ...]", "{text}", ">" child, "+" sibling, "^" up a
// level, "*N" repeat, "( )" groups, "$" copy numbers ("$$$" zero-padded,
// "$@-" counting down, "$@N" from N, "$@-N" down to N), and snippets
// (Snippets.h), "lorem"/"loremN" placeholder text (Lorem.h). An element
// written without a name gets one from its parent (ImplicitElementName).
// Attributes come out as id, class (the classes joined by one space), then
// the others: the element's defaults ("a" href, "img" src and alt, "input"
// type="text", "link" rel="stylesheet" and href, "form" action, "label"
// for, except on a label that holds its control) in their places, replaced
// by written ones of the same name, then the written ones in the order
// written. A '"' in a value comes out as
// "&quot;"; nothing else is escaped. Void elements get no closing tag and no
// "/". Names keep the letter case they were written in.
//
// Algorithm, in four passes over the tree:
// 1. Parse (AbbrevSyntax.cpp).
// 2. Resolve: snippets are replaced by their parsed abbreviation (a group
//    carrying the usage's repeat, its modifiers merged into the snippet's
//    single element, its children given to the snippet's last element) or
//    by a template node; a snippet name met again inside its own expansion
//    is a plain element, so snippets cannot recurse. Missing names, void
//    elements and the output attribute lists are settled here.
// 3. Wrap (WrapSelection only): the first item repeated with a bare "*"
//    repeats once per non-blank line of the selection, each copy holding
//    its line (trimmed); without one, the whole selection goes into the
//    innermost element (the last item, then its last child, as deep as an
//    element can hold content), in the last copy of every numbered repeat
//    around it only. Then every node learns whether it is inline.
// 4. Render straight into the output, copies and all: block elements each
//    on their own line with their children one tab deeper, inline elements
//    and text on their parent's line, CR LF between lines. The caret goes to
//    the first empty attribute value or empty element content, or to a
//    template's "%SELSTR%"; at the end when there is none.
//
// Costs: parsing and resolving are linear in the abbreviation plus the
// snippets it uses; rendering is linear in the output. Nothing is ever
// built bigger than the output: a repeat is rendered copy by copy. Limits
// keep every input cheap: the parser's (AbbrevSyntax.h), at most
// kMaxOutputBytes of output, at most kMaxParts elements, texts and group
// copies rendered, at most kMaxResolvedNodes nodes after snippets, snippet
// chains at most kMaxNesting deep, and the text of every snippet use and
// lorem word together at most kMaxOutputBytes, counted before it is
// parsed or split (each comes out at least once), so that long snippets
// used many times are refused after at most that much work. A violation refuses the whole
// abbreviation with a message: no partial output.
//
// Every string is a code page 932 byte string. Text that code page cannot
// hold travels as texttools/LosslessSjis tokens; the expander never splits,
// reorders or changes them, so such text in a selection or in "{text}" comes
// out as it went in.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "abbrev/AbbrevSyntax.h"
#include "abbrev/Snippets.h"

namespace tagsling::abbrev {

inline constexpr std::size_t kMaxOutputBytes = 1 << 20;
inline constexpr std::size_t kMaxParts = 1 << 18;
inline constexpr std::size_t kMaxResolvedNodes = 50000;

struct Expansion {
  std::string text;  // the HTML, lines ending in CR LF (none after the last)
  // Where the caret goes: a byte offset into text (text.size() when there
  // is no place to fill), and the number of Left presses that take it
  // there from the end of the pasted text (texttools::CaretStopCount of
  // the rest of the text: CR LF counts one, a double-byte character one).
  std::size_t caret = 0;
  std::size_t cursor_back = 0;
};

// An expansion, or why there is none.
struct AbbrevResult {
  std::optional<Expansion> expansion;
  std::string error;  // set when expansion is empty

  explicit operator bool() const { return expansion.has_value(); }
};

// Expands an abbreviation exactly as written (no surrounding blanks).
AbbrevResult ExpandAbbreviation(std::string_view abbreviation, const SnippetSources& sources);

// The expand command's transformation of the captured selection. Blanks and
// line breaks around the abbreviation stay where they were, and the
// expansion's lines are indented like the selection's last line before it
// (the blanks after its last line break), so an abbreviation selected from
// the start of an indented line expands at that indentation.
AbbrevResult ExpandSelection(std::string_view selection, const SnippetSources& sources);

// The wrap command's transformation: `selection` wrapped in the HTML of
// `abbreviation`. The blanks before the selection's first line come first
// and indent the result; a line break ending the selection comes after it.
// In the innermost element the rest of the selection becomes the content:
// one line stays on the element's line; several lines go on lines of their
// own, indented one tab deeper than the element (the first line's
// indentation taken off every line that has it), except in "pre",
// "textarea" and template snippets, which get the text exactly. A numbered
// repeat ("ul>li*2") holds it in its last copy only. With a bare "*" each
// non-blank line, without its surrounding blanks, fills one copy.
AbbrevResult WrapSelection(std::string_view selection, std::string_view abbreviation, const SnippetSources& sources);

}  // namespace tagsling::abbrev
