#include "abbrev/AbbrevSyntax.h"

#include <algorithm>
#include <cstdio>

#include "abbrev/HtmlElements.h"
#include "common/Sjis.h"

namespace tagsling::abbrev {

// ------------------------------------------------------------ NumberedText

void NumberedText::AppendLiteral(std::string_view bytes) {
  if (bytes.empty()) return;
  if (!pieces_.empty() && !pieces_.back().number) {
    pieces_.back().literal.append(bytes);
  } else {
    pieces_.push_back({std::string(bytes), std::nullopt});
  }
}

void NumberedText::AppendNumber(const CopyNumber& number) { pieces_.push_back({std::string(), number}); }

void NumberedText::Append(const NumberedText& other) {
  for (const Piece& piece : other.pieces_) {
    if (piece.number) {
      AppendNumber(*piece.number);
    } else {
      AppendLiteral(piece.literal);
    }
  }
}

bool NumberedText::HasNumbers() const {
  for (const Piece& piece : pieces_) {
    if (piece.number) return true;
  }
  return false;
}

std::string NumberedText::Literal() const {
  std::string text;
  for (const Piece& piece : pieces_) text += piece.literal;
  return text;
}

// ------------------------------------------------------------- attributes

void AddAttribute(Node& element, Attribute attribute) {
  const bool plain_name = !attribute.name.HasNumbers();
  const std::string name = attribute.name.Literal();
  if (plain_name && EqualsIgnoringCase(name, "id")) {
    element.id = std::move(attribute.value);
    return;
  }
  if (plain_name && EqualsIgnoringCase(name, "class")) {
    if (attribute.value.empty()) {
      element.class_written = true;
    } else {
      element.classes.push_back(std::move(attribute.value));
    }
    return;
  }
  if (plain_name) {
    for (Attribute& existing : element.attributes) {
      if (!existing.name.HasNumbers() && EqualsIgnoringCase(existing.name.Literal(), name)) {
        existing.value = std::move(attribute.value);
        return;
      }
    }
  }
  element.attributes.push_back(std::move(attribute));
}

// ----------------------------------------------------------------- parser

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsControl(unsigned char c) { return c < 0x20; }

bool IsNameCharacter(char c) { return IsAsciiLetter(c) || IsDigit(c) || c == '-' || c == ':' || c == '!'; }

// Characters that end an id or a class: syntax, quotes and what would break
// the attribute value it lands in.
constexpr std::string_view kWordStops = "#.[]{}()>+^*\"'<=\\`";
// Characters that end an attribute name.
constexpr std::string_view kAttributeNameStops = "=[]\"'<>/{}";

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::vector<Node> Parse() {
    if (text_.size() > kMaxAbbreviationBytes) {
      throw AbbrevError("the abbreviation is longer than " + std::to_string(kMaxAbbreviationBytes) + " bytes");
    }
    if (text_.empty()) throw AbbrevError("the abbreviation is empty");
    std::vector<Node> items = Sequence(0, 1);
    if (!AtEnd()) Fail(pos_, "')' without a matching '('");
    return items;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return text_[pos_]; }
  // 1-based character number of byte `at` (a character boundary). Every
  // item asks for its start, in increasing order, so the count goes on from
  // the last answer: linear in all.
  std::size_t CharNumber(std::size_t at) const {
    if (at < counted_bytes_) counted_bytes_ = counted_chars_ = 0;
    counted_chars_ += SjisCharCount(text_.substr(counted_bytes_, at - counted_bytes_));
    counted_bytes_ = at;
    return counted_chars_ + 1;
  }

  [[noreturn]] void Fail(std::size_t at, const std::string& what) const {
    throw AbbrevError("character " + std::to_string(CharNumber(at)) + ": " + what);
  }

