// The INI engine beside the libraries people pick instead (inih, SimpleIni, iniParser,
// minIni, all from the system's packages) and beside the floor of the machine, on the same
// two files: load and index, one lookup (hits and misses mixed), one edit plus save.
//
// Each library is used the way it is meant to be used: inih parses from memory through a
// callback (bare, and with its C++ reader that keeps the values in a map); SimpleIni loads
// from memory; iniParser loads from the file; minIni has no load at all and reads the file
// again for every lookup and rewrites it for every edit.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <fstream>
#include <functional>
#include <string>

#include <INIReader.h>
// Bytes in, bytes out, as the engine treats text: no character-set conversion.
#define SI_NO_CONVERSION
#include <SimpleIni.h>
#include <ini.h>
#include <minIni.h>
extern "C" {
#include <iniparser.h>
}

#include "BenchFiles.h"
#include "ini/INIFile.h"
#include "launcher/CommonDefinitions.h"
#include "platform/message_box.h"

// Every operator new of the program is counted, so that a lookup that allocates shows it.
// (The C libraries allocate with malloc, which this does not see; their lookups do not
// allocate.)
namespace {
std::atomic<std::size_t> gAllocations{0};
}
void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using orvo::bench::Generated;

// Runs a lookup benchmark's loop and reports the heap allocations per lookup. Every probe is
// asked once before the timing starts: the figure is the cost of a lookup in a program that
// looks things up, not of the first one (which the load figure holds).
// lookup(i) asks probe i.
template <class Lookup>
void TimedLookups(benchmark::State& state, std::size_t probes, Lookup&& lookup) {
  for (std::size_t i = 0; i < probes; ++i) benchmark::DoNotOptimize(lookup(i));
  const std::size_t before = gAllocations.load();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(lookup(i++ & 255));
  state.counters["allocs"] = benchmark::Counter(static_cast<double>(gAllocations.load() - before) /
                                                static_cast<double>(state.iterations()));
}

struct File {
  std::string label;  // "8MiB" or "game"
  Generated g;
  std::string path;  // the text on disk, for the libraries that read files
  std::vector<std::pair<std::string, std::string>> probes;
};

std::string Folder() {
  static const std::string folder = [] {
    const auto dir = std::filesystem::temp_directory_path() / ("orvo-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir.string();
  }();
  return folder;
}

File Make(const std::string& label, Generated g) {
  File f{label, std::move(g), Folder() + "/" + label + ".ini", {}};
  std::ofstream(f.path, std::ios::binary) << f.g.text;
  f.probes = orvo::bench::Probes(f.g, 11);
  return f;
}

const File& Big() {
  static const File f = Make("8MiB", orvo::bench::Synthetic(200000, 42));
  return f;
}
const File& Game() {
  static const File f = Make("game", orvo::bench::GameSettings(7));
  return f;
}

void Bytes(benchmark::State& state, const File& f) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(f.g.text.size()));
}

// A value of the same length as the one it replaces, alternating, so every save writes.
std::string Flip(std::string v, std::size_t i) {
  if (!v.empty()) v[0] = (i & 1) ? 'a' : 'b';
  return v;
}

// ---- The floor ---------------------------------------------------------------------------
void FloorLoad(benchmark::State& state, const File& f) {
  for (auto _ : state) {
    std::size_t lines = 0;
    const char* p = f.g.text.data();
    const char* const end = p + f.g.text.size();
    while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)))) != nullptr) {
      ++lines;
      ++p;
    }
    benchmark::DoNotOptimize(lines);
  }
  Bytes(state, f);
}
void FloorSave(benchmark::State& state, const File& f) {
  const std::string out = f.path + ".floor";
  for (auto _ : state) {
    std::FILE* file = std::fopen(out.c_str(), "wb");
    std::fwrite(f.g.text.data(), 1, f.g.text.size(), file);
    std::fclose(file);
  }
}

// The same bytes written the way a save that must never lose the file writes them: a new
// file beside it, flushed to the device, moved over the old one, and the folder flushed.
void FloorSafeSave(benchmark::State& state, const File& f) {
  const std::string out = f.path + ".safe-floor";
  const std::string fresh = out + ".new";
  const std::string folder = std::filesystem::path(out).parent_path().string();
  for (auto _ : state) {
    const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || ::write(fd, f.g.text.data(), f.g.text.size()) != static_cast<ssize_t>(f.g.text.size()) ||
        ::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(fresh.c_str(), out.c_str()) != 0) {
      state.SkipWithError("safe write failed");
      break;
    }
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::fsync(dir);
    ::close(dir);
  }
}

