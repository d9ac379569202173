// The real loader binary, started with a real command line, against the helper program.
#include <gtest/gtest.h>

#include "launcher/LoaderRun.h"

namespace orvo::test {
namespace {

using namespace std::string_literals;

TEST_F(LaunchEndToEnd, CompleteRunLogsEveryStepInOrderAndReplacesAnOldLog) {
  WriteBytes(Log(), "old run\r\n");
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
  EXPECT_EQ(followRecord.at("cwd") + " " + followRecord.at("show"), dir.Text("loader") + " 2");  // minimised
}

TEST_F(LaunchEndToEnd, ALogThatCannotBeWrittenDoesNotStopTheRun) {
  std::filesystem::create_directory(Log());  // a folder where the log file should be
  RunLoader(game + ";" + followUp + ";");
  EXPECT_TRUE(std::filesystem::exists(dir / "game.txt"));
  EXPECT_TRUE(WaitForFile(dir / "followup.txt"));
}

// Every failure goes straight to the hand-off: no "Out of GPL". In the texts {game},
// {follow} and {dir} are replaced, and "{set game}" stands for the game folder's Set entries.
TEST_F(LaunchEndToEnd, ErrorsGoStraightToTheHandOff) {
  struct Case { std::string line; bool followUpStarts; std::vector<std::string> middle; };
  const Case cases[] = {
      {"{game}", false, {}}, {"{game};{follow}", false, {}},
      {";{follow};", true, {"Calling GPL:;{follow};", "", "{follow}", "", "", "RunApp:"}},
      {"{dir}\\game\\missing.exe;{follow};", true,
       {"{set game}", "Calling GPL:{dir}\\game\\missing.exe;{follow};", "{dir}\\game\\missing.exe", "{follow}", "", "", "RunApp:{dir}\\game\\missing.exe"}}};
  auto expand = [&](std::string s) {
    for (const auto& [key, value] : {std::pair{"{game}"s, game}, {"{follow}"s, followUp}, {"{dir}"s, dir.Text()}})
      for (auto p = s.find(key); p != std::string::npos; p = s.find(key)) s.replace(p, key.size(), value);
    return s;
  };
  for (const Case& c : cases) {
    const std::string line = expand(c.line);
    SCOPED_TRACE(line);
    std::filesystem::remove(dir / "followup.txt");
    RunLoader(line);
    std::vector<std::string> expected = {"Started", line};
    for (const auto& m : c.middle) m == "{set game}" ? AddSetEntries(expected, dir.Text("game")) : expected.push_back(expand(m));
    AddSetEntries(expected, dir.Text("loader"));
    EXPECT_EQ(LogLines(Log()), expected);
    EXPECT_FALSE(std::filesystem::exists(dir / "game.txt"));
    if (c.followUpStarts) {
      EXPECT_TRUE(WaitForFile(dir / "followup.txt"));
    }
  }
}

}  // namespace
}  // namespace orvo::test
