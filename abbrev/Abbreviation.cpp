#include "abbrev/Abbreviation.h"

#include <algorithm>
#include <map>
#include <memory>
#include <span>

#include "abbrev/HtmlElements.h"
#include "abbrev/Lorem.h"
#include "core/Templates.h"
#include "texttools/LosslessSjis.h"

namespace tagsling::abbrev {

namespace {

// Groups may nest kMaxNesting deep as written; snippets add their own.
constexpr int kMaxGroupNesting = 2 * kMaxNesting;

[[noreturn]] void FailAt(const Node& node, const std::string& what) {
  std::string where = "character " + std::to_string(node.position) + ": ";
  if (node.origin) where = "in snippet \"" + node.origin->name + "\", " + where;
  throw AbbrevError(where + what);
}

std::string Quoted(std::string_view text) {
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about
  // "literal" + std::string when optimising.
  std::string quoted = "\"";
  quoted.append(text);
  return quoted.append("\"");
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// The lines of `text`, split at CR LF, LF or CR.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if (text[pos] != '\r' && text[pos] != '\n') continue;
    lines.push_back(text.substr(start, pos - start));
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
    start = pos + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string PlainName(const Node& element) {
  return element.name.HasNumbers() ? std::string() : element.name.Literal();
}

NumberedText Literal(std::string_view text) {
  NumberedText result;
  result.AppendLiteral(text);
  return result;
}

std::size_t CountNodes(const std::vector<Node>& items) {
  std::size_t count = items.size();
  for (const Node& item : items) count += CountNodes(item.children);
  return count;
}

void SetOrigin(std::vector<Node>& items, const std::shared_ptr<const SnippetOrigin>& origin) {
  for (Node& item : items) {
    item.origin = origin;
    SetOrigin(item.children, origin);
  }
}

// Template text with "%CR%" and "%TAB%" in place, split at its placeholders.
std::vector<std::string> SplitTemplate(std::string_view raw) {
  const std::string text = core::ExpandTemplate(raw, false).sandwich;
  std::vector<std::string> segments;
  std::size_t from = 0;
  for (std::size_t at = text.find(core::kSelStr); at != std::string::npos; at = text.find(core::kSelStr, from)) {
    segments.push_back(text.substr(from, at - from));
    from = at + core::kSelStr.size();
  }
  segments.push_back(text.substr(from));
  return segments;
}

// ------------------------------------------------------------- resolution

class Resolver {
 public:
  Resolver(const SnippetSources& sources, std::size_t nodes) : sources_(sources), nodes_(nodes) {}

  // `parent` is the element the items are the content of (null at the top);
  // `depth` the element depth of the items, 1 at the top; `groups` the
  // groups around them, snippets' included. Both are bounded, so that every
  // later pass over the tree recurses at most a few hundred levels.
  // True when the items hold a control a label can name by holding it.
  bool List(std::vector<Node>& items, const Node* parent, int depth, int groups) {
    bool control = false;
    for (Node& item : items) control = Item(item, parent, depth, groups) || control;
    // An empty text is nothing: it neither fills an element nor holds a place.
    std::erase_if(items, [](const Node& item) { return item.kind == NodeKind::kText && item.text.empty(); });
    return control;
  }

 private:
  bool Item(Node& node, const Node* parent, int depth, int groups) {
    if (node.kind == NodeKind::kGroup) {
      if (groups + 1 > kMaxGroupNesting) FailAt(node, "groups and snippets nested deeper than 200 levels");
      return List(node.children, parent, depth, groups + 1);
    }
    if (node.kind != NodeKind::kElement) return false;
    if (depth > kMaxNesting) FailAt(node, "nesting deeper than 100 levels");
    const std::string written = PlainName(node);
    if (!written.empty()) {
      if (!FromSnippet(node, written)) {
        if (const Snippet* snippet = Lookup(written)) {
          ApplySnippet(node, *snippet, written);
          return Item(node, parent, depth, groups);
        }
      }
      if (written.find('!') != std::string::npos) FailAt(node, "there is no snippet " + Quoted(written));
      if (const std::optional<std::size_t> words = LoremWords(written)) {
        MakeLorem(node, *words);
        if (node.kind == NodeKind::kLorem) return false;
      }
    }
    if (node.name.empty()) {
      const std::string parent_name = parent ? PlainName(*parent) : std::string();
      node.name.AppendLiteral(InCaseOf(ImplicitElementName(parent_name), parent_name));
    }
    const bool holds_control = List(node.children, &node, depth + 1, groups);
    const std::string name = PlainName(node);  // a numbered name is never void
    node.is_void = IsVoidElement(name);
    if (node.is_void && !node.children.empty()) {
      FailAt(node, Quoted(name) + " is a void element and cannot hold content");
    }
    node.output_attributes = OutputAttributes(node, name, holds_control);
    return holds_control || IsLabelableElement(name);
  }

  // "lorem" alone is its text; with modifiers or content it is an element
  // of the implicit name that starts with the text ("ul>lorem3.x*2").
  void MakeLorem(Node& node, std::size_t words) {
    if (words == 0) {
      FailAt(node, "lorem takes 1 to " + std::to_string(kMaxLoremWords) + " words");
    }
    SpendBytes(words);
    Node text;
    text.kind = NodeKind::kLorem;
    text.position = node.position;
    text.origin = node.origin;
    text.words = words;
    node.name = NumberedText();
    if (!node.HasModifiers() && node.children.empty()) {
      text.repeat = node.repeat;
      text.repeat_per_line = node.repeat_per_line;
      node = std::move(text);
    } else {
      node.children.insert(node.children.begin(), std::move(text));
    }
  }

  static bool FromSnippet(const Node& node, std::string_view name) {
    for (const SnippetOrigin* origin = node.origin.get(); origin; origin = origin->outer.get()) {
      if (EqualsIgnoringCase(origin->name, name)) return true;
    }
    return false;
  }

  const Snippet* Lookup(const std::string& name) {
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    auto found = cache_.find(key);
    if (found == cache_.end()) found = cache_.emplace(key, FindSnippet(name, sources_)).first;
    return found->second ? &*found->second : nullptr;
  }

  // Turns the element `node` into a group holding the snippet's expansion.
  void ApplySnippet(Node& node, const Snippet& snippet, const std::string& name) {
    auto origin = std::make_shared<SnippetOrigin>();
    origin->name = name;
    origin->outer = node.origin;
    origin->depth = node.origin ? node.origin->depth + 1 : 1;
    if (origin->depth > kMaxNesting) FailAt(node, "snippets nested deeper than 100 levels");
    // Every use is counted before it is expanded: its text comes out at
    // least once, so uses adding up to more than the output may hold are
    // refused before they cost time or memory.
    SpendBytes(snippet.value.size());

    Node group;
    group.kind = NodeKind::kGroup;
    group.position = node.position;
    group.origin = node.origin;
    group.repeat = node.repeat;
    group.repeat_per_line = node.repeat_per_line;
    if (snippet.is_template) {
      if (node.HasModifiers() || !node.children.empty()) {
        FailAt(node, "snippet " + Quoted(name) +
                         " is template text: it takes no #id, .class, [attributes], {text} or child elements");
      }
      Node text;
      text.kind = NodeKind::kTemplate;
      text.position = 1;
      text.origin = origin;
      text.segments = SplitTemplate(snippet.value);
      group.children.push_back(std::move(text));
    } else {
      std::vector<Node> items;
      try {
        items = ParseAbbreviation(snippet.value);
      } catch (const AbbrevError& error) {
        throw AbbrevError("in snippet " + Quoted(name) + ", " + error.what());
      }
      SpendNodes(CountNodes(items));
      SetOrigin(items, origin);
      if (node.HasModifiers()) {
        if (items.size() != 1 || items[0].kind != NodeKind::kElement) {
          FailAt(node, "snippet " + Quoted(name) + " is not a single element: it takes no #id, .class or [attributes]");
        }
        Merge(items[0], node);
      }
      if (!node.children.empty()) {
        Node* last = &items.back();
        while (last->kind == NodeKind::kGroup) last = &last->children.back();
        if (last->kind != NodeKind::kElement) {
          FailAt(node, "snippet " + Quoted(name) + " ends in a text and cannot hold content");
        }
        for (Node& child : node.children) last->children.push_back(std::move(child));
      }
      group.children = std::move(items);
    }
    node = std::move(group);
  }

  static void Merge(Node& target, Node& usage) {
    if (usage.id) target.id = std::move(usage.id);
    for (NumberedText& name : usage.classes) target.classes.push_back(std::move(name));
    target.class_written = target.class_written || usage.class_written;
    for (Attribute& attribute : usage.attributes) AddAttribute(target, std::move(attribute));
  }

  void SpendNodes(std::size_t nodes) {
    nodes_ += nodes;
    if (nodes_ > kMaxResolvedNodes) {
      throw AbbrevError("snippets expand into more than " + std::to_string(kMaxResolvedNodes) + " parts");
    }
  }

  void SpendBytes(std::size_t bytes) {
    bytes_ += bytes;
    if (bytes_ > kMaxOutputBytes) throw AbbrevError("the snippets and lorem texts used add up to more than 1 MB");
  }

  // `holds_control`: a label holding its control names it that way and
  // gets no "for" to fill.
  static std::vector<Attribute> OutputAttributes(const Node& node, const std::string& name, bool holds_control) {
    std::vector<Attribute> result;
    if (node.id) result.push_back({Literal(InCaseOf("id", name)), *node.id});
    if (!node.classes.empty() || node.class_written) {
      NumberedText joined;
      for (const NumberedText& one : node.classes) {
        if (!joined.empty()) joined.AppendLiteral(" ");
        joined.Append(one);
      }
      result.push_back({Literal(InCaseOf("class", name)), std::move(joined)});
    }
    std::vector<bool> used(node.attributes.size(), false);
    for (const DefaultAttribute& standard : DefaultAttributes(name)) {
      auto written = std::find_if(node.attributes.begin(), node.attributes.end(), [&](const Attribute& attribute) {
        return !attribute.name.HasNumbers() && EqualsIgnoringCase(attribute.name.Literal(), standard.name);
      });
      if (written == node.attributes.end()) {
        if (holds_control && standard.name == "for") continue;
        result.push_back({Literal(InCaseOf(standard.name, name)), Literal(standard.value)});
      } else {
        result.push_back(*written);
        used[static_cast<std::size_t>(written - node.attributes.begin())] = true;
      }
    }
    for (std::size_t i = 0; i < node.attributes.size(); ++i) {
      if (!used[i]) result.push_back(node.attributes[i]);
    }
    return result;
  }

  const SnippetSources& sources_;
  std::size_t nodes_;
  std::size_t bytes_ = 0;
  std::map<std::string, std::optional<Snippet>> cache_;
};

// -------------------------------------------------------------------- wrap

// The element (or template) the selection goes into inside `node`: the
// node itself, or as deep as possible along last children.
Node* HolderOf(Node& node) {
  switch (node.kind) {
    case NodeKind::kGroup:
      return node.children.empty() ? nullptr : HolderOf(node.children.back());
    case NodeKind::kElement: {
      if (node.is_void) return nullptr;
      Node* inner = node.children.empty() ? nullptr : HolderOf(node.children.back());
      return inner ? inner : &node;
    }
    case NodeKind::kTemplate:
      return node.segments.size() > 1 ? &node : nullptr;
    default:
      return nullptr;
  }
}

Node* FirstRepeatedPerLine(std::vector<Node>& items) {
  for (Node& item : items) {
    if (item.repeat_per_line) return &item;
    if (Node* inner = FirstRepeatedPerLine(item.children)) return inner;
  }
  return nullptr;
}

bool HoldsVerbatim(const Node& holder) {
  return holder.kind == NodeKind::kTemplate || KeepsContentVerbatim(PlainName(holder));
}

// Puts the selection (or its lines) into the tree; returns the lines the
// kLine node takes its text from.
std::vector<std::string> ApplyWrap(std::vector<Node>& items, std::string_view content) {
  if (Node* repeated = FirstRepeatedPerLine(items)) {
    std::vector<std::string> lines;
    for (std::string_view line : SplitLines(content)) {
      line = TrimBlanks(line);
      if (!line.empty()) lines.emplace_back(line);
    }
    if (lines.size() > static_cast<std::size_t>(kMaxRepeat)) {
      throw AbbrevError("the selection has more than " + std::to_string(kMaxRepeat) + " lines");
    }
    Node* holder = HolderOf(*repeated);
    if (!holder) FailAt(*repeated, "nothing in the part repeated with '*' can hold a line");
    // Blanks only: one copy, left empty to be filled.
    if (lines.empty()) return lines;
    repeated->repeat = static_cast<int>(lines.size());
    repeated->feeds_lines = true;
    Node line;
    line.kind = NodeKind::kLine;
    line.verbatim = true;
    holder->children.push_back(std::move(line));
    return lines;
  }
  Node* holder = items.empty() ? nullptr : HolderOf(items.back());
  if (!holder) throw AbbrevError("no element of the abbreviation can hold the selection");
  Node selection;
  selection.kind = NodeKind::kSelection;
  selection.segments.emplace_back(content);
  selection.verbatim = HoldsVerbatim(*holder);
  holder->children.push_back(std::move(selection));
  return {};
}

// ------------------------------------------------------------------ layout

void Layout(Node& node) {
  for (Node& child : node.children) Layout(child);
  const bool children_inline =
      std::all_of(node.children.begin(), node.children.end(), [](const Node& child) { return child.is_inline; });
  switch (node.kind) {
    case NodeKind::kText:
    case NodeKind::kLine:
    case NodeKind::kLorem:
      node.is_inline = true;
      break;
    case NodeKind::kSelection:
      node.is_inline = node.verbatim || !HasLineBreak(node.segments[0]);
      break;
    case NodeKind::kTemplate:
      node.is_inline = std::none_of(node.segments.begin(), node.segments.end(),
                                    [](const std::string& text) { return HasLineBreak(text); }) &&
                       std::none_of(node.children.begin(), node.children.end(), [](const Node& child) {
                         return child.kind == NodeKind::kSelection && HasLineBreak(child.segments[0]);
                       });
      break;
    case NodeKind::kGroup:
      node.is_inline = children_inline;
      break;
    case NodeKind::kElement:
      node.is_inline = children_inline && IsInlineElement(PlainName(node));
      break;
  }
}

// ------------------------------------------------------------------ render

class Renderer {
 public:
  // `indent` follows every line break of the output; `lines` are the
  // wrapped selection's lines.
  Renderer(std::string_view indent, const std::vector<std::string>& lines) : indent_(indent), lines_(lines) {}

  void Render(const std::vector<Node>& items) {
    const bool block = std::any_of(items.begin(), items.end(), [](const Node& item) { return !item.is_inline; });
    Sequence(items, 0, block);
  }

  std::string& Output() { return out_; }
  std::size_t Caret() const { return caret_.value_or(out_.size()); }

 private:
  struct Copy {
    std::uint64_t index;  // 1-based
    std::uint64_t count;
  };

  void Sequence(std::span<const Node> items, int depth, bool block) {
    bool inline_run = false;
    for (const Node& item : items) Place(item, depth, block, inline_run);
  }

  // Every copy of `node`; in a block sequence a block node or the first of
  // a run of inline nodes starts a new line.
  void Place(const Node& node, int depth, bool block, bool& inline_run) {
    const std::uint64_t count = node.repeat > 0 ? static_cast<std::uint64_t>(node.repeat) : 1;
    for (std::uint64_t index = 1; index <= count; ++index) {
      if (++parts_ > kMaxParts) {
        throw AbbrevError("the expansion has more than " + std::to_string(kMaxParts) + " elements and texts");
      }
      if (node.repeat > 0) copies_.push_back({index, count});
      if (node.feeds_lines) line_ = static_cast<std::size_t>(index - 1);
      if (node.kind == NodeKind::kGroup) {
        for (const Node& child : node.children) Place(child, depth, block, inline_run);
      } else {
        if (block) {
          if (!node.is_inline || !inline_run) Break(depth);
          inline_run = node.is_inline;
        }
        Emit(node, depth);
      }
      if (node.repeat > 0) copies_.pop_back();
    }
  }

  void Emit(const Node& node, int depth) {
    switch (node.kind) {
      case NodeKind::kElement:
        return Element(node, depth);
      case NodeKind::kText:
        return AppendNumbered(node.text, false);
      case NodeKind::kLorem:
        return Append(lorem_.Next(node.words));
      case NodeKind::kTemplate:
        return Template(node, depth);
      case NodeKind::kSelection:
      case NodeKind::kLine:
        return Selection(node, depth);
      case NodeKind::kGroup:
        return;
    }
  }

  void Element(const Node& node, int depth) {
    Append("<");
    AppendNumbered(node.name, false);
    for (const Attribute& attribute : node.output_attributes) {
      Append(" ");
      AppendNumbered(attribute.name, false);
      Append("=\"");
      if (attribute.value.empty()) MarkCaret();
      AppendNumbered(attribute.value, true);
      Append("\"");
    }
    Append(">");
    if (node.is_void) return;
    const std::span<const Node> content = Content(node);
    if (content.empty()) {
      MarkCaret();
    } else if (std::any_of(content.begin(), content.end(), [](const Node& child) { return !child.is_inline; })) {
      Sequence(content, depth + 1, true);
      Break(depth);
    } else {
      Sequence(content, depth + 1, false);
    }
    Append("</");
    AppendNumbered(node.name, false);
    Append(">");
  }

  void Template(const Node& node, int depth) {
    const std::span<const Node> content = Content(node);
    for (std::size_t i = 0; i < node.segments.size(); ++i) {
      if (i > 0) {
        if (content.empty()) {
          MarkCaret();
        } else {
          Selection(content.front(), depth);
        }
      }
      // Template lines are indented like the template; an empty line stays
      // empty unless the placeholder's content or caret goes on it.
      const std::vector<std::string_view> lines = SplitLines(node.segments[i]);
      const bool placeholder_follows = i + 1 < node.segments.size();
      for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k > 0) {
          if (lines[k].empty() && !(placeholder_follows && k + 1 == lines.size())) {
            Append("\r\n");
          } else {
            Break(depth);
          }
        }
        Append(lines[k]);
      }
    }
  }

