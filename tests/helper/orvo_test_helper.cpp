// The process tests' helper program:
//   record OUT [MS|forever] [FILE...]
//                            writes OUT (cwd=, show=, pid=, args=, one per line), then, once
//                            each FILE is there, sleeps MS milliseconds (or until killed) and
//                            exits 0
//   closes OUT               as record, forever, until asked to close: then writes OUT.closed
//                            and exits 0
//   stubborn OUT             as record, forever, and deaf to a request to close
//   starter OUT exit|stay    as record, having started "closes OUT.grandchild": with exit
//                            as a companion (in a session of its own on POSIX), then exits; with
//                            stay by the shell start, then sleeps until killed
//   killed-save INI N VALUE  binds INI, sets [A] x to VALUE and saves it, ended as a killed program
//                            is once N bytes are written (exit status kEndedAtAWrite); 0 when the
//                            save is through before
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "helper/helper.h"
#include "ini/INIFile.h"
#include "launcher/CommonDefinitions.h"
#include "platform/fault_switches.h"
#include "platform/current_directory.h"
#include "platform/host_path.h"
#include "platform/process.h"

using namespace orvo::test::helper;

static void SleepMs(unsigned ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
// Up to ten seconds.
static void WaitForFile(const std::string& pathText) {
  for (int i = 0; i < 500 && !std::ifstream(orvo::platform::ToHostPath(pathText)); ++i) SleepMs(20);
}

int main(int argc, char** argv) {
  const std::string mode = argc >= 3 ? argv[1] : "";
  if (mode == "killed-save" && argc >= 5) {
    orvo::SetLoaderLogSink([](const std::string&) {});
    orvo::INIFile ini;
    ini.SetFilename(argv[2]);
    ini.SetIniValue("A", "x", argv[4]);
    orvo::platform::EndProcessAfterBytes(std::strtoull(argv[3], nullptr, 10));
    ini.Save(false);
    return 0;
  }
  if (mode == "starter" && argc >= 4) {
    const std::string grandchild = std::string(argv[2]) + ".grandchild";
    const std::string command = "\"" + std::string(argv[0]) + "\" closes " + grandchild;
    orvo::platform::ProcessInformation info;
    if (std::string(argv[3]) == "exit") orvo::platform::CreateNewProcess(command, info);
    else orvo::platform::ShellStart(command, orvo::platform::kShowMinimised);
    // The own record comes after the grandchild's, so that a test that finds it finds both.
    WaitForFile(grandchild);
  }
  if (mode == "record" || mode == "closes" || mode == "stubborn" || mode == "starter") {
    const std::string out = orvo::platform::ToHostPath(argv[2]), partial = out + ".partial";
    // "stubborn" records like "record" but ignores the polite request to end: only a hard
    // kill stops it.
    if (mode == "stubborn") IgnoreRequestsToClose();
    if (mode == "closes") CloseWhenAsked(out + ".closed");
    {
      std::ofstream file(partial, std::ios::binary | std::ios::trunc);
      file << "cwd=" << orvo::platform::CurrentDirectory() << "\nshow=" << ShowWindowValue() << "\npid=" << ProcessId() << "\nargs=";
      for (int i = 1; i < argc; ++i) file << (i > 1 ? "|" : "") << argv[i];
      file << "\n";
    }
    std::rename(partial.c_str(), out.c_str());  // so that a reader never sees half a record
    const std::string until = argc >= 4 ? argv[3] : "";
    if (until == "forever" || until == "stay" || mode == "stubborn" || mode == "closes") for (;;) SleepMs(1000);
    if (mode == "starter") return 0;  // "exit": the grandchild runs on
    for (int i = 4; i < argc; ++i) WaitForFile(argv[i]);
    if (argc >= 4) SleepMs(static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)));
    return 0;
  }
  return 64;
}