  // The character at `at`, for messages: "'x'", "space", "line break"...
  std::string Describe(std::size_t at) const {
    if (at >= text_.size()) return "the end";
    const unsigned char c = static_cast<unsigned char>(text_[at]);
    if (c == ' ') return "space";
    if (c == '\t') return "tab";
    if (c == '\r' || c == '\n') return "line break";
    if (IsControl(c) || c == 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "0x%02X", c);
      return std::string("character ") + code;
    }
    std::string quoted = "'";
    quoted.append(text_.substr(at, SjisCharLength(text_, at)));
    return quoted.append("'");
  }

  // Items joined by operators, up to the end or a ")" (left for the caller).
  std::vector<Node> Sequence(int group_depth, int depth) {
    struct Level {
      std::vector<Node>* items;
      int depth;
    };
    std::vector<Node> top;
    // The child lists that are open, outermost first. Only the last one
    // grows while those after it exist, so the pointers stay valid.
    std::vector<Level> levels{{&top, depth}};
    for (;;) {
      const Level level = levels.back();
      level.items->push_back(Item(group_depth, level.depth));
      if (AtEnd() || Peek() == ')') return top;
      const std::size_t op_at = pos_;
      const char op = Peek();
      if (op == '+') {
        ++pos_;
      } else if (op == '>') {
        ++pos_;
        Node* parent = &level.items->back();
        while (parent->kind == NodeKind::kGroup) parent = &parent->children.back();
        if (parent->kind == NodeKind::kText) Fail(op_at, "a text cannot have child elements");
        if (level.depth + 1 > kMaxNesting) Fail(op_at, "nesting deeper than 100 levels");
        levels.push_back({&parent->children, level.depth + 1});
      } else if (op == '^') {
        std::size_t climbs = 0;
        while (!AtEnd() && Peek() == '^') {
          ++pos_;
          ++climbs;
        }
        // Climbing past the top of the sequence (a group's own top inside
        // a group) stops there.
        levels.resize(levels.size() - std::min(climbs, levels.size() - 1));
      } else {
        Fail(pos_, "unexpected " + Describe(pos_));
      }
      if (AtEnd() || Peek() == ')') Fail(op_at, std::string("nothing follows '") + op + "'");
    }
  }

  Node Item(int group_depth, int depth) {
    const std::size_t start = pos_;
    Node node;
    node.position = CharNumber(start);
    if (!AtEnd() && Peek() == '(') {
      if (group_depth + 1 > kMaxNesting) Fail(start, "groups nested deeper than 100 levels");
      ++pos_;
      if (!AtEnd() && Peek() == ')') Fail(start, "an empty group");
      node.kind = NodeKind::kGroup;
      node.children = Sequence(group_depth + 1, depth);
      if (AtEnd()) Fail(start, "'(' without a matching ')'");
      ++pos_;
      Repeat(node);
    } else {
      Element(node);
    }
    return node;
  }

  // A name, then id, classes, attributes and text in any order, before and
  // after the repeat ("li*3{Item $}", "td.x*2[title=t]").
  void Element(Node& node) {
    const std::size_t start = pos_;
    node.name = Name();
    bool modifiers = false;
    bool has_text = false;
    NumberedText text;
    Modifiers(node, modifiers, has_text, text);
    Repeat(node);
    if (node.repeat > 0 || node.repeat_per_line) Modifiers(node, modifiers, has_text, text);
    if (node.name.empty() && !modifiers) {
      if (!has_text) Fail(start, "expected an element, found " + Describe(start));
      node.kind = NodeKind::kText;
      node.text = std::move(text);
      return;
    }
    if (!text.empty()) {
      Node child;
      child.kind = NodeKind::kText;
      child.position = node.position;
      child.text = std::move(text);
      node.children.push_back(std::move(child));
    }
  }

  void Modifiers(Node& node, bool& modifiers, bool& has_text, NumberedText& text) {
    while (!AtEnd()) {
      const std::size_t at = pos_;
      const char c = Peek();
      if (c == '#' || c == '.') {
        ++pos_;
        NumberedText word = Word();
        if (word.empty()) Fail(at, c == '#' ? "an empty id after '#'" : "an empty class name after '.'");
        if (c == '#') {
          node.id = std::move(word);
        } else {
          node.classes.push_back(std::move(word));
        }
        modifiers = true;
      } else if (c == '[') {
        Attributes(node);
        modifiers = true;
      } else if (c == '{') {
        text.Append(Text());
        has_text = true;
      } else {
        return;
      }
    }
  }

  void Repeat(Node& node) {
    if (AtEnd() || Peek() != '*') return;
    const std::size_t at = pos_++;
    if (AtEnd() || !IsDigit(Peek())) {
      node.repeat_per_line = true;
      return;
    }
    int count = 0;
    while (!AtEnd() && IsDigit(Peek())) {
      if (count <= kMaxRepeat) count = count * 10 + (Peek() - '0');
      ++pos_;
    }
    if (count < 1 || count > kMaxRepeat) Fail(at, "the repeat count must be from 1 to 1000");
    node.repeat = count;
  }

  NumberedText Name() {
    NumberedText name;
    while (!AtEnd()) {
      if (Peek() == '$') {
        name.AppendNumber(Number());
      } else if (IsNameCharacter(Peek())) {
        name.AppendLiteral(text_.substr(pos_++, 1));
      } else {
        break;
      }
    }
    return name;
  }

  NumberedText Word() {
    NumberedText word;
    while (!AtEnd()) {
      const unsigned char c = static_cast<unsigned char>(Peek());
      if (c == '$') {
        word.AppendNumber(Number());
        continue;
      }
      if (IsControl(c) || c == ' ' || kWordStops.find(static_cast<char>(c)) != std::string_view::npos) break;
      const std::size_t length = SjisCharLength(text_, pos_);
      word.AppendLiteral(text_.substr(pos_, length));
      pos_ += length;
    }
    return word;
  }

  // "{...}" with its escapes.
  NumberedText Text() {
    const std::size_t open = pos_++;
    NumberedText text;
    for (;;) {
      if (AtEnd()) Fail(open, "'{' without a matching '}'");
      const char c = Peek();
      if (c == '}') {
        ++pos_;
        return text;
      }
      if (c == '\\' && pos_ + 1 < text_.size() &&
          std::string_view("{}\\$").find(text_[pos_ + 1]) != std::string_view::npos) {
        text.AppendLiteral(text_.substr(pos_ + 1, 1));
        pos_ += 2;
        continue;
      }
      if (c == '$') {
        text.AppendNumber(Number());
        continue;
      }
      const std::size_t length = SjisCharLength(text_, pos_);
      text.AppendLiteral(text_.substr(pos_, length));
      pos_ += length;
    }
  }

  void Attributes(Node& node) {
    const std::size_t open = pos_++;
    bool any = false;
    for (;;) {
      while (!AtEnd() && IsBlank(Peek())) ++pos_;
      if (AtEnd()) Fail(open, "'[' without a matching ']'");
      if (Peek() == ']') {
        if (!any) Fail(open, "no attribute inside '[]'");
        ++pos_;
        return;
      }
      Attribute attribute;
      attribute.name = AttributeName();
      if (attribute.name.empty()) {
        Fail(pos_, Peek() == '=' ? std::string("an attribute name is missing before '='")
                                 : "unexpected " + Describe(pos_) + " in '[...]'");
      }
      if (!AtEnd() && Peek() == '=') {
        ++pos_;
        attribute.value = AttributeValue();
      }
      if (!AtEnd() && !IsBlank(Peek()) && Peek() != ']') Fail(pos_, "unexpected " + Describe(pos_) + " in '[...]'");
      AddAttribute(node, std::move(attribute));
      any = true;
    }
  }

  NumberedText AttributeName() {
    NumberedText name;
    while (!AtEnd()) {
      const unsigned char c = static_cast<unsigned char>(Peek());
      if (c == '$') {
        name.AppendNumber(Number());
        continue;
      }
      if (IsControl(c) || c == ' ' || c == 0x7F ||
          kAttributeNameStops.find(static_cast<char>(c)) != std::string_view::npos) {
        break;
      }
      const std::size_t length = SjisCharLength(text_, pos_);
      name.AppendLiteral(text_.substr(pos_, length));
      pos_ += length;
    }
    return name;
  }

  NumberedText AttributeValue() {
    NumberedText value;
    const std::size_t open = pos_;
    const char quote = AtEnd() ? '\0' : Peek();
    const bool quoted = quote == '"' || quote == '\'';
    if (quoted) ++pos_;
    for (;;) {
      if (AtEnd()) {
        if (quoted) Fail(open, "a quote without its closing quote");
        return value;
      }
      const char c = Peek();
      if (quoted ? c == quote : (IsBlank(c) || c == ']')) {
        if (quoted) ++pos_;
        return value;
      }
      if (c == '\\' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '$') {
        value.AppendLiteral("$");
        pos_ += 2;
        continue;
      }
      if (c == '$') {
        value.AppendNumber(Number());
        continue;
      }
      const std::size_t length = SjisCharLength(text_, pos_);
      value.AppendLiteral(text_.substr(pos_, length));
      pos_ += length;
    }
  }

  // "$$$@-5" and its shorter forms.
  CopyNumber Number() {
    const std::size_t at = pos_;
    CopyNumber number;
    number.width = 0;
    while (!AtEnd() && Peek() == '$') {
      ++number.width;
      ++pos_;
    }
    if (AtEnd() || Peek() != '@') return number;
    ++pos_;
    if (!AtEnd() && Peek() == '-') {
      number.descending = true;
      ++pos_;
    }
    if (AtEnd() || !IsDigit(Peek())) return number;
    std::uint64_t base = 0;
    while (!AtEnd() && IsDigit(Peek())) {
      if (base <= kMaxNumberBase) base = base * 10 + static_cast<std::uint64_t>(Peek() - '0');
      ++pos_;
    }
    if (base > kMaxNumberBase) Fail(at, "the number after '$@' is larger than " + std::to_string(kMaxNumberBase));
    number.base = base;
    return number;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  mutable std::size_t counted_bytes_ = 0;
  mutable std::size_t counted_chars_ = 0;
};

}  // namespace

std::vector<Node> ParseAbbreviation(std::string_view abbreviation) { return Parser(abbreviation).Parse(); }

}  // namespace tagsling::abbrev
