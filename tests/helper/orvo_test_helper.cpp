// The process tests' helper program.
//
//   orvo-test-helper record OUT [MS|forever]
//       writes OUT (cwd=, show=, pid=, args=, one per line), then sleeps MS milliseconds
//       (or until killed) and exits 0
//   orvo-test-helper stubborn OUT   as record, forever, and deaf to SIGTERM
#include <cstdlib>
#include <csignal>
#include <fstream>
#include <string>

#include "helper/helper.h"
#include "platform/current_directory.h"
#include "platform/host_path.h"

using namespace orvo::test::helper;

int main(int argc, char** argv) {
  const std::string mode = argc >= 3 ? argv[1] : "";
  // "stubborn" records like "record" but ignores the polite request to end: only a hard
  // kill stops it.
  if (mode == "record" || mode == "stubborn") {
    if (mode == "stubborn") std::signal(SIGTERM, SIG_IGN);
    const std::string out = orvo::platform::ToHostPath(argv[2]), partial = out + ".partial";
    {
      std::ofstream file(partial, std::ios::binary | std::ios::trunc);
      file << "cwd=" << orvo::platform::CurrentDirectory() << "\nshow=" << ShowWindowValue() << "\npid=" << ProcessId() << "\nargs=";
      for (int i = 1; i < argc; ++i) file << (i > 1 ? "|" : "") << argv[i];
      file << "\n";
    }
    std::rename(partial.c_str(), out.c_str());  // so that a reader never sees half a record
    if ((argc >= 4 && std::string(argv[3]) == "forever") || mode == "stubborn") for (;;) SleepMs(1000);
    if (argc >= 4) SleepMs(static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)));
    return 0;
  }
  return 64;
}
