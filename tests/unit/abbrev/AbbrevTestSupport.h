#pragma once
// Shared helpers of the abbreviation tests: results shown as readable text.

#include <string>
#include <string_view>

#include "abbrev/Abbreviation.h"

namespace tagsling::abbrev::testing {

// "error: " and the message of a refusal. (Appended, not "literal" +
// std::string: GCC 12 warns falsely about that when optimising.)
inline std::string Refusal(const AbbrevResult& result) { return std::string("error: ").append(result.error); }

// The expansion with "|" where the caret goes (nothing when it is at the
// very end) and "\n" for every CR LF; "error: ..." when refused.
inline std::string Show(const AbbrevResult& result) {
  if (!result) return Refusal(result);
  const std::string& text = result.expansion->text;
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == result.expansion->caret) shown += '|';
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    shown += text[i];
  }
  return shown;
}

inline std::string Expand(std::string_view abbreviation, const SnippetSources& sources = {}) {
  return Show(ExpandAbbreviation(abbreviation, sources));
}

// `unit` `times` times over.
inline std::string Repeated(std::string_view unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

struct Case {
  const char* abbreviation;
  const char* expected;  // as Show gives it
};

}  // namespace tagsling::abbrev::testing