  // The children `node` shows in this copy: a wrapped selection goes into
  // the last copy of every repeat around it only; the others are left to
  // fill.
  std::span<const Node> Content(const Node& node) const {
    std::span<const Node> children(node.children);
    if (children.empty() || children.back().kind != NodeKind::kSelection) return children;
    const bool last_copy =
        std::all_of(copies_.begin(), copies_.end(), [](const Copy& copy) { return copy.index == copy.count; });
    return last_copy ? children : children.first(children.size() - 1);
  }

  // The wrapped selection, or one line of it.
  void Selection(const Node& node, int depth) {
    if (node.kind == NodeKind::kLine) return Append(lines_[line_]);
    const std::string& text = node.segments[0];
    if (node.is_inline) return Append(text);
    // On lines of its own: the first line's indentation comes off the
    // others, and every non-blank line gets the depth's.
    const std::vector<std::string_view> lines = SplitLines(text);
    for (std::size_t k = 0; k < lines.size(); ++k) {
      std::string_view line = lines[k];
      if (k > 0) {
        if (line.substr(0, indent_.size()) == indent_) line.remove_prefix(indent_.size());
        if (TrimBlanks(line).empty()) {
          Append("\r\n");
          continue;
        }
        Break(depth);
      }
      Append(line);
    }
  }

