// The real loader binary, started with a real command line, against the helper program.
#include <gtest/gtest.h>

#include "launcher/LoaderRun.h"

namespace orvo::test {
namespace {

TEST_F(LaunchEndToEnd, CompleteRunLogsEveryStepInOrder) {
  const std::string line = game + ";" + followUp + ";";
  RunLoader(line);

  std::vector<std::string> expected = {"Started", line};
  AddSetEntries(expected, dir.Text("game"));
  expected.insert(expected.end(), {"Calling GPL:" + line, game, followUp, "", "", "RunApp:" + game, "Out of GPL"});
  AddSetEntries(expected, dir.Text("loader"));
  EXPECT_EQ(LogLines(Log()), expected);

  const auto gameRecord = ReadRecord(dir / "game.txt");
  EXPECT_EQ(gameRecord.at("cwd"), dir.Text("game"));
  EXPECT_EQ(gameRecord.at("args"), "record|" + dir.Text("game.txt") + "|300");
  EXPECT_EQ(gameRecord.at("show"), "1");

  ASSERT_TRUE(WaitForFile(dir / "followup.txt"));
  const auto followRecord = ReadRecord(dir / "followup.txt");
  EXPECT_EQ(followRecord.at("cwd"), dir.Text("loader"));
  EXPECT_EQ(followRecord.at("show"), "2");
}

TEST_F(LaunchEndToEnd, AnOldLogIsReplaced) {
  WriteBytes(Log(), "old run\r\n");
  RunLoader(game + ";;");
  const auto lines = LogLines(Log());
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "Started");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "old run"), 0);
}

TEST_F(LaunchEndToEnd, ALogThatCannotBeWrittenDoesNotStopTheRun) {
  std::filesystem::create_directory(Log());  // a folder where the log file should be
  RunLoader(game + ";" + followUp + ";");
  EXPECT_TRUE(std::filesystem::exists(dir / "game.txt"));
  EXPECT_TRUE(WaitForFile(dir / "followup.txt"));
}

// Every failure goes straight to the hand-off: no "Out of GPL".
struct ErrorCase {
  std::string name;
  std::string line;  // {game}, {follow} and {dir} are replaced
  bool gameRuns;
  bool followUpStarts;
  std::vector<std::string> middle;  // entries between the command line and the hand-off
  friend void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }
};

class LaunchErrorPath : public LaunchEndToEnd, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(LaunchErrorPath, GoesStraightToTheHandOff) {
  auto expand = [&](std::string s) {
    const std::pair<std::string, std::string> keys[] = {{"{game}", game}, {"{follow}", followUp}, {"{dir}", dir.Text()}};
    for (const auto& [key, value] : keys)
      for (auto p = s.find(key); p != std::string::npos; p = s.find(key)) s.replace(p, key.size(), value);
    return s;
  };
  const std::string line = expand(GetParam().line);
  RunLoader(line);
  std::vector<std::string> expected = {"Started", line};
  for (const auto& m : GetParam().middle) {
    if (m == "{set game}") {
      AddSetEntries(expected, dir.Text("game"));
    } else {
      expected.push_back(expand(m));
    }
  }
  AddSetEntries(expected, dir.Text("loader"));
  EXPECT_EQ(LogLines(Log()), expected);
  EXPECT_EQ(std::filesystem::exists(dir / "game.txt"), GetParam().gameRuns);
  if (GetParam().followUpStarts) {
    EXPECT_TRUE(WaitForFile(dir / "followup.txt"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LaunchErrorPath,
    ::testing::Values(
        ErrorCase{"NoSeparator", "{game}", false, false, {}},
        ErrorCase{"OneSeparator", "{game};{follow}", false, false, {}},
        ErrorCase{"EmptyGame", ";{follow};", false, true, {"Calling GPL:;{follow};", "", "{follow}", "", "", "RunApp:"}},
        ErrorCase{"MissingGame",
                  "{dir}\\game\\missing.exe;{follow};",
                  false,
                  true,
                  {"{set game}", "Calling GPL:{dir}\\game\\missing.exe;{follow};", "{dir}\\game\\missing.exe", "{follow}",
                   "", "", "RunApp:{dir}\\game\\missing.exe"}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace orvo::test
