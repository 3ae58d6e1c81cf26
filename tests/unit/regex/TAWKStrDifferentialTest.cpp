// Randomized differential test: small random patterns over a little alphabet
// (ASCII letters, "^" and "$", CR, LF, double-byte characters whose trail
// bytes look like "a" and "\") are matched by TAWKStr and by a deliberately
// simple reference that tries every start position and computes every end
// position directly on the pattern's syntax tree. Both must agree on Match
// and on GSub results, on short random texts and on texts that put pattern
// characters right after runs of lead bytes or inside double-byte
// characters (where a byte scan for candidates would find them).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/Sjis.h"
#include "regex/TAWKStr.h"
#include "regex/TREParseTree.h"

namespace tagsling::regex {
namespace {

// ---- Reference matcher -------------------------------------------------

struct Node;
using NodePtr = std::shared_ptr<Node>;
struct Node {
  enum Kind { Lit, Class, NegClass, Any, Head, Tail, Concat, Union, Star, Plus, Opt, Empty } kind;
  std::uint16_t code = 0;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> items;
  NodePtr a, b;
};

struct Text {
  std::string bytes;
  std::size_t length;  // up to the first NUL
  char separator;

  bool Lead(std::size_t i) const {
    return tagsling::IsSjisLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < length;
  }
  std::size_t CharLen(std::size_t i) const { return Lead(i) ? 2 : 1; }
  std::uint16_t CodeAt(std::size_t i) const {
    auto byte = static_cast<unsigned char>(bytes[i]);
    return Lead(i) ? static_cast<std::uint16_t>(byte << 8 | static_cast<unsigned char>(bytes[i + 1])) : byte;
  }
  // Where "^" holds in the current search: at its first position when the
  // byte before is a line feed (or it is the text start), and further on
  // after every line feed that is a character of its own (a trail byte 0x0A
  // of a double-byte character ends no line there).
  std::vector<bool> line_starts;
  void StartSearch(std::size_t from) {
    line_starts.assign(length + 1, false);
    line_starts[from] = from == 0 || bytes[from - 1] == '\n';
    for (std::size_t j = from; j < length; j += CharLen(j))
      if (CharLen(j) == 1 && bytes[j] == '\n') line_starts[j + 1] = true;
  }
  bool LineStart(std::size_t i) const { return line_starts[i]; }
  bool LineEnd(std::size_t i) const { return i == length || bytes[i] == separator; }
};

bool InAny(std::uint16_t c) {
  for (const TRERange& r : kAnyCharRanges)
    if (c >= r.lo && c <= r.hi) return true;
  return false;
}

bool InItems(const Node& n, std::uint16_t c) {
  for (const auto& [lo, hi] : n.items)
    if (c >= lo && c <= hi) return true;
  return false;
}

using Ends = std::set<std::size_t>;

Ends EndsOf(const Node& n, const Text& t, std::size_t i, bool at_start, bool at_end);

Ends Char(const Text& t, std::size_t i, bool accept) { return accept ? Ends{i + t.CharLen(i)} : Ends{}; }

Ends StarEnds(const Node& operand, const Text& t, std::size_t i) {
  Ends reached{i};
  std::vector<std::size_t> todo{i};
  while (!todo.empty()) {
    std::size_t j = todo.back();
    todo.pop_back();
    for (std::size_t k : EndsOf(operand, t, j, false, false))
      if (reached.insert(k).second) todo.push_back(k);
  }
  return reached;
}

Ends EndsOf(const Node& n, const Text& t, std::size_t i, bool at_start, bool at_end) {
  bool more = i < t.length;
  switch (n.kind) {
    case Node::Lit:
      return Char(t, i, more && t.CodeAt(i) == n.code);
    case Node::Class:
      return Char(t, i, more && InItems(n, t.CodeAt(i)));
    case Node::NegClass:
      return Char(t, i, more && InAny(t.CodeAt(i)) && !InItems(n, t.CodeAt(i)));
    case Node::Any:
      return Char(t, i, more && InAny(t.CodeAt(i)));
    case Node::Head:
      if (at_start) return t.LineStart(i) ? Ends{i} : Ends{};
      return Char(t, i, more && t.CodeAt(i) == '^');
    case Node::Tail:
      if (at_end) return t.LineEnd(i) ? Ends{i} : Ends{};
      return Char(t, i, more && t.CodeAt(i) == '$');
    case Node::Concat: {
      Ends out;
      for (std::size_t j : EndsOf(*n.a, t, i, at_start, false))
        for (std::size_t k : EndsOf(*n.b, t, j, false, at_end)) out.insert(k);
      return out;
    }
    case Node::Union: {
      Ends out = EndsOf(*n.a, t, i, at_start, at_end);
      for (std::size_t k : EndsOf(*n.b, t, i, at_start, at_end)) out.insert(k);
      return out;
    }
    case Node::Star:
      return StarEnds(*n.a, t, i);
    case Node::Plus: {
      Ends out;
      for (std::size_t j : EndsOf(*n.a, t, i, at_start, false))
        for (std::size_t k : StarEnds(*n.a, t, j)) out.insert(k);
      return out;
    }
    case Node::Opt: {
      Ends out = EndsOf(*n.a, t, i, at_start, at_end);
      out.insert(i);
      return out;
    }
    case Node::Empty:
      return {i};
  }
  return {};
}

struct Span {
  bool found = false;
  std::size_t start = 0, end = 0;
};

// Leftmost start at or after `from` (by whole characters, the end included)
// with its longest end.
Span RefSearch(const Node& root, Text& t, std::size_t from) {
  t.StartSearch(from);
  for (std::size_t i = from;; i += t.CharLen(i)) {
    Ends ends = EndsOf(root, t, i, true, true);
    if (!ends.empty()) return {true, i, *ends.rbegin()};
    if (i >= t.length) return {};
  }
}

std::pair<std::string, std::size_t> RefGSub(const Node& root, Text& t, const std::string& replacement) {
  std::string result;
  std::size_t count = 0, rest = 0;
  Span match = RefSearch(root, t, 0);
  while (match.found) {
    result += t.bytes.substr(rest, match.start - rest);
    for (char c : replacement)
      result += c == '&' ? t.bytes.substr(match.start, match.end - match.start) : std::string(1, c);
    ++count;
    rest = match.end;
    if (match.start == match.end) {
      if (rest >= t.length) break;
      std::size_t keep = t.CharLen(rest);
      if (t.separator == '\r' && t.bytes[rest] == '\r' && rest + 1 < t.length) keep += t.CharLen(rest + 1);
      result += t.bytes.substr(rest, keep);
      rest += keep;
    }
    if (rest >= t.length) break;
    match = RefSearch(root, t, rest);
  }
  result += t.bytes.substr(rest);
  return {result, count};
}

// ---- Random patterns and texts ----------------------------------------

const std::uint16_t kCodes[] = {'a', 'b', '^', '$', '\r', '\n', 0x82A0, 0x8161, 0x955C};

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  unsigned Below(unsigned n) { return static_cast<unsigned>(random_() % n); }
  std::uint16_t Code() { return kCodes[Below(std::size(kCodes))]; }

