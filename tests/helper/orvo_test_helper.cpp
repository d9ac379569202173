// The process tests' helper program.
//
//   orvo-test-helper record OUT [MS|forever]
//       writes OUT (cwd=, show=, pid=, args=, one per line), then sleeps MS milliseconds
//       (or until killed) and exits 0
//   orvo-test-helper exit CODE      exits with CODE at once
//   orvo-test-helper sleep MS       sleeps, then exits 0
//   orvo-test-helper ping N OUT     writes the first N numbers of OrvoCommon::Ping to OUT
#include <cstdlib>
#include <csignal>
#include <fstream>
#include <string>

#include "common/OrvoCommon.h"
#include "helper/helper.h"
#include "platform/current_directory.h"
#include "platform/host_path.h"

using namespace orvo::test::helper;

namespace {

void Record(const std::string& outText, int argc, char** argv) {
  const std::string out = orvo::platform::ToHostPath(outText);
  const std::string partial = out + ".partial";
  {
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    file << "cwd=" << orvo::platform::CurrentDirectory() << "\n";
    file << "show=" << ShowWindowValue() << "\n";
    file << "pid=" << ProcessId() << "\n";
    file << "args=";
    for (int i = 1; i < argc; ++i) file << (i > 1 ? "|" : "") << argv[i];
    file << "\n";
  }
  // Renamed into place so that a reader never sees half a record.
  std::rename(partial.c_str(), out.c_str());
}

void SleepArgument(const char* arg) {
  if (arg == nullptr) return;
  if (std::string(arg) == "forever") {
    for (;;) SleepMs(1000);
  }
  SleepMs(static_cast<unsigned>(std::strtoul(arg, nullptr, 10)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 64;
  const std::string mode = argv[1];
  if (mode == "record" && argc >= 3) {
    Record(argv[2], argc, argv);
    SleepArgument(argc >= 4 ? argv[3] : nullptr);
    return 0;
  }
  if (mode == "exit" && argc >= 3) return std::atoi(argv[2]);
  // A companion that ignores the polite request to end: only a hard kill stops it.
  if (mode == "stubborn" && argc >= 3) {
    std::signal(SIGTERM, SIG_IGN);
    Record(argv[2], argc, argv);
    SleepArgument("forever");
  }
  if (mode == "sleep" && argc >= 3) {
    SleepArgument(argv[2]);
    return 0;
  }
  if (mode == "ping" && argc >= 4) {
    std::ofstream file(orvo::platform::ToHostPath(argv[3]), std::ios::binary | std::ios::trunc);
    file.precision(17);
    for (int k = std::atoi(argv[2]); k > 0; --k) file << orvo::Common().Ping("") << "\n";
    return 0;
  }
  return 64;
}
