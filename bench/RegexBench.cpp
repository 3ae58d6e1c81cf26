// Pattern library benchmarks: compiling every pattern the program uses, and
// Match, Sub and GSub with those patterns on texts of 1 KB to 1 MB: tag-dense
// HTML, Japanese prose (no markup at all), and adversarial texts (thousands
// of "<" without ">", "<!--" without "-->", long runs of spaces before no
// "-->"). Figures are bytes of input per second.
//
// When the build finds RE2, every Match, Sub and GSub row runs a second time
// as "RE2/<row>" with RE2 (longest-match mode, Latin-1 bytes) on the same
// text, with a pattern written to mean the same thing on these texts, and
// the run ends with a table of both times per row and their ratio
// (ours / RE2). Before timing, each RE2 row checks that RE2 gives exactly our
// result; a row that differs is reported as an error instead of a figure.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "regex/TAWKStr.h"

#ifdef TAGSLING_BENCH_HAS_RE2
#include <re2/re2.h>
#endif

namespace {

using tagsling::TAWKStr;
using tagsling::TRegularExpression;

struct Pattern {
  const char* name;
  const char* text;
  // The same pattern for RE2 over Latin-1 bytes: "." and negated classes
  // leave out CR and LF as ours do, and the double-byte space is a
  // two-byte alternative instead of a class member.
  const char* re2;
};

// The program's patterns: tag deletion, then editor-title parsing.
const Pattern kPatterns[] = {
    {"outer_tag", "[<]([^<>]*)[>]|[<][!][-][-](.*)[-][-][>]", "<([^<>\\r\\n]*)>|<!--([^\\r\\n]*)-->"},
    {"outer_tag_mirror", "[>]([^><]*)[<]|[>][-][-](.*)[-][-][!][<]", ">([^><\\r\\n]*)<|>--([^\\r\\n]*)--!<"},
    {"any_tag", "[<]([^<>]*)[>]", "<([^<>\\r\\n]*)>"},
    {"comment_marks", "[<][!][-][-][ \x81\x40]*|[ \x81\x40]*[-][-][>]", "<!--(?: |\x81\x40)*|(?: |\x81\x40)*-->"},
    {"title_brackets", "[\\[].*[\\]]", "\\[[^\\r\\n]*\\]"},
    {"title_prefix", "^.*[ ][-][ ]", "^[^\\r\\n]*[ ]-[ ]"},
    {"title_suffix", "[ ][-][ ].*$", "[ ]-[ ][^\\r\\n]*$"},
    {"title_colon", "[:][ ].*$", ":[ ][^\\r\\n]*$"},
};

std::string Repeat(const std::string& unit, std::size_t size) {
  std::string out;
  out.reserve(size + unit.size());
  while (out.size() < size) out += unit;
  out.resize(size);
  return out;
}

// Tag deletion turns line breaks into markers first, so texts are one line.
std::string Html(std::size_t size) {
  return Repeat(
      "<p class=\"x\">Hello <b>world</b> &amp; <a href=\"a.html\">link</a></p>#####CR#####"
      "#####LF#####<!-- note --><td>\x82\xa0</td>",
      size);
}
std::string Prose(std::size_t size) {
  // "これは日本語の文章です。..." (Japanese prose, no markup)
  return Repeat(
      "\x82\xb1\x82\xea\x82\xcd\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x95\xb6\x8f\xcd\x82\xc5\x82\xb7\x81\x42\x83\x5e\x83\x4f"
      "\x82\xcc\x8d\xed\x8f\x9c\x82\xc6\x91\xe8\x96\xbc\x82\xcc\x89\xf0\x90\xcd\x82\xc9\x8e\x67\x82\xa4\x90\xb3\x8b\x4b"
      "\x95\x5c\x8c\xbb\x82\xf0\x91\xaa\x82\xe8\x82\xdc\x82\xb7\x81\x42",
      size);
}
std::string OpenAngles(std::size_t size) { return Repeat("<", size); }
std::string OpenComments(std::size_t size) { return Repeat("<!--", size); }
std::string Spaces(std::size_t size) { return Repeat(" ", size); }

struct TextKind {
  const char* name;
  std::string (*make)(std::size_t);
};
const TextKind kTexts[] = {
    {"html", Html}, {"prose", Prose}, {"adv_lt", OpenAngles}, {"adv_comment", OpenComments}, {"adv_spaces", Spaces},
};
const std::size_t kSizes[] = {1 << 10, 10 << 10, 100 << 10, 1 << 20};

void Compile(benchmark::State& state, const char* pattern) {
  for (auto _ : state) {
    TRegularExpression re;
    re.SetRegExp(pattern);
    benchmark::DoNotOptimize(re.CurrentDFA().StateCount());
  }
}

enum class Operation { Match, Sub, GSub };

// What one operation gives: Match's position and length, or the replaced
// text and the count.
struct Outcome {
  std::size_t position = 0;
  std::size_t length = 0;
  std::string text;
  bool operator==(const Outcome&) const = default;
};

Outcome RunOurs(const TAWKStr& awk, Operation operation, const std::string& text) {
  Outcome outcome;
  if (operation == Operation::Match) {
    awk.Match(text, outcome.position, outcome.length);
  } else {
    outcome.text = text;
    outcome.position = operation == Operation::Sub ? awk.Sub("", outcome.text) : awk.GSub("", outcome.text);
  }
  return outcome;
}

void Run(benchmark::State& state, const char* pattern, Operation operation, const std::string& text) {
  TAWKStr awk;
  awk.SetRegExp(pattern);
  for (auto _ : state) {
    if (operation == Operation::Match) {
      std::size_t position = 0, length = 0;
      benchmark::DoNotOptimize(awk.Match(text, position, length));
    } else {
      std::string copy = text;
      if (operation == Operation::Sub)
        benchmark::DoNotOptimize(awk.Sub("", copy));
      else
        benchmark::DoNotOptimize(awk.GSub("", copy));
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

#ifdef TAGSLING_BENCH_HAS_RE2
RE2::Options Re2Options() {
  RE2::Options options;
  options.set_encoding(RE2::Options::EncodingLatin1);
  options.set_longest_match(true);
  options.set_log_errors(false);
  options.set_max_mem(64 << 20);
  return options;
}

Outcome RunRe2(const RE2& re, Operation operation, const std::string& text) {
  Outcome outcome;
  if (operation == Operation::Match) {
    re2::StringPiece match;
    if (re.Match(text, 0, text.size(), RE2::UNANCHORED, &match, 1)) {
      outcome.position = static_cast<std::size_t>(match.data() - text.data()) + 1;
      outcome.length = match.size();
    }
  } else {
    outcome.text = text;
    outcome.position = operation == Operation::Sub
                           ? RE2::Replace(&outcome.text, re, "")
                           : static_cast<std::size_t>(RE2::GlobalReplace(&outcome.text, re, ""));
  }
  return outcome;
}

void RunRe2Row(benchmark::State& state, const Pattern* pattern, Operation operation, const std::string& text) {
  RE2 re(pattern->re2, Re2Options());
  if (!re.ok()) {
    state.SkipWithError(("RE2 rejects the pattern: " + re.error()).c_str());
    return;
  }
  TAWKStr awk;
  awk.SetRegExp(pattern->text);
  if (!(RunRe2(re, operation, text) == RunOurs(awk, operation, text))) {
    state.SkipWithError("RE2 gives a different result");
    return;
  }
  for (auto _ : state) {
    if (operation == Operation::Match) {
      re2::StringPiece match;
      benchmark::DoNotOptimize(re.Match(text, 0, text.size(), RE2::UNANCHORED, &match, 1));
    } else {
      std::string copy = text;
      if (operation == Operation::Sub)
        benchmark::DoNotOptimize(RE2::Replace(&copy, re, ""));
      else
        benchmark::DoNotOptimize(RE2::GlobalReplace(&copy, re, ""));
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
#endif

constexpr char kPeerPrefix[] = "RE2/";

void RegisterAll() {
  for (const Pattern& p : kPatterns)
    benchmark::RegisterBenchmark((std::string("Compile/") + p.name).c_str(), Compile, p.text)
        ->Unit(benchmark::kMicrosecond);

  // Each operation with the patterns the program uses it with.
  const struct {
    Operation operation;
    const char* name;
    std::vector<int> patterns;
  } uses[] = {
      {Operation::GSub, "GSub", {0, 2, 3}},
      {Operation::Sub, "Sub", {0, 1}},
      {Operation::Match, "Match", {4, 5, 6, 7}},
  };
  for (const auto& use : uses)
    for (int index : use.patterns)
      for (const TextKind& kind : kTexts)
        for (std::size_t size : kSizes) {
          std::string name =
              std::string(use.name) + "/" + kPatterns[index].name + "/" + kind.name + "/" + std::to_string(size);
          std::string text = kind.make(size);
          benchmark::RegisterBenchmark(name.c_str(), Run, kPatterns[index].text, use.operation, text)
              ->Unit(benchmark::kMicrosecond);
#ifdef TAGSLING_BENCH_HAS_RE2
          benchmark::RegisterBenchmark((kPeerPrefix + name).c_str(), RunRe2Row, &kPatterns[index], use.operation, text)
              ->Unit(benchmark::kMicrosecond);
#endif
        }
}

// The console output as usual, and at the end one line per row that ran
// both ways: our CPU time, RE2's and their ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) continue;
      // CPU time: on a shared machine it is less disturbed by other work
      // than wall time, and both sides run on one thread.
      double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
      std::string name = run.benchmark_name();
      bool peer = name.rfind(kPeerPrefix, 0) == 0;
      if (peer) name.erase(0, sizeof kPeerPrefix - 1);
      if (!rows_.count(name)) order_.push_back(name);
      double& slot = peer ? rows_[name].peer : rows_[name].ours;
      slot = slot > 0 ? std::min(slot, seconds) : seconds;  // the best of repetitions
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    int compared = 0, over = 0;
    double worst = 0;
    std::string worstRow;
    std::printf("\n%-44s %12s %12s %8s\n", "row (ours / RE2)", "ours us", "RE2 us", "ratio");
    for (const std::string& name : order_) {
      const Times& t = rows_[name];
      if (t.ours <= 0 || t.peer <= 0) continue;
      double ratio = t.ours / t.peer;
      std::printf("%-44s %12.2f %12.2f %8.2f%s\n", name.c_str(), t.ours * 1e6, t.peer * 1e6, ratio,
                  ratio > 3 ? "  > 3x" : "");
      ++compared;
      if (ratio > 3) ++over;
      if (ratio > worst) {
        worst = ratio;
        worstRow = name;
      }
    }
    if (compared)
      std::printf("%d rows compared, %d above 3x RE2, worst %.2f (%s)\n", compared, over, worst, worstRow.c_str());
    std::fflush(stdout);
  }

 private:
  struct Times {
    double ours = 0;
    double peer = 0;
  };
  std::map<std::string, Times> rows_;
  std::vector<std::string> order_;
};

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