// ---- The engine --------------------------------------------------------------------------
// Binding and indexing only, as engine-from-file and the other libraries' loads measure: no
// lookup (one that misses searches the whole index before the line-pair table is made, which
// once added 0.6 of the floor at 8 MiB to this figure).
void EngineLoad(benchmark::State& state, const File& f) {
  for (auto _ : state) {
    orvo::INIFile ini;
    ini.SetIniString(f.g.text);
    ini.BuildIndex();
    benchmark::ClobberMemory();
  }
  Bytes(state, f);
}
void EngineLoadFile(benchmark::State& state, const File& f) {
  for (auto _ : state) {
    orvo::INIFile ini;
    ini.SetFilename(f.path);
    ini.BuildIndex();
    benchmark::ClobberMemory();
  }
  Bytes(state, f);
}
// ask(ini, probe) looks one probe up in an engine that has indexed the file.
template <class Ask>
void EngineLookups(benchmark::State& state, const File& f, Ask&& ask) {
  orvo::INIFile ini;
  ini.SetIniString(f.g.text);
  ini.BuildIndex();
  TimedLookups(state, f.probes.size(), [&](std::size_t i) { return ask(ini, f.probes[i]); });
}
void EngineLookup(benchmark::State& state, const File& f) {
  EngineLookups(state, f, [](orvo::INIFile& ini, const auto& p) { return ini.GetIniValue(p.first, p.second); });
}
// The same search without the answer's copy: what a lookup costs before its value becomes a
// string of its own (which allocates for values over fifteen characters, as in the 8 MiB file).
void EngineSearch(benchmark::State& state, const File& f) {
  EngineLookups(state, f, [](orvo::INIFile& ini, const auto& p) { return ini.HasIniRecord(p.first, p.second); });
}
void EngineEditSave(benchmark::State& state, const File& f) {
  orvo::INIFile ini;
  ini.SetFilename(f.path + ".engine");
  ini.SetIniString(f.g.text);
  const auto& [section, entry] = f.g.keys[f.g.keys.size() / 2];
  const std::string value = ini.GetIniValue(section, entry);
  std::size_t i = 0;
  for (auto _ : state) {
    ini.SetIniValue(section, entry, Flip(value, i++));
    ini.Save(false);
  }
}

// ---- inih --------------------------------------------------------------------------------
void InihParse(benchmark::State& state, const File& f) {
  for (auto _ : state) {
    std::size_t seen = 0;
    ini_parse_string(
        f.g.text.c_str(),
        [](void* user, const char*, const char*, const char*) -> int {
          ++*static_cast<std::size_t*>(user);
          return 1;
        },
        &seen);
    benchmark::DoNotOptimize(seen);
  }
  Bytes(state, f);
}
void InihReaderLoad(benchmark::State& state, const File& f) {
  for (auto _ : state) {
    INIReader reader(f.g.text.data(), f.g.text.size());
    benchmark::DoNotOptimize(reader.ParseError());
  }
  Bytes(state, f);
}
void InihReaderLookup(benchmark::State& state, const File& f) {
  INIReader reader(f.g.text.data(), f.g.text.size());
  TimedLookups(state, f.probes.size(),
               [&](std::size_t i) { return reader.Get(f.probes[i].first, f.probes[i].second, ""); });
}

// ---- SimpleIni ---------------------------------------------------------------------------
void SimpleIniLoad(benchmark::State& state, const File& f) {
  for (auto _ : state) {
    CSimpleIniA ini;
    benchmark::DoNotOptimize(ini.LoadData(f.g.text.data(), f.g.text.size()));
  }
  Bytes(state, f);
}
void SimpleIniLookup(benchmark::State& state, const File& f) {
  CSimpleIniA ini;
  ini.LoadData(f.g.text.data(), f.g.text.size());
  TimedLookups(state, f.probes.size(), [&](std::size_t i) {
    return ini.GetValue(f.probes[i].first.c_str(), f.probes[i].second.c_str(), "");
  });
}
void SimpleIniEditSave(benchmark::State& state, const File& f) {
  CSimpleIniA ini;
  ini.LoadData(f.g.text.data(), f.g.text.size());
  const auto& [section, entry] = f.g.keys[f.g.keys.size() / 2];
  const std::string value = ini.GetValue(section.c_str(), entry.c_str(), "");
  const std::string out = f.path + ".simpleini";
  std::size_t i = 0;
  for (auto _ : state) {
    ini.SetValue(section.c_str(), entry.c_str(), Flip(value, i++).c_str());
    ini.SaveFile(out.c_str());
  }
}