  void Break(int depth) {
    if (!out_.empty()) {
      Append("\r\n");
      Append(indent_);
    }
    for (int i = 0; i < depth; ++i) Append("\t");
  }

  void MarkCaret() {
    if (!caret_) caret_ = out_.size();
  }

  void AppendNumbered(const NumberedText& text, bool attribute_value) {
    for (const NumberedText::Piece& piece : text.pieces()) {
      if (piece.number) {
        Append(FormatNumber(*piece.number));
      } else if (attribute_value && piece.literal.find('"') != std::string::npos) {
        Append(core::ReplaceAll("\"", "&quot;", piece.literal));
      } else {
        Append(piece.literal);
      }
    }
  }

  std::string FormatNumber(const CopyNumber& number) const {
    const Copy copy = copies_.empty() ? Copy{1, 1} : copies_.back();
    const std::uint64_t value =
        number.descending ? number.base + copy.count - copy.index : number.base + copy.index - 1;
    std::string digits = std::to_string(value);
    if (digits.size() < number.width) digits.insert(0, number.width - digits.size(), '0');
    return digits;
  }

  void Append(std::string_view text) {
    if (out_.size() + text.size() > kMaxOutputBytes) throw AbbrevError("the expansion is larger than 1 MB");
    out_.append(text);
  }

