// The loader under faults of its surroundings and of its own process: whatever fails on the
// way, the run still starts the game, kills what it started and hands off to the follow-up
// command, and it neither crashes nor leaves a companion behind.
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <iterator>

#include "faults/OrdinaryUser.h"
#include "launcher/LoaderRun.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

struct LoaderFault {
  std::string name;
  friend void PrintTo(const LoaderFault& f, std::ostream* os) { *os << f.name; }
  // Race.bst, "" for none; {record a}: a companion recording to a.txt until it is killed,
  // {stubborn a}: one that ignores the polite signals too.
  std::string profile;
  void (*arrange)(const fs::path& loaderFolder);  // the fault in the installed loader's surroundings
  std::vector<std::string> companions = {};       // whose records must exist after the run, their processes gone
  bool (*confine)() = nullptr;                    // the fault in the loader's own process, false if it cannot be made
  bool logStaysEmpty = false;                      // the fault keeps every byte out of the log: proof that it bit
};

// A file size limit of 0 makes every write fail as on a full device (EFBIG), for root too;
// the signal that would end the writer is ignored, as the device's error is all a full disk gives.
bool NoRoomForAByte() {
  const rlimit none{0, 0};
  return ::setrlimit(RLIMIT_FSIZE, &none) == 0 && ::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
}

// A system call that fails with EPERM, as a container's filter makes it.
template <long call>
bool Refused() {
  sock_filter program[] = {BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
                           BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<__u32>(call), 0, 1),
                           BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM), BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
  const sock_fprog filter{std::size(program), program};
  return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

// Runs the loader in a child process confined first; the confinement holds for everything
// the loader starts too.
void RunConfined(const fs::path& loader, const std::string& line, bool (*confine)()) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!confine || confine()) ::execl(loader.c_str(), loader.c_str(), line.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the loader did not run, or did not reach its end";
}

class LoaderFaults : public LaunchEndToEnd, public testing::WithParamInterface<LoaderFault> {};

TEST_P(LoaderFaults, TheRunStillReachesTheHandOff) {
  const LoaderFault& c = GetParam();
  const fs::path profiles = dir / "loader" / "Profiles";
  if (!c.profile.empty()) {
    fs::create_directories(profiles);
    WriteBytes(profiles / "Race.bst", Replaced(c.profile, {{"{record a}", Helper("record", "a", " forever")},
                                                           {"{stubborn a}", Helper("stubborn", "a")}}));
  }
  GiveToOrdinaryUser(dir.path());
  if (c.arrange) c.arrange(dir / "loader");
  RunConfined(loader, game + ";" + followUp + ";Race", c.confine);
  if (c.logStaysEmpty) {
    EXPECT_EQ(fs::file_size(Log()), 0u) << "the fault did not bite: the log was written";
  }
  EXPECT_TRUE(fs::exists(dir / "game.txt")) << "the game was not started";
  if (const auto game = ReadRecord(dir / "game.txt"); game.count("pid")) {
    EXPECT_FALSE(ProcessIsRunning(std::stoul(game.at("pid")))) << "the loader did not wait for the game";
  }
  EXPECT_TRUE(WaitForFile(dir / "followup.txt")) << "no hand-off to the follow-up command";
  for (const std::string& name : c.companions) {
    ASSERT_TRUE(WaitForFile(dir / (name + ".txt"))) << name << " was not started";
    const auto record = ReadRecord(dir / (name + ".txt"));
    ASSERT_TRUE(record.count("pid")) << name;
    EXPECT_FALSE(ProcessIsRunning(std::stoul(record.at("pid")))) << name << " outlived the loader";
  }
}

// An old log that cannot be deleted sends the sequence straight to its handler: exit status
// 1 and the step on stderr, the log as it was. (Root could delete it: an ordinary user runs it.)
TEST_F(LaunchEndToEnd, AnOldLogThatCannotBeReplacedIsReported) {
  WriteBytes(Log(), "old run\r\n");
  ::chmod((dir / "loader").c_str(), 0555);
  const std::string line = game + ";" + followUp + ";";
  const Captured run = ::geteuid() != 0 ? RunCapturing(loader, {line}, dir.path())
                                        : RunCapturing("/usr/bin/setpriv", {"--reuid=65534", "--regid=65534",
                                                                            "--clear-groups", loader.string(), line},
                                                       dir.path());
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(run.err.find("orvo-loader: replacing the old log " + dir.Text("loader\\LoaderLog.txt")), 0u) << run.err;
  EXPECT_EQ(ReadBytes(Log()), "old run\r\n");
}

const std::string kOneCompanion = "[0]\r\npath = {record a}\r\n";

INSTANTIATE_TEST_SUITE_P(
    Faults, LoaderFaults,
    testing::Values(
        // The companion's record cannot be written either.
        LoaderFault{"LogOnAFullDevice", kOneCompanion, nullptr, {}, NoRoomForAByte, true},
        LoaderFault{"ProfilesIsAFile", "", [](const fs::path& l) { WriteBytes(l / "Profiles", "not a folder"); }},
        LoaderFault{"ProfileIsAFolder", "", [](const fs::path& l) { fs::create_directories(l / "Profiles/Race.bst"); }},
        LoaderFault{"ProfileFolderUnreadable", kOneCompanion,
                    [](const fs::path& l) { ::chmod((l / "Profiles").c_str(), 0); }, {}, BecomeOrdinaryUser},
        LoaderFault{"OwnFolderReadOnly", kOneCompanion, [](const fs::path& l) { ::chmod(l.c_str(), 0555); }, {"a"},
                    BecomeOrdinaryUser},
        LoaderFault{"CompanionIgnoresPoliteSignals", "[0]\r\npath = {stubborn a}\r\n", nullptr, {"a"}},
        LoaderFault{"NoProcessHandles", kOneCompanion, nullptr, {"a"}, Refused<SYS_pidfd_open>},
        LoaderFault{"ProcessHandlesMayNotSignal", kOneCompanion, nullptr, {"a"}, Refused<SYS_pidfd_send_signal>}),
    [](const testing::TestParamInfo<LoaderFault>& info) { return info.param.name; });

}  // namespace
}  // namespace orvo::test