  NodePtr Pattern(int depth) {
    auto n = std::make_shared<Node>();
    unsigned pick = depth <= 0 ? Below(6) : Below(12);
    switch (pick) {
      case 0:
      case 1:
        n->kind = Node::Lit;
        n->code = Code();
        break;
      case 2:
        n->kind = Below(2) ? Node::Class : Node::NegClass;
        Items(*n);
        break;
      case 3:
        n->kind = Node::Any;
        break;
      case 4:
        n->kind = Node::Head;
        break;
      case 5:
        n->kind = Below(4) ? Node::Tail : Node::Empty;
        break;
      case 6:
      case 7:
        n->kind = Node::Concat;
        n->a = Pattern(depth - 1);
        n->b = Pattern(depth - 1);
        break;
      case 8:
        n->kind = Node::Union;
        n->a = Pattern(depth - 1);
        n->b = Pattern(depth - 1);
        break;
      case 9:
        n->kind = Node::Star;
        n->a = Pattern(depth - 1);
        break;
      case 10:
        n->kind = Node::Plus;
        n->a = Pattern(depth - 1);
        break;
      default:
        n->kind = Node::Opt;
        n->a = Pattern(depth - 1);
        break;
    }
    return n;
  }

  // Longer texts that stress character boundaries: runs of lead-range
  // bytes of either parity before ASCII, and double-byte characters whose
  // trail bytes are pattern characters ("a", "b", "^", "$", CR, LF, "\").
  Text BoundaryText(char separator) {
    static const unsigned char kLeads[] = {0x81, 0x82, 0x95, 0x9F, 0xE0, 0xFC};
    static const char* const kPieces[] = {"a",
                                          "b",
                                          "^",
                                          "$",
                                          "\r",
                                          "\n",
                                          "\x81"
                                          "a",
                                          "\x81"
                                          "b",
                                          "\x81^",
                                          "\x81$",
                                          "\x82\n",
                                          "\x81\r",
                                          "\x95\\",
                                          "\x82\xa0",
                                          "\x81\x61"};
    Text t;
    unsigned pieces = Below(10);
    for (unsigned i = 0; i < pieces; ++i) {
      if (Below(3) == 0) {
        unsigned run = 1 + Below(9);
        for (unsigned k = 0; k < run; ++k) t.bytes += static_cast<char>(kLeads[Below(std::size(kLeads))]);
      }
      t.bytes += kPieces[Below(std::size(kPieces))];
    }
    if (Below(8) == 0) t.bytes += '\x82';  // a lone lead byte at the end
    t.length = t.bytes.size();
    t.separator = separator;
    return t;
  }

