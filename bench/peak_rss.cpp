// The memory that loading and indexing the 8 MiB file takes: the peak resident size of a
// process that does nothing else. Usage: peak_rss write PATH (writes the file), then
// peak_rss PATH (binds it, builds the index, prints one JSON line). The two steps are two
// processes so that generating the text does not count.
#include <sys/resource.h>

#include <cstdio>
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
  const long before = PeakKiB();
  orvo::INIFile ini;
  ini.SetFilename(argv[1]);
  ini.BuildIndex();
  const long after = PeakKiB();
  std::printf("{\"file_bytes\": %zu, \"index_bytes\": %zu, \"peak_before_kib\": %ld, \"peak_kib\": %ld}\n",
              ini.IniString().size(), ini.IndexString().size(), before, after);
  return 0;
}
