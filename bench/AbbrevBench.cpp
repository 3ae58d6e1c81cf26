// Abbreviation benchmarks: the expansion the commands run most (a list of
// 1000 numbered links), a wide table, the HTML5 document snippet, a wrap of
// 1000 selected lines, and the worst cases the limits allow (an abbreviation
// of 10000 bytes, an expansion stopped at 1 MB). Figures are time per
// expansion; the first must stay well under 5 ms.

#include <benchmark/benchmark.h>

#include <string>

#include "abbrev/Abbreviation.h"

namespace {

using namespace tagsling::abbrev;

void Expand(benchmark::State& state, const std::string& abbreviation) {
  const SnippetSources sources;
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
