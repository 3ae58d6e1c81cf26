#pragma once
// What the abbreviation expander knows about HTML elements: which are void
// (no closing tag), which are inline (they stay on their parent's line),
// whose content is preformatted, which attributes a bare element gets, and
// the name an element written without one gets inside a given parent.
// Element and attribute names are compared without regard to ASCII case;
// words the expander adds itself follow the letter case of the name they
// belong to (InCaseOf), so "A" gets "HREF" where "a" gets "href".

#include <span>
#include <string>
#include <string_view>

namespace tagsling::abbrev {

bool IsVoidElement(std::string_view name);
bool IsInlineElement(std::string_view name);
// A wrapped selection goes into these as it stands, line breaks and all.
bool KeepsContentVerbatim(std::string_view name);
// A control a label can stand for by holding it (then it needs no "for").
bool IsLabelableElement(std::string_view name);

struct DefaultAttribute {
  std::string_view name;
  std::string_view value;
};

// The attributes an element gets unless the abbreviation writes them, in
// output order; empty for most elements.
std::span<const DefaultAttribute> DefaultAttributes(std::string_view element);

// The name of an element written without one inside `parent` (the parent
// element's name; empty at the top level): "li" in lists, "tr" in tables
// and their sections, "td" in "tr", "option" in "select", "optgroup" and
// "datalist", "col" in "colgroup", "source" in "video", "audio" and
// "picture", "span" in "p" and in every inline element, "div" elsewhere.
std::string_view ImplicitElementName(std::string_view parent);

// `word` (written in lower case) upper-cased when `model` has letters and
// all of them are upper case; as it is otherwise.
std::string InCaseOf(std::string_view word, std::string_view model);

// ASCII case-insensitive equality.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tagsling::abbrev
