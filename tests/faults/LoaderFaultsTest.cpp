// The loader under faults of its surroundings: whatever fails on the way, the run still
// starts the game, kills what it started and hands off to the follow-up command, and it
// neither crashes nor leaves a companion behind. Faults that rest on permissions cannot bite
// a process running as root; those cases are skipped there with a message.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>

#include "launcher/LoaderRun.h"

namespace orvo::test {
namespace {

struct LoaderFault {
  std::string name;
  friend void PrintTo(const LoaderFault& f, std::ostream* os) { *os << f.name; }
  // Prepares the fault in the installed loader's surroundings; returns the profile programs'
  // record files that must exist after the run (their processes must be gone).
  std::function<std::vector<std::string>(class LoaderFaults&)> arrange;
  bool permissionBased = false;  // no fault for root
  bool fullDevice = false;       // the loader may not write a single byte to any file
};

class LoaderFaults : public LaunchEndToEnd, public testing::WithParamInterface<LoaderFault> {
 public:
  const TempDir& Dir() const { return dir; }
  std::filesystem::path Profiles() const { return dir / "loader" / "Profiles"; }
  void WriteProfile(const std::string& text) {
    std::filesystem::create_directories(Profiles());
    WriteBytes(Profiles() / "Race.bst", text);
  }
  std::string Companion(const std::string& mode, const std::string& name) const {
    return PathText(HelperExe()) + " " + mode + " " + dir.Text(name + ".txt") + (mode == "record" ? " forever" : "");
  }
};

TEST_P(LoaderFaults, TheRunStillReachesTheHandOff) {
  if (GetParam().permissionBased && ::geteuid() == 0)
    GTEST_SKIP() << "running as root: permissions do not stop root, so this fault cannot happen";
  const std::vector<std::string> companions = GetParam().arrange(*this);
  const std::string line = game + ";" + followUp + ";Race";
  if (GetParam().fullDevice) {
    // A file size limit of 0 makes every write fail as on a full device (EFBIG), for root
    // too; the signal that would end the writer is ignored, as the device's error is all a
    // full disk gives.
    const std::string command = "ulimit -f 0; trap '' XFSZ; exec '" + loader.string() + "' '" + line + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "the loader was ended by signal " << WTERMSIG(status);
    EXPECT_EQ(std::filesystem::file_size(Log()), 0u) << "the fault did not bite: the log was written";
  } else {
    RunLoader(line);
  }
  EXPECT_TRUE(std::filesystem::exists(dir / "game.txt")) << "the game was not started";
  EXPECT_TRUE(WaitForFile(dir / "followup.txt")) << "no hand-off to the follow-up command";
  for (const std::string& name : companions) {
    ASSERT_TRUE(WaitForFile(dir / (name + ".txt"))) << name << " was not started";
    const auto record = ReadRecord(dir / (name + ".txt"));
    ASSERT_TRUE(record.count("pid")) << name;
    EXPECT_FALSE(ProcessIsRunning(std::stoul(record.at("pid")))) << name << " outlived the loader";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LoaderFaults,
    testing::Values(
        LoaderFault{"LogOnAFullDevice",
                    [](LoaderFaults& t) {
                      t.WriteProfile("[0]\r\npath = " + t.Companion("record", "a") + "\r\n");
                      return std::vector<std::string>{};  // its record cannot be written either
                    },
                    false, true},
        LoaderFault{"ProfilesIsAFile",
                    [](LoaderFaults& t) {
                      WriteBytes(t.Profiles(), "not a folder");
                      return std::vector<std::string>{};
                    }},
        LoaderFault{"ProfileIsAFolder",
                    [](LoaderFaults& t) {
                      std::filesystem::create_directories(t.Profiles() / "Race.bst");
                      return std::vector<std::string>{};
                    }},
        LoaderFault{"ProfileFolderCannotBeRead",
                    [](LoaderFaults& t) {
                      t.WriteProfile("[0]\r\npath = " + t.Companion("record", "a") + "\r\n");
                      ::chmod(t.Profiles().c_str(), 0);
                      return std::vector<std::string>{};
                    },
                    true},
        LoaderFault{"OwnFolderReadOnly",
                    [](LoaderFaults& t) {
                      t.WriteProfile("[0]\r\npath = " + t.Companion("record", "a") + "\r\n");
                      ::chmod((t.Dir() / "loader").c_str(), 0555);
                      return std::vector<std::string>{"a"};
                    },
                    true},
        LoaderFault{"CompanionCannotBeStarted",
                    [](LoaderFaults& t) {
                      t.WriteProfile("[0]\r\npath = " + t.Dir().Text("missing\\nothing.exe") + "\r\n[1]\r\npath = " +
                                     t.Companion("record", "b") + "\r\n");
                      return std::vector<std::string>{"b"};
                    }},
        LoaderFault{"CompanionIgnoresPoliteSignals",
                    [](LoaderFaults& t) {
                      t.WriteProfile("[0]\r\npath = " + t.Companion("stubborn", "a") + "\r\n");
                      return std::vector<std::string>{"a"};
                    }}),
    [](const testing::TestParamInfo<LoaderFault>& info) { return info.param.name; });

}  // namespace
}  // namespace orvo::test
