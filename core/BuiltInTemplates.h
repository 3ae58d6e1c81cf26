#pragma once
// Built-in templates of the HTML5 keys ("H5_..."). An "Html.dat" the user
// edited before these keys existed has none of them; a key missing from the
// file then expands to its built-in template, the same text as the shipped
// file's (ReadTemplate, TemplateFromFile). Classic keys have no built-in
// template: a missing classic key stays empty, as it always was.
//
// The rows come from scripts/gen-html-dat.py, which writes them and the
// shipped data/Html.dat from one table: edit the table there and run it,
// never the rows by hand. Texts are Shift-JIS byte strings like every
// template.

#include <cstddef>
#include <optional>
#include <string_view>

namespace tagsling {

struct BuiltInTemplate {
  std::string_view key;   // as written in the catalogue
  std::string_view text;  // the raw template
};

inline constexpr BuiltInTemplate kBuiltInTemplates[] = {
#include "core/BuiltInTemplates.inc"
};

// The built-in template of `key`, compared without regard to ASCII case (the
// way "Html.dat" compares keys), or nullopt. Usable in constant expressions.
constexpr std::optional<std::string_view> FindBuiltInTemplate(std::string_view key) {
  constexpr auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (const BuiltInTemplate& entry : kBuiltInTemplates) {
    if (entry.key.size() != key.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < key.size(); ++i) same = fold(entry.key[i]) == fold(key[i]);
    if (same) return entry.text;
  }
  return std::nullopt;
}

}  // namespace tagsling
