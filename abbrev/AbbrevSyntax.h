#pragma once
// The syntax tree of an abbreviation and its parser.
//
// Grammar (bytes of code page 932; a double-byte character is read whole,
// so a trail byte that looks like "}" or "\" never ends or escapes anything):
//
//   abbreviation := sequence                       (nothing may follow)
//   sequence     := item ( operator item )*
//   operator     := ">" | "+" | "^"+
//   item         := "(" sequence ")" repeat? | element
//   element      := name? modifier* ( repeat modifier* )?
//                   (a name or at least one modifier; text alone is a text node)
//   modifier     := "#" word | "." word | attributes | text
//   repeat       := "*" digits?                    (1 to 1000; no digits: once
//                                                   per line of a wrapped selection)
//   name         := ( letter | digit | "-" | ":" | "!" | number )+
//   word         := any character but blanks, controls and # . [ ] { } ( ) > + ^ * " ' < = \ `
//   attributes   := "[" blank* ( attribute blank* )+ "]"
//   attribute    := attribute-name ( "=" ( '"' ... '"' | "'" ... "'" | unquoted ) )?
//   text         := "{" ... "}"    ("\}", "\{", "\\" and "\$" stand for the character)
//   number       := "$"+ ( "@" "-"? digits? )?
//
// ">" makes the next item a child of the last item (of a group's last item);
// "^" climbs one level per "^" and stops at the top of the sequence (group)
// it is written in. "$" inside names, ids, classes, attribute names and
// values and text is a copy number of the nearest repeat; in attribute values
// and text "\$" is a literal "$". Nothing else in a value or text is special:
// "&lt;" or "<b>" pass through as written.
//
// The parser reads left to right once, keeping a stack of the open child
// lists; it recurses only into groups. Cost: linear in the abbreviation.
// Limits that keep a hostile abbreviation from costing time or memory:
// kMaxAbbreviationBytes of input, repeat counts of 1 to kMaxRepeat, element
// nesting and group nesting of at most kMaxNesting levels each, and numbers
// after "$@" of at most kMaxNumberBase. Every violation throws AbbrevError
// with the character where it was found.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tagsling::abbrev {

inline constexpr std::size_t kMaxAbbreviationBytes = 10000;
inline constexpr int kMaxRepeat = 1000;
inline constexpr int kMaxNesting = 100;
inline constexpr std::uint64_t kMaxNumberBase = 999999999;

// A refusal: the message says what is wrong and, when it can, where.
class AbbrevError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "$$$@-5": width 3 (zero-padded), counting down, ending at 5.
struct CopyNumber {
  std::size_t width = 1;
  bool descending = false;
  std::uint64_t base = 1;
};

// Text that may hold copy numbers.
class NumberedText {
 public:
  struct Piece {
    std::string literal;               // when number is empty
    std::optional<CopyNumber> number;  // a copy number in place of text
  };

  void AppendLiteral(std::string_view bytes);
  void AppendNumber(const CopyNumber& number);
  void Append(const NumberedText& other);

  bool empty() const { return pieces_.empty(); }
  bool HasNumbers() const;
  // The literal parts run together (the whole text when it has no numbers).
  std::string Literal() const;
  const std::vector<Piece>& pieces() const { return pieces_; }

 private:
  std::vector<Piece> pieces_;  // no empty literal; adjacent literals merged
};

struct Attribute {
  NumberedText name;
  NumberedText value;
};

enum class NodeKind {
  kElement,    // <name ...>...</name>
  kText,       // {text} on its own, or the text of an element (its first child)
  kGroup,      // ( ... ): its items in `children`
  kTemplate,   // a snippet given as template text, split at its placeholders
  kSelection,  // where a wrapped selection goes (added by the expander)
  kLine,       // where one line of a wrapped selection goes (added by the expander)
  kLorem,      // placeholder text of `words` words ("lorem", made by the expander)
};

// The chain of snippets a node was expanded from, innermost first.
struct SnippetOrigin {
  std::string name;
  std::shared_ptr<const SnippetOrigin> outer;
  int depth = 1;
};

struct Node {
  NodeKind kind = NodeKind::kElement;
  std::size_t position = 0;                     // 1-based character of its start, for messages
  std::shared_ptr<const SnippetOrigin> origin;  // null: written by the user

  // Elements, as written. An empty name is filled in by the expander.
  NumberedText name;
  std::optional<NumberedText> id;
  std::vector<NumberedText> classes;  // in order; "[class=...]" adds one too
  bool class_written = false;         // "[class]" with no value
  std::vector<Attribute> attributes;  // other attributes, one per name, in order

  NumberedText text;      // kText
  std::size_t words = 0;  // kLorem

  int repeat = 0;                // "*N": 1 to kMaxRepeat; 0 when not repeated
  bool repeat_per_line = false;  // "*" without a number

  // Element content (a text first when written) or a group's items. The
  // expander's kSelection or kLine node comes last.
  std::vector<Node> children;

  // kTemplate: the text between placeholders (CR LF and tabs in place);
  // kSelection: segments[0] is the selection.
  std::vector<std::string> segments;

  // Filled in by the expander.
  bool is_void = false;
  bool is_inline = false;    // stays on its parent's line
  bool verbatim = false;     // kSelection: inserted exactly as it stands
  bool feeds_lines = false;  // its copies hold the wrapped selection's lines
  std::vector<Attribute> output_attributes;

  bool HasModifiers() const { return id || !classes.empty() || class_written || !attributes.empty(); }
};

// Adds a written attribute: "id" and "class" (any letter case) set the id
// and add a class; any other name replaces the value of an earlier
// attribute of that name, or is added after the others.
void AddAttribute(Node& element, Attribute attribute);

// Parses an abbreviation; throws AbbrevError.
std::vector<Node> ParseAbbreviation(std::string_view abbreviation);

}  // namespace tagsling::abbrev
