// Fuzz target for abbreviations: the parser, snippet resolution, the wrap
// and the renderer on arbitrary bytes. Input layout: byte 0 holds flags
// (bit 0: wrap, bit 1: "H5_Doc" has a template of its own), the rest is the
// abbreviation; when wrapping, a zero byte separates it from the selection.
// A fixed set of user snippets (chains, self references, template text, a
// broken one, long ones) is always there, so the fuzzer reaches them by
// name; the built-in short names and "lorem" are reached the same way.
//
// Besides "no crash, no sanitizer finding" it checks the limits and the
// result's consistency: an expansion is at most kMaxOutputBytes plus the
// blanks and line break kept from the selection, its caret lies inside it
// and the cursor-back count is the caret stops after it; a refusal always
// says why.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "abbrev/Abbreviation.h"
#include "texttools/LosslessSjis.h"

namespace {

using namespace tagsling::abbrev;

void Check(bool condition) {
  if (!condition) std::abort();
}

const std::map<std::string, std::string>& UserSnippets() {
  static const std::map<std::string, std::string> snippets = {
      {"u1", "ul>li.item$*3>a{$}"},
      {"u2", "u1+u3"},
      {"u3", "u2*2"},
      {"self", "self.x>self"},
      {"tpl", "<div>%CR%%TAB%%SELSTR%%CR%</div>"},
      {"tpl2", "%SELSTR%|%selstr%"},
      {"bad", "a[[(}"},
      {"many", "(p*100)*100"},
      {"text", "{t$@-}"},
      // Long ones, to reach the limit on snippet text used.
      {"long", "p{" + std::string(9000, 'x') + "}"},
      {"longs", "long+long+long+long+long+long+long+long+long+long"},
      {"ltpl", "<p>" + std::string(200000, 'y') + "%SELSTR%</p>"},
  };
  return snippets;
}

SnippetSources Sources(bool document_template) {
  SnippetSources sources;
  sources.user_snippet = [](const std::string& name) -> std::optional<std::string> {
    auto found = UserSnippets().find(name);
    if (found == UserSnippets().end()) return std::nullopt;
    return found->second;
  };
  if (document_template) {
    sources.read_template = [](const std::string& key) {
      return key == kDocumentTemplateKey ? std::string("<html>%CR%%SELSTR%%CR%</html>") : std::string();
    };
  }
  return sources;
}

void CheckResult(const AbbrevResult& result, std::size_t kept_bytes) {
  if (!result) {
    Check(!result.error.empty());
    return;
  }
  const Expansion& expansion = *result.expansion;
  Check(expansion.text.size() <= kMaxOutputBytes + kept_bytes);
  Check(expansion.caret <= expansion.text.size());
  Check(expansion.cursor_back ==
        tagsling::texttools::CaretStopCount(std::string_view(expansion.text).substr(expansion.caret)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const SnippetSources sources = Sources((flags & 2) != 0);
  if ((flags & 1) == 0) {
    CheckResult(ExpandSelection(rest, sources), rest.size());
    return 0;
  }
  const std::size_t split = rest.find('\0');
  const std::string_view abbreviation = rest.substr(0, split);
  const std::string_view selection = split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);
  CheckResult(WrapSelection(selection, abbreviation, sources), selection.size());
  return 0;
}
