// Abbreviation benchmarks: the expansion the commands run most (a list of
// 1000 numbered links), a wide table, the HTML5 document snippet, a wrap of
// 1000 selected lines, and the worst cases the limits allow (an abbreviation
// of 10000 bytes, an expansion stopped at 1 MB, abbreviations of 10000 bytes
// that use long user snippets over and over). Figures are time per
// expansion; the first must stay well under 5 ms, every refusal under 50 ms.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "abbrev/Abbreviation.h"

namespace {

using namespace tagsling::abbrev;

void Expand(benchmark::State& state, const std::string& abbreviation, const SnippetSources& sources = {}) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    AbbrevResult result = ExpandSelection(abbreviation, sources);
    bytes = result ? result.expansion->text.size() : 0;
    benchmark::DoNotOptimize(result);
  }
  state.counters["output_bytes"] = static_cast<double>(bytes);
}

void BM_NumberedList1000(benchmark::State& state) { Expand(state, "ul>li.item$$$*1000>a{Item $}"); }
BENCHMARK(BM_NumberedList1000)->Unit(benchmark::kMicrosecond);

void BM_Table100x100(benchmark::State& state) { Expand(state, "table>(tr.r$*100>td{$}*100)"); }
BENCHMARK(BM_Table100x100)->Unit(benchmark::kMicrosecond);

void BM_DocumentSnippet(benchmark::State& state) { Expand(state, "!"); }
BENCHMARK(BM_DocumentSnippet)->Unit(benchmark::kMicrosecond);

void BM_LongAbbreviation(benchmark::State& state) {
  std::string abbreviation;
  while (abbreviation.size() < kMaxAbbreviationBytes - 40) abbreviation += "div#a.b[c=d]>p{text}+span^";
  abbreviation += "p";
  Expand(state, abbreviation);
}
BENCHMARK(BM_LongAbbreviation)->Unit(benchmark::kMicrosecond);

void BM_RefusedAtOneMegabyte(benchmark::State& state) { Expand(state, "(p*1000)*1000"); }
BENCHMARK(BM_RefusedAtOneMegabyte)->Unit(benchmark::kMicrosecond);

// `unit` joined by "+" as often as fits in an abbreviation.
std::string Siblings(const std::string& unit) {
  std::string abbreviation = unit;
  while (abbreviation.size() + unit.size() + 1 <= kMaxAbbreviationBytes) abbreviation += "+" + unit;
  return abbreviation;
}

// User snippets as long as they may be: template text of 4 MB (the largest
// template file read), an abbreviation of 10000 bytes, a snippet that uses
// that one as often as fits, and one that multiplies small elements.
SnippetSources LongUserSnippets() {
  const auto snippets = std::make_shared<std::map<std::string, std::string>>(std::map<std::string, std::string>{
      {"tpl", "<p>" + std::string(4 << 20, 'x') + "%SELSTR%</p>"},
      {"txt", "p{" + std::string(kMaxAbbreviationBytes - 3, 'x') + "}"},
      {"txts", Siblings("txt")},
      {"els", Siblings("b")},
      {"elss", Siblings("els")},
  });
  SnippetSources sources;
  sources.user_snippet = [snippets](const std::string& name) -> std::optional<std::string> {
    auto found = snippets->find(name);
    if (found == snippets->end()) return std::nullopt;
    return found->second;
  };
  return sources;
}

void RefusedWithSnippets(benchmark::State& state, const std::string& unit) {
  const SnippetSources sources = LongUserSnippets();
  const std::string abbreviation = Siblings(unit);
  if (ExpandSelection(abbreviation, sources)) state.SkipWithError("expected a refusal");
  Expand(state, abbreviation, sources);
}

void BM_RefusedLongTemplateSnippets(benchmark::State& state) { RefusedWithSnippets(state, "tpl"); }
BENCHMARK(BM_RefusedLongTemplateSnippets)->Unit(benchmark::kMillisecond);

void BM_RefusedLongTextSnippets(benchmark::State& state) { RefusedWithSnippets(state, "txt"); }
BENCHMARK(BM_RefusedLongTextSnippets)->Unit(benchmark::kMillisecond);

void BM_RefusedNestedTextSnippets(benchmark::State& state) { RefusedWithSnippets(state, "txts"); }
BENCHMARK(BM_RefusedNestedTextSnippets)->Unit(benchmark::kMillisecond);

void BM_RefusedManyElementSnippets(benchmark::State& state) { RefusedWithSnippets(state, "elss"); }
BENCHMARK(BM_RefusedManyElementSnippets)->Unit(benchmark::kMillisecond);

void BM_RefusedRepeatedSnippets(benchmark::State& state) { RefusedWithSnippets(state, "(txt*1000)*1000"); }
BENCHMARK(BM_RefusedRepeatedSnippets)->Unit(benchmark::kMillisecond);

void BM_RefusedLorem(benchmark::State& state) { RefusedWithSnippets(state, "lorem10000"); }
BENCHMARK(BM_RefusedLorem)->Unit(benchmark::kMillisecond);

void BM_WrapThousandLines(benchmark::State& state) {
  std::string selection;
  for (int i = 0; i < 1000; ++i) selection += "  line " + std::to_string(i) + "\r\n";
  const SnippetSources sources;
  for (auto _ : state) {
    AbbrevResult result = WrapSelection(selection, "ul>li.item$*>a", sources);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_WrapThousandLines)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
