#include "abbrev/HtmlElements.h"

#include <algorithm>

namespace tagsling::abbrev {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool InList(std::span<const std::string_view> list, std::string_view name) {
  return std::any_of(list.begin(), list.end(),
                     [name](std::string_view entry) { return EqualsIgnoringCase(entry, name); });
}

constexpr std::string_view kVoidElements[] = {
    "area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr",
};

// Phrasing elements that read as part of a line of text.
constexpr std::string_view kInlineElements[] = {
    "a",     "abbr",   "acronym", "b",       "bdi", "bdo",      "big",   "br",   "button", "cite",  "code",   "data",
    "del",   "dfn",    "em",      "font",    "i",   "img",      "input", "ins",  "kbd",    "label", "map",    "mark",
    "meter", "object", "output",  "picture", "q",   "rp",       "rt",    "ruby", "s",      "samp",  "select", "small",
    "span",  "strike", "strong",  "sub",     "sup", "textarea", "time",  "tt",   "u",      "var",   "wbr",
};

// Elements a label names by holding them, so it needs no "for".
constexpr std::string_view kLabelableElements[] = {
    "button", "input", "meter", "output", "progress", "select", "textarea",
};

constexpr std::string_view kVerbatimElements[] = {"pre", "textarea"};

struct ElementDefaults {
  std::string_view element;
  std::span<const DefaultAttribute> attributes;
};

constexpr DefaultAttribute kAnchor[] = {{"href", ""}};
constexpr DefaultAttribute kImage[] = {{"src", ""}, {"alt", ""}};
constexpr DefaultAttribute kInput[] = {{"type", "text"}};
constexpr DefaultAttribute kLink[] = {{"rel", "stylesheet"}, {"href", ""}};
constexpr DefaultAttribute kForm[] = {{"action", ""}};
constexpr DefaultAttribute kLabel[] = {{"for", ""}};

constexpr ElementDefaults kDefaults[] = {
    {"a", kAnchor}, {"img", kImage}, {"input", kInput}, {"link", kLink}, {"form", kForm}, {"label", kLabel},
};

struct ImplicitChild {
  std::string_view parent;
  std::string_view child;
};

constexpr ImplicitChild kImplicitChildren[] = {
    {"ul", "li"},        {"ol", "li"},        {"table", "tr"},      {"tbody", "tr"},        {"thead", "tr"},
    {"tfoot", "tr"},     {"tr", "td"},        {"select", "option"}, {"datalist", "option"}, {"optgroup", "option"},
    {"colgroup", "col"}, {"video", "source"}, {"audio", "source"},  {"picture", "source"},  {"p", "span"},
};

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool IsVoidElement(std::string_view name) { return InList(kVoidElements, name); }

bool IsInlineElement(std::string_view name) { return InList(kInlineElements, name); }

bool KeepsContentVerbatim(std::string_view name) { return InList(kVerbatimElements, name); }

bool IsLabelableElement(std::string_view name) { return InList(kLabelableElements, name); }

std::span<const DefaultAttribute> DefaultAttributes(std::string_view element) {
  for (const ElementDefaults& entry : kDefaults) {
    if (EqualsIgnoringCase(entry.element, element)) return entry.attributes;
  }
  return {};
}

std::string_view ImplicitElementName(std::string_view parent) {
  for (const ImplicitChild& entry : kImplicitChildren) {
    if (EqualsIgnoringCase(entry.parent, parent)) return entry.child;
  }
  return !parent.empty() && IsInlineElement(parent) ? "span" : "div";
}

std::string InCaseOf(std::string_view word, std::string_view model) {
  bool letters = false;
  for (char c : model) {
    if (c >= 'a' && c <= 'z') return std::string(word);
    letters = letters || (c >= 'A' && c <= 'Z');
  }
  std::string result(word);
  if (letters) std::transform(result.begin(), result.end(), result.begin(), UpperAscii);
  return result;
}

}  // namespace tagsling::abbrev