  Text RandomText(char separator) {
    Text t;
    unsigned chars = Below(9);
    for (unsigned i = 0; i < chars; ++i) {
      std::uint16_t code = Code();
      if (code > 0xFF) t.bytes += static_cast<char>(code >> 8);
      t.bytes += static_cast<char>(code & 0xFF);
    }
    if (Below(10) == 0) t.bytes += '\x82';  // a lone lead byte at the end
    t.length = t.bytes.size();
    t.separator = separator;
    return t;
  }

 private:
  void Items(Node& n) {
    unsigned count = 1 + Below(3);
    for (unsigned i = 0; i < count; ++i) {
      switch (Below(4)) {
        case 0:
          n.items.emplace_back('a', 'b');
          break;
        case 1:
          n.items.emplace_back(0x8140, 0x82FF);
          break;
        default: {
          std::uint16_t c = Code();
          n.items.emplace_back(c, c);
        }
      }
    }
  }

  std::mt19937 random_;
};

// ---- Rendering the tree as pattern text -------------------------------

std::string Char(std::uint16_t code, bool in_class) {
  if (code == '\r') return "\\r";
  if (code == '\n') return "\\n";
  std::string out;
  const std::string special = in_class ? "]\\-^" : "|()*+?[].^$\\";
  if (code < 0x80 && special.find(static_cast<char>(code)) != std::string::npos) out += '\\';
  if (code > 0xFF) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
  return out;
}

std::string Render(const Node& n);

// "(" + text + ")" without operator+ on a literal, which GCC 12 at -O3
// warns about falsely.
std::string Group(const std::string& text) {
  std::string out(1, '(');
  out += text;
  out += ')';
  return out;
}

std::string Atom(const Node& n) {
  switch (n.kind) {
    case Node::Lit:
    case Node::Class:
    case Node::NegClass:
    case Node::Any:
    case Node::Head:
    case Node::Tail:
      return Render(n);
    default:
      return Group(Render(n));
  }
}

std::string Render(const Node& n) {
  switch (n.kind) {
    case Node::Lit:
      return Char(n.code, false);
    case Node::Class:
    case Node::NegClass: {
      std::string out = n.kind == Node::Class ? "[" : "[^";
      for (const auto& [lo, hi] : n.items) out += lo == hi ? Char(lo, true) : Char(lo, true) + "-" + Char(hi, true);
      return out + "]";
    }
    case Node::Any:
      return ".";
    case Node::Head:
      return "^";
    case Node::Tail:
      return "$";
    case Node::Empty:
      return "()";
    case Node::Concat: {
      auto part = [](const Node& x) { return x.kind == Node::Union ? Group(Render(x)) : Render(x); };
      return part(*n.a) + part(*n.b);
    }
    case Node::Union:
      return Render(*n.a) + "|" + Render(*n.b);
    case Node::Star:
      return Atom(*n.a) + "*";
    case Node::Plus:
      return Atom(*n.a) + "+";
    case Node::Opt:
      return Atom(*n.a) + "?";
  }
  return "";
}

std::string Printable(const std::string& s) {
  std::string out;
  char buffer[8];
  for (unsigned char c : s) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
      out += buffer;
    }
  }
  return out;
}

