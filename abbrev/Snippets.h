#pragma once
// Snippets: names that stand for an abbreviation ("link:css") or for
// template text ("!", the HTML5 document).
//
// A name is looked up, without regard to ASCII case, first among the user's
// snippets (section "[Snippets]" of "Html.dat": key = name, value = an
// abbreviation, or template text with "%CR%", "%TAB%" and "%SELSTR%"), then
// in the built-in table. The built-in "!" first asks the caller for the
// template of key "H5_Doc" and falls back to the core's built-in template of
// that key, so the document has one text however it is asked for.
//
// Template text is told from an abbreviation by its look: a value holding
// "<" or one of the placeholders is template text.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/BuiltInTemplates.h"

namespace tagsling::abbrev {

inline constexpr std::string_view kSnippetSection = "Snippets";
// The template key whose text "!" expands to when it has one.
inline constexpr std::string_view kDocumentTemplateKey = "H5_Doc";
// The text "!" expands to when the template file gives no "H5_Doc" text: the
// core's built-in template of that key (a compile error if it had none).
inline constexpr std::string_view kBuiltInDocument = FindBuiltInTemplate(kDocumentTemplateKey).value();

// Where snippets come from besides the built-in table. Either function may
// be empty (no user snippets; no template keys).
struct SnippetSources {
  // The value of the user snippet `name`; nullopt (or empty) when there is none.
  std::function<std::optional<std::string>(const std::string& name)> user_snippet;
  // The raw template of a template key ("H5_Doc"); empty when there is none.
  std::function<std::string(const std::string& key)> read_template;
};

struct Snippet {
  std::string value;
  bool is_template = false;
};

struct BuiltInSnippet {
  std::string_view name;
  std::string_view value;
  bool is_template = false;
  std::string_view template_key;  // asked first when not empty
};

std::span<const BuiltInSnippet> BuiltInSnippets();

bool LooksLikeTemplateText(std::string_view value);

// The snippet called `name`, or nullopt.
std::optional<Snippet> FindSnippet(const std::string& name, const SnippetSources& sources);

// Sources that read "[Snippets]" and the template section of the template
// file at `data_file_path`. The file is read once, now; a missing or
// unreadable file gives no user snippets and no templates.
SnippetSources SnippetsFromFile(const std::string& data_file_path);

}  // namespace tagsling::abbrev
