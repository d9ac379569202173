// Splitting the loader's command line, making a program's folder current, the log's entries.
#include <gtest/gtest.h>

#include <regex>

#include "vocabulary/Failure.h"
#include "launcher/LaunchCommand.h"
#include "launcher/frmIcon.h"
#include "platform/current_directory.h"
#include "platform/local_time.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

namespace orvo {
namespace {

TEST(SplitCommandLine, CutsAtTheFirstTwoSeparatorsOnly) {
  struct Case { std::string line; bool ok; std::string game, followUp, profile; };
  const Case cases[] = {{"C:\\GPL\\gpl.exe;C:\\Mgr\\mgr.exe;Race", true, "C:\\GPL\\gpl.exe", "C:\\Mgr\\mgr.exe", "Race"},
                        {"a;b;c;d", true, "a", "b", "c;d"}, {" a ; b ; c ", true, " a ", " b ", " c "}, {";;", true, "", "", ""},
                        {"game;follow", false, "game", "", ""}, {"no separator", false, "", "", ""}};
  for (const Case& c : cases) {
    LaunchCommand fields;
    if (c.ok) SplitCommandLine(c.line, fields);
    else EXPECT_THROW(SplitCommandLine(c.line, fields), OrvoError) << c.line;
    EXPECT_EQ(fields.gameCommand + "|" + fields.followUpCommand + "|" + fields.profileName, c.game + "|" + c.followUp + "|" + c.profile) << c.line;
  }
}

// Each case runs from a fresh folder tree; "<root>" stands for its text. The folder made
// current is logged, and under Windows the drive letter too.
TEST(SetWorkingFolder, TakesTheFolderBeforeTheFirstExe) {
  const std::pair<std::string, std::string> cases[] = {
      {"<root>\\GPL\\gpl.exe", "<root>\\GPL"}, {"<root>\\GPL\\GPL.EXE -ko x", "<root>\\GPL"}, {"<root>\\GPL\\gpl.Exe", "<root>\\GPL"},
      {"<root>\\A.EXE.D\\GPL.EXE", "<root>"},  // the first ".EXE" wins, even inside a folder name
      {"<root>\\GPL\\gpl.bat", ""}, {".exe", ""}, {"gpl.exe", ""},
      {"<root>\\Missing\\gpl.exe", ""}};  // a missing folder ends the routine silently, drive step included
  for (const auto& [path, folderPattern] : cases) {
    test::TempDir dir;
    for (const char* d : {"GPL", "A.EXE.D"}) std::filesystem::create_directories(dir / d);
    const std::string root = dir.Text(), start = platform::CurrentDirectory();
    auto expand = [&](std::string s) { return s.starts_with("<root>") ? root + s.substr(6) : s; };
    test::LogCapture log;
    frmIcon::SetWorkingFolder(expand(path));
    const std::string now = platform::CurrentDirectory(), folder = expand(folderPattern);
    platform::ChangeDirectory(start);
    std::vector<std::string> expected;
    if (!folder.empty()) expected.push_back("Set Dir to " + folder);
    if (!folder.empty() && root[1] == ':') expected.push_back(std::string("Set Drive to ") + root[0]);
    EXPECT_EQ(log.entries(), expected) << path;
    EXPECT_EQ(now, folder.empty() ? start : folder) << path;
  }
  test::LogCapture log;
  frmIcon::SetWorkingFolder("Q:\\nowhere\\gpl.exe");  // the failed folder step skips the drive step
  const std::string start = platform::CurrentDirectory();
  frmIcon::SetWorkingFolder("C:gpl.exe");  // no backslash: only the drive step runs
  platform::ChangeDirectory(start);
  EXPECT_EQ(log.entries(), std::vector<std::string>{"Set Drive to C"});
}

TEST(LoaderLog, EntriesStartWithTheLocalTimeInTheRegionalPattern) {
  std::vector<std::string> entries;
  const auto previous = SetLoaderLogSink([&](const std::string& e) { entries.push_back(e); });
  const platform::LocalDateTime now = platform::Now();
  WriteLoaderLog("Started");
  WriteLoaderLogNFE("pSection = Car");
  WriteLoaderLogLine("Indexing core.ini");
  WriteLoaderLog("a;b\r\na\r\n");
  SetLoaderLogSink(previous);
  auto escaped = [](const std::string& s) { return std::regex_replace(s, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)"); };
  const std::string d = escaped(platform::DateSeparator()), t = escaped(platform::TimeSeparator());
  const std::string stamp = "\\d\\d" + d + "\\d\\d" + d + "\\d\\d \\d\\d" + t + "\\d\\d" + t + "\\d\\d ";
  const std::vector<std::string> texts = {"Started", "NFE:pSection = Car", "Indexing core.ini", "a;b\r\na\r\n"};
  ASSERT_EQ(entries.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_TRUE(std::regex_match(entries[i], std::regex(stamp + escaped(texts[i])))) << entries[i];
  // Day first, the two-digit year third (a run across midnight is not expected).
  char dayAndYear[16];
  std::snprintf(dayAndYear, sizeof dayAndYear, "%02d %02d", now.day, now.year % 100);
  EXPECT_EQ(entries[0].substr(0, 2) + " " + entries[0].substr(6, 2), dayAndYear);
}

}  // namespace
}  // namespace orvo
