// Reading a template from a large "Html.dat" at every tag command: parsed
// once and again only when the file changes, against a full parse per
// command. The file is just under the 4 MB limit, in code page 932 and in
// UTF-8 with a byte-order mark.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/Templates.h"
#include "settings/FileAccess.h"
#include "settings/ProfileFile.h"

namespace {

// A file of `size` bytes at most: many keys, the wanted one last.
std::string WriteDataFile(const std::string& name, bool utf8) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::string text = utf8 ? "\xEF\xBB\xBF[Html]\r\n" : "[Html]\r\n";
  const std::string value =
      utf8 ? "<p>\xE6\x97\xA5\xE6\x9C\xAC\xF0\x9F\x98\x80%SELSTR%</p>\r\n" : "<p>\x93\xFA\x96\x7B%SELSTR%</p>\r\n";
  for (int key = 0; text.size() + 64 < tagsling::settings::kProfileFileSizeLimit - 1024; ++key)
    text += "Key" + std::to_string(key) + "=" + value;
  text += "Moji_B=<b>%SELSTR%</b>\r\n";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

void BM_ReadTemplateParsedOnce(benchmark::State& state) {
  const std::string path = WriteDataFile("tagsling-bench-html.dat", state.range(0) != 0);
  for (auto _ : state) benchmark::DoNotOptimize(tagsling::core::ReadTemplate("Moji_B", path));
  std::remove(path.c_str());
}
BENCHMARK(BM_ReadTemplateParsedOnce)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ParseWholeFile(benchmark::State& state) {
  const std::string path = WriteDataFile("tagsling-bench-html-parse.dat", state.range(0) != 0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        tagsling::core::TemplateFromFile(tagsling::settings::ProfileDocument::Load(path), "Moji_B"));
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_ParseWholeFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
