// Pattern library benchmarks: compiling every pattern the program uses, and
// Match, Sub and GSub with those patterns on texts of 1 KB to 1 MB: tag-dense
// HTML, Japanese prose, and adversarial texts (thousands of "<" without ">",
// "<!--" without "-->", long runs of spaces before no "-->"). Figures are
// bytes of input per second.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "regex/TAWKStr.h"

namespace {

using tagsling::TAWKStr;
using tagsling::TRegularExpression;

struct Pattern {
  const char* name;
  const char* text;
};

// The program's patterns: tag deletion, then editor-title parsing.
const Pattern kPatterns[] = {
    {"outer_tag", "[<]([^<>]*)[>]|[<][!][-][-](.*)[-][-][>]"},
    {"outer_tag_mirror", "[>]([^><]*)[<]|[>][-][-](.*)[-][-][!][<]"},
    {"any_tag", "[<]([^<>]*)[>]"},
    {"comment_marks", "[<][!][-][-][ \x81\x40]*|[ \x81\x40]*[-][-][>]"},
    {"title_brackets", "[\\[].*[\\]]"},
    {"title_prefix", "^.*[ ][-][ ]"},
    {"title_suffix", "[ ][-][ ].*$"},
    {"title_colon", "[:][ ].*$"},
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
          benchmark::RegisterBenchmark(name.c_str(), Run, kPatterns[index].text, use.operation, kind.make(size))
              ->Unit(benchmark::kMicrosecond);
        }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
