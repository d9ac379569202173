// The memory that loading and indexing the 8 MiB file takes: the peak resident size of a
// process that does nothing else. Usage: peak_rss write PATH (writes the file), then
// peak_rss PATH (binds it, builds the index, prints one JSON line). The two steps are two
// processes so that generating the text does not count. Before the measured binding a small
// file is bound and indexed, so that the program's own code that the binding runs is already
// in memory: the figure is the memory that the data takes (the whole process's peak is
// printed too).
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchFiles.h"
#include "ini/INIFile.h"
#include "launcher/CommonDefinitions.h"

namespace {
long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // KiB on Linux
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "write") {
    std::ofstream(argv[2], std::ios::binary) << orvo::bench::Synthetic(200000, 42).text;
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: peak_rss write PATH | peak_rss PATH\n");
    return 2;
  }
  orvo::SetLoaderLogSink([](const std::string&) {});
  const std::string warm = std::string(argv[1]) + ".warm.ini";
  std::ofstream(warm, std::ios::binary) << orvo::bench::Synthetic(200, 1).text;
  {
    orvo::INIFile small;
    small.SetFilename(warm);
    small.BuildIndex();
  }
  std::filesystem::remove(warm);
  const long before = PeakKiB();
  orvo::INIFile ini;
  ini.SetFilename(argv[1]);
  const long bound = PeakKiB();
  ini.BuildIndex();
  const long after = PeakKiB();
  std::printf("{\"file_bytes\": %zu, \"index_bytes\": %zu, \"peak_before_kib\": %ld, \"peak_bound_kib\": %ld, "
              "\"peak_kib\": %ld}\n",
              ini.IniString().size(), ini.IndexString().size(), before, bound, after);
  return 0;
}
