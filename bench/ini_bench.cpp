// Index build throughput, the time of one lookup and of one in-place edit, on texts generated
// with a fixed seed.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "ini/INIFile.h"
#include "launcher/CommonDefinitions.h"

namespace {

using orvo::bench::Generated;
Generated MakeIni(int entries, unsigned seed) { return orvo::bench::Synthetic(entries, seed); }

void BM_BuildIndex(benchmark::State& state) {
  orvo::SetLoaderLogSink([](const std::string&) {});
  const Generated g = MakeIni(200000, 42);
  orvo::INIFile ini;
  ini.SetIniString(g.text);
  for (auto _ : state) {
    ini.BuildIndex();
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(g.text.size()));
  state.counters["MiB"] = static_cast<double>(g.text.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One lookup on a 1,000-entry file: every other lookup is a hit, spread over the whole file;
// the misses are names that are absent or sit in another section.
void BM_GetIniValue(benchmark::State& state) {
  orvo::SetLoaderLogSink([](const std::string&) {});
  const Generated g = MakeIni(1000, 7);
  orvo::INIFile ini;
  ini.SetIniString(g.text);
  ini.BuildIndex();
  std::vector<std::pair<std::string, std::string>> probes;
  std::mt19937 rng(11);
  std::uniform_int_distribution<std::size_t> any(0, g.keys.size() - 1);
  for (int i = 0; i < 256; ++i) {
    const auto& [section, entry] = g.keys[any(rng)];
    switch (i % 4) {
      case 0:
      case 2: probes.emplace_back(section, entry); break;
      case 1: probes.emplace_back(section, entry + "x"); break;
      default: probes.emplace_back("Section999", entry); break;
    }
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [section, entry] = probes[i++ & 255];
    benchmark::DoNotOptimize(ini.GetIniValue(section, entry));
  }
}
BENCHMARK(BM_GetIniValue)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// One edit without a save on the 8 MiB text: the value of the last entry of a section of 100
// (the farthest from its header) flips between two values of the same length, so the index is
// patched, never rebuilt, and the figure is the edit itself.
void BM_SetIniValue(benchmark::State& state) {
  orvo::SetLoaderLogSink([](const std::string&) {});
  const Generated g = MakeIni(200000, 42);
  orvo::INIFile ini;
  ini.SetIniString(g.text);
  ini.BuildIndex();
  const auto& [section, entry] = g.keys[100 * 1000 + 99];
  std::string values[2] = {ini.GetIniValue(section, entry), ini.GetIniValue(section, entry)};
  values[1][0] = values[1][0] == 'x' ? 'y' : 'x';
  std::size_t i = 0;
  for (auto _ : state) ini.SetIniValue(section, entry, values[++i & 1]);
  if (ini.GetIniValue(section, entry) != values[i & 1]) state.SkipWithError("the edit did not take");
}
BENCHMARK(BM_SetIniValue)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