// ---- iniParser ---------------------------------------------------------------------------
void IniparserLoad(benchmark::State& state, const File& f) {
  for (auto _ : state) {
    dictionary* d = iniparser_load(f.path.c_str());
    benchmark::DoNotOptimize(d);
    iniparser_freedict(d);
  }
  Bytes(state, f);
}
void IniparserLookup(benchmark::State& state, const File& f) {
  dictionary* d = iniparser_load(f.path.c_str());
  std::vector<std::string> keys;
  for (const auto& [section, entry] : f.probes) keys.push_back(section + ":" + entry);
  TimedLookups(state, keys.size(), [&](std::size_t i) { return iniparser_getstring(d, keys[i].c_str(), ""); });
  iniparser_freedict(d);
}
void IniparserEditSave(benchmark::State& state, const File& f) {
  dictionary* d = iniparser_load(f.path.c_str());
  const auto& [section, entry] = f.g.keys[f.g.keys.size() / 2];
  const std::string key = section + ":" + entry;
  const std::string value = iniparser_getstring(d, key.c_str(), "");
  const std::string out = f.path + ".iniparser";
  std::size_t i = 0;
  for (auto _ : state) {
    iniparser_set(d, key.c_str(), Flip(value, i++).c_str());
    std::FILE* file = std::fopen(out.c_str(), "w");
    iniparser_dump_ini(d, file);
    std::fclose(file);
  }
  iniparser_freedict(d);
}

// ---- minIni (file only) ------------------------------------------------------------------
void MinIniLookup(benchmark::State& state, const File& f) {
  char buffer[256];
  TimedLookups(state, f.probes.size(), [&](std::size_t i) {
    return ini_gets(f.probes[i].first.c_str(), f.probes[i].second.c_str(), "", buffer, sizeof buffer, f.path.c_str());
  });
}
void MinIniEditSave(benchmark::State& state, const File& f) {
  const std::string out = f.path + ".minini";
  std::filesystem::copy_file(f.path, out, std::filesystem::copy_options::overwrite_existing);
  const auto& [section, entry] = f.g.keys[f.g.keys.size() / 2];
  char buffer[256];
  ini_gets(section.c_str(), entry.c_str(), "", buffer, sizeof buffer, out.c_str());
  const std::string value = buffer;
  std::size_t i = 0;
  for (auto _ : state) {
    if (ini_puts(section.c_str(), entry.c_str(), Flip(value, i++).c_str(), out.c_str()) == 0) {
      state.SkipWithError("ini_puts failed");
      break;
    }
  }
}

using Bench = void (*)(benchmark::State&, const File&);

void Register(const std::string& figure, const std::string& library, Bench bench, benchmark::TimeUnit unit) {
  for (const File* f : {&Big(), &Game()}) {
    benchmark::RegisterBenchmark((figure + "/" + library + "/" + f->label).c_str(), bench, std::cref(*f))
        ->Unit(unit)
        ->MinTime(0.3);
  }
}

}  // namespace

int main(int argc, char** argv) {
  orvo::SetLoaderLogSink([](const std::string&) {});
  orvo::platform::SetMessageBoxReceiver([](const std::string& text, const std::string&) -> bool {
    std::fprintf(stderr, "box: %s\n", text.c_str());
    return false;
  });
  const auto ms = benchmark::kMicrosecond, ns = benchmark::kNanosecond;
  Register("load", "floor-memchr", FloorLoad, ms);
  Register("load", "engine", EngineLoad, ms);
  Register("load", "engine-from-file", EngineLoadFile, ms);
  Register("load", "inih-parse", InihParse, ms);
  Register("load", "inih-INIReader", InihReaderLoad, ms);
  Register("load", "SimpleIni", SimpleIniLoad, ms);
  Register("load", "iniParser-from-file", IniparserLoad, ms);
  Register("lookup", "engine", EngineLookup, ns);
  Register("lookup", "engine-search", EngineSearch, ns);
  Register("lookup", "inih-INIReader", InihReaderLookup, ns);
  Register("lookup", "SimpleIni", SimpleIniLookup, ns);
  Register("lookup", "iniParser", IniparserLookup, ns);
  Register("lookup", "minIni-file", MinIniLookup, ns);
  Register("editsave", "floor-safe-write", FloorSafeSave, ms);
  Register("editsave", "plain-write", FloorSave, ms);
  Register("editsave", "engine", EngineEditSave, ms);
  Register("editsave", "SimpleIni", SimpleIniEditSave, ms);
  Register("editsave", "iniParser", IniparserEditSave, ms);
  Register("editsave", "minIni", MinIniEditSave, ms);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Folder());
  return 0;
}