  std::string_view indent_;
  const std::vector<std::string>& lines_;
  std::string out_;
  std::optional<std::size_t> caret_;
  std::vector<Copy> copies_;  // the repeats around the node being rendered, innermost last
  std::size_t line_ = 0;      // the line the current copy of the per-line repeat holds
  std::size_t parts_ = 0;
  LoremWriter lorem_;
};

struct Rendered {
  std::string text;
  std::size_t caret;
};

Rendered Expand(std::string_view abbreviation, const SnippetSources& sources, std::string_view indent,
                const std::optional<std::string_view>& wrap_content) {
  std::vector<Node> items = ParseAbbreviation(abbreviation);
  Resolver(sources, CountNodes(items)).List(items, nullptr, 1, 0);
  std::vector<std::string> lines;
  if (wrap_content) lines = ApplyWrap(items, *wrap_content);
  for (Node& item : items) Layout(item);
  Renderer renderer(indent, lines);
  renderer.Render(items);
  const std::size_t caret = renderer.Caret();
  return {std::move(renderer.Output()), caret};
}

// The expansion between `before` and `after`; the caret counts from the
// end of all of it.
AbbrevResult Finish(std::string_view before, Rendered rendered, std::string_view after) {
  Expansion expansion;
  expansion.text.reserve(before.size() + rendered.text.size() + after.size());
  expansion.text.append(before).append(rendered.text).append(after);
  expansion.caret = before.size() + rendered.caret;
  expansion.cursor_back = texttools::CaretStopCount(std::string_view(expansion.text).substr(expansion.caret));
  return {std::move(expansion), std::string()};
}

template <typename Body>
AbbrevResult Refusing(Body body) {
  try {
    return body();
  } catch (const AbbrevError& error) {
    return {std::nullopt, error.what()};
  }
}

bool IsBlankOrBreak(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

AbbrevResult ExpandAbbreviation(std::string_view abbreviation, const SnippetSources& sources) {
  return Refusing([&] { return Finish("", Expand(abbreviation, sources, "", std::nullopt), ""); });
}

AbbrevResult ExpandSelection(std::string_view selection, const SnippetSources& sources) {
  std::size_t begin = 0;
  while (begin < selection.size() && IsBlankOrBreak(selection[begin])) ++begin;
  std::size_t end = selection.size();
  while (end > begin && IsBlankOrBreak(selection[end - 1])) --end;
  if (begin == end) return {std::nullopt, "the selection holds no abbreviation"};
  const std::string_view before = selection.substr(0, begin);
  const std::size_t last_break = before.find_last_of("\r\n");
  const std::string_view indent = last_break == std::string_view::npos ? before : before.substr(last_break + 1);
  return Refusing([&] {
    return Finish(before, Expand(selection.substr(begin, end - begin), sources, indent, std::nullopt),
                  selection.substr(end));
  });
}

AbbrevResult WrapSelection(std::string_view selection, std::string_view abbreviation, const SnippetSources& sources) {
  std::size_t end = selection.size();
  if (selection.ends_with("\r\n")) {
    end -= 2;
  } else if (selection.ends_with('\n') || selection.ends_with('\r')) {
    end -= 1;
  }
  std::size_t begin = 0;
  while (begin < end && IsBlank(selection[begin])) ++begin;
  const std::string_view indent = selection.substr(0, begin);
  const std::string_view content = selection.substr(begin, end - begin);
  return Refusing(
      [&] { return Finish(indent, Expand(abbreviation, sources, indent, content), selection.substr(end)); });
}

}  // namespace tagsling::abbrev
