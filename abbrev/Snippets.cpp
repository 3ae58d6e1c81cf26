#include "abbrev/Snippets.h"

#include <memory>

#include "abbrev/HtmlElements.h"
#include "core/Templates.h"
#include "settings/ProfileFile.h"

namespace tagsling::abbrev {

namespace {

constexpr BuiltInSnippet Abbreviation(std::string_view name, std::string_view value) {
  return {name, value, false, std::string_view()};
}

// Short names for what people type most. Input types each have one; those
// that submit take a value, the others a name.
constexpr BuiltInSnippet kBuiltIns[] = {
    {"!", kBuiltInDocument, true, kDocumentTemplateKey},
    Abbreviation("html:5", "!"),
    Abbreviation("a:link", "a[href=\"https://\"]"),
    Abbreviation("a:mail", "a[href=\"mailto:\"]"),
    Abbreviation("a:tel", "a[href=\"tel:\"]"),
    Abbreviation("link:css", "link[href=\"style.css\"]"),
    Abbreviation("link:favicon", "link[rel=\"icon\" type=\"image/x-icon\" href=\"favicon.ico\"]"),
    Abbreviation("script:src", "script[src]"),
    Abbreviation("meta:utf", "meta[charset=\"utf-8\"]"),
    Abbreviation("meta:vp", "meta[name=\"viewport\" content=\"width=device-width, initial-scale=1\"]"),
    Abbreviation("form:get", "form[method=\"get\"]"),
    Abbreviation("form:post", "form[method=\"post\"]"),
    Abbreviation("button:submit", "button[type=\"submit\"]"),
    Abbreviation("button:reset", "button[type=\"reset\"]"),
    Abbreviation("button:button", "button[type=\"button\"]"),
    Abbreviation("input:text", "input[type=\"text\" name]"),
    Abbreviation("input:password", "input[type=\"password\" name]"),
    Abbreviation("input:email", "input[type=\"email\" name]"),
    Abbreviation("input:url", "input[type=\"url\" name]"),
    Abbreviation("input:tel", "input[type=\"tel\" name]"),
    Abbreviation("input:search", "input[type=\"search\" name]"),
    Abbreviation("input:number", "input[type=\"number\" name]"),
    Abbreviation("input:range", "input[type=\"range\" name]"),
    Abbreviation("input:date", "input[type=\"date\" name]"),
    Abbreviation("input:month", "input[type=\"month\" name]"),
    Abbreviation("input:week", "input[type=\"week\" name]"),
    Abbreviation("input:time", "input[type=\"time\" name]"),
    Abbreviation("input:datetime-local", "input[type=\"datetime-local\" name]"),
    Abbreviation("input:color", "input[type=\"color\" name]"),
    Abbreviation("input:checkbox", "input[type=\"checkbox\" name]"),
    Abbreviation("input:radio", "input[type=\"radio\" name]"),
    Abbreviation("input:file", "input[type=\"file\" name]"),
    Abbreviation("input:hidden", "input[type=\"hidden\" name value]"),
    Abbreviation("input:submit", "input[type=\"submit\" value]"),
    Abbreviation("input:reset", "input[type=\"reset\" value]"),
    Abbreviation("input:button", "input[type=\"button\" value]"),
    Abbreviation("input:image", "input[type=\"image\" src alt]"),
    // Short names of elements, as other abbreviation tools spell them.
    Abbreviation("bq", "blockquote"),
    Abbreviation("btn", "button"),
    Abbreviation("fig", "figure"),
    Abbreviation("figc", "figcaption"),
    Abbreviation("pic", "picture"),
    Abbreviation("ifr", "iframe"),
    Abbreviation("emb", "embed"),
    Abbreviation("obj", "object"),
    Abbreviation("cap", "caption"),
    Abbreviation("colg", "colgroup"),
    Abbreviation("fst", "fieldset"),
    Abbreviation("fset", "fieldset"),
    Abbreviation("leg", "legend"),
    Abbreviation("optg", "optgroup"),
    Abbreviation("opt", "option"),
    Abbreviation("tarea", "textarea"),
    Abbreviation("sect", "section"),
    Abbreviation("art", "article"),
    Abbreviation("hdr", "header"),
    Abbreviation("ftr", "footer"),
    Abbreviation("adr", "address"),
    Abbreviation("dlg", "dialog"),
    Abbreviation("str", "strong"),
    Abbreviation("prog", "progress"),
    Abbreviation("mn", "main"),
    Abbreviation("tem", "template"),
    Abbreviation("datal", "datalist"),
    Abbreviation("out", "output"),
    Abbreviation("det", "details"),
    Abbreviation("sum", "summary"),
    // A comment around the caret (or the wrapped selection).
    {"c", "<!-- %SELSTR% -->", true, std::string_view()},
};

}  // namespace

std::span<const BuiltInSnippet> BuiltInSnippets() { return kBuiltIns; }

bool LooksLikeTemplateText(std::string_view value) {
  for (std::string_view mark : {std::string_view("<"), core::kCr, core::kTab, core::kSelStr, core::kSelStrLower}) {
    if (value.find(mark) != std::string_view::npos) return true;
  }
  return false;
}

std::optional<Snippet> FindSnippet(const std::string& name, const SnippetSources& sources) {
  if (sources.user_snippet) {
    std::optional<std::string> value = sources.user_snippet(name);
    if (value && !value->empty()) {
      const bool is_template = LooksLikeTemplateText(*value);
      return Snippet{std::move(*value), is_template};
    }
  }
  for (const BuiltInSnippet& entry : kBuiltIns) {
    if (!EqualsIgnoringCase(entry.name, name)) continue;
    if (!entry.template_key.empty() && sources.read_template) {
      std::string text = sources.read_template(std::string(entry.template_key));
      if (!text.empty()) return Snippet{std::move(text), true};
    }
    return Snippet{std::string(entry.value), entry.is_template};
  }
  return std::nullopt;
}

SnippetSources SnippetsFromFile(const std::string& data_file_path) {
  auto file = std::make_shared<const settings::ProfileDocument>(settings::ProfileDocument::Load(data_file_path));
  SnippetSources sources;
  sources.user_snippet = [file](const std::string& name) -> std::optional<std::string> {
    if (!file->HasKey(kSnippetSection, name)) return std::nullopt;
    return file->Get(kSnippetSection, name);
  };
  sources.read_template = [file](const std::string& key) { return core::TemplateFromFile(*file, key); };
  return sources;
}

}  // namespace tagsling::abbrev
