// Where orvo's diagnostics go: the engine's log entries nowhere by default (never a
// LoaderLog.txt beside the program), to a file with --log, to stderr with --verbose.
#include <gtest/gtest.h>

#include "cli/CliRun.h"

namespace orvo::test {
namespace {

struct DiagnosticsCase {
  const char* name;
  std::vector<std::string> options;
  bool logFile;    // engine.log receives the entries
  bool onStderr;   // stderr receives them
};

class DiagnosticsCli : public ::testing::TestWithParam<DiagnosticsCase> {};

TEST_P(DiagnosticsCli, IndexingEntryGoesWhereAsked) {
  const DiagnosticsCase& c = GetParam();
  TempDir dir;
  WriteBytes(dir / "player.ini", "[A]\r\nx=1\r\n");
  // A copy of the program in the folder, so that a loader log beside it would show here.
  std::filesystem::copy_file(OrvoExe(), dir.path() / OrvoExe().filename());
  std::vector<std::string> arguments = c.options;
  for (const char* a : {"ini", "get", "player.ini", "A", "x"}) arguments.push_back(a);
  const Captured run = RunCapturing(dir.path() / OrvoExe().filename(), arguments, dir.path());

  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, Printed({"1"}));
  EXPECT_FALSE(std::filesystem::exists(dir / "LoaderLog.txt"));
  EXPECT_EQ(run.err.find("Indexing player.ini") != std::string::npos, c.onStderr) << run.err;
  if (c.logFile) {
    const std::string log = ReadBytes(dir / "engine.log");
    ASSERT_GE(log.size(), 18u + 19u + 2u);
    EXPECT_EQ(log.substr(18), "Indexing player.ini\r\n") << "one timestamped entry with CR LF";
  } else {
    EXPECT_FALSE(std::filesystem::exists(dir / "engine.log"));
  }
}

const DiagnosticsCase kDiagnostics[] = {
    {"Nowhere", {}, false, false},
    {"LogFile", {"--log", "engine.log"}, true, false},
    {"Verbose", {"--verbose"}, false, true},
    {"Both", {"--verbose", "--log", "engine.log"}, true, true},
};

INSTANTIATE_TEST_SUITE_P(Options, DiagnosticsCli, ::testing::ValuesIn(kDiagnostics),
                         [](const auto& info) { return std::string(info.param.name); });

// The engine's error box becomes a line on stderr; nothing waits for a key (stdin is empty
// and the run ends).
TEST(DiagnosticsCliBox, EngineBoxGoesToStderr) {
  TempDir dir;
  const Captured run = Orvo({"ini", "set", "no-such-folder/x.ini", "A", "x", "1", "--add"}, dir.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(" in Save "), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace orvo::test