// Match and GSub of one pattern on one text, compared with the reference.
void ExpectAgreement(TAWKStr& awk, const Node& root, const std::string& pattern, Text text, bool lf) {
  std::string where = "pattern " + Printable(pattern) + " text " + Printable(text.bytes) + (lf ? " LF" : " CRLF");
  Span expected = RefSearch(root, text, 0);
  std::size_t position = 0, length = 0;
  awk.Match(text.bytes, position, length);
  ASSERT_EQ(position, expected.found ? expected.start + 1 : 0) << where;
  ASSERT_EQ(length, expected.found ? expected.end - expected.start : 0) << where;

  auto [ref_text, ref_count] = RefGSub(root, text, "<&>");
  std::string actual = text.bytes;
  std::size_t count = awk.GSub("<&>", actual);
  ASSERT_EQ(Printable(actual), Printable(ref_text)) << where;
  ASSERT_EQ(count, ref_count) << where;
}

TEST(TAWKStrDifferentialTest, AgreesOnCharacterBoundaries) {
  Generator gen(20240921);
  TAWKStr awk;
  for (int round = 0; round < 1500; ++round) {
    NodePtr root = gen.Pattern(static_cast<int>(gen.Below(4)));
    std::string pattern = Render(*root);
    bool lf = gen.Below(3) == 0;
    awk.SetLineSeparator(lf ? kLF : kCRLF);
    ASSERT_NO_THROW(awk.SetRegExp(pattern)) << Printable(pattern);
    for (int k = 0; k < 4; ++k) {
      ExpectAgreement(awk, *root, pattern, gen.BoundaryText(lf ? '\n' : '\r'), lf);
      if (HasFatalFailure()) return;
    }
  }
}

TEST(TAWKStrDifferentialTest, AgreesWithTheReferenceMatcher) {
  Generator gen(20240607);
  TAWKStr awk;
  int compared = 0;
  for (int round = 0; round < 4000; ++round) {
    NodePtr root = gen.Pattern(static_cast<int>(gen.Below(5)));
    std::string pattern = Render(*root);
    bool lf = gen.Below(3) == 0;
    awk.SetLineSeparator(lf ? kLF : kCRLF);
    ASSERT_NO_THROW(awk.SetRegExp(pattern)) << Printable(pattern);
    for (int k = 0; k < 6; ++k) {
      ExpectAgreement(awk, *root, pattern, gen.RandomText(lf ? '\n' : '\r'), lf);
      if (HasFatalFailure()) return;
      ++compared;
    }
  }
  EXPECT_EQ(compared, 24000);
}

}  // namespace
}  // namespace tagsling::regex
