// Splitting the loader's command line and making a program's folder current.
#include <gtest/gtest.h>

#include "common/Failure.h"
#include "launcher/LaunchCommand.h"
#include "launcher/frmIcon.h"
#include "platform/current_directory.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

namespace orvo {
namespace {

struct SplitCase {
  std::string line;
  bool ok;
  LaunchCommand expected;
  friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << '\'' << c.line << '\''; }
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, CutsAtTheFirstTwoSeparatorsOnly) {
  const SplitCase& c = GetParam();
  LaunchCommand fields;
  if (c.ok) {
    SplitCommandLine(c.line, fields);
  } else {
    EXPECT_THROW(SplitCommandLine(c.line, fields), OrvoError);
  }
  EXPECT_EQ(fields.gameCommand, c.expected.gameCommand);
  EXPECT_EQ(fields.followUpCommand, c.expected.followUpCommand);
  EXPECT_EQ(fields.profileName, c.expected.profileName);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitCommandLineTest,
    ::testing::Values(SplitCase{"C:\\GPL\\gpl.exe;C:\\Mgr\\mgr.exe;Race", true, {"C:\\GPL\\gpl.exe", "C:\\Mgr\\mgr.exe", "Race"}},
                      SplitCase{"a;b;c;d", true, {"a", "b", "c;d"}},
                      SplitCase{"a;;", true, {"a", "", ""}},
                      SplitCase{" a ; b ; c ", true, {" a ", " b ", " c "}},
                      SplitCase{";;", true, {"", "", ""}},
                      SplitCase{"game;follow", false, {"game", "", ""}},
                      SplitCase{"no separator", false, {"", "", ""}},
                      SplitCase{"", false, {"", "", ""}}));

// SetWorkingFolder makes real directory changes, so each case runs from a fresh folder tree
// and the logged "Set" entries are compared.
struct FolderCase {
  std::string path;    // "<root>" stands for the temporary folder's text
  std::string folder;  // the folder made current and logged; "" = none
  friend void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.path; }
};

class SetWorkingFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(SetWorkingFolderTest, TakesTheFolderBeforeTheFirstExe) {
  test::TempDir dir;
  std::filesystem::create_directories(dir / "GPL");
  std::filesystem::create_directories(dir / "A.EXE.D");
  const std::string root = dir.Text();
  const std::string start = platform::CurrentDirectory();
  auto expand = [&](std::string s) {
    for (auto p = s.find("<root>"); p != std::string::npos; p = s.find("<root>")) s.replace(p, 6, root);
    return s;
  };
  test::LogCapture log;
  frmIcon::SetWorkingFolder(expand(GetParam().path));
  const std::string now = platform::CurrentDirectory();
  platform::ChangeDirectory(start);

  const std::string folder = expand(GetParam().folder);
  std::vector<std::string> expected;
  if (!folder.empty()) {
    expected.push_back("Set Dir to " + folder);
    // Under Windows the temporary folder has a drive letter, which becomes current too.
    if (root.size() > 1 && root[1] == ':') expected.push_back(std::string("Set Drive to ") + root[0]);
  }
  EXPECT_EQ(log.entries(), expected);
  EXPECT_EQ(now, folder.empty() ? start : folder);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SetWorkingFolderTest,
    ::testing::Values(FolderCase{"<root>\\GPL\\gpl.exe", "<root>\\GPL"},
                      FolderCase{"<root>\\GPL\\GPL.EXE -ko x", "<root>\\GPL"},
                      FolderCase{"<root>\\GPL\\gpl.Exe", "<root>\\GPL"},
                      // The first ".EXE" wins, even inside a folder name.
                      FolderCase{"<root>\\A.EXE.D\\GPL.EXE", "<root>"},
                      FolderCase{"<root>\\GPL\\gpl.bat", ""},
                      FolderCase{".exe", ""},
                      FolderCase{"gpl.exe", ""},
                      // A folder that does not exist ends the routine silently, drive step included.
                      FolderCase{"<root>\\Missing\\gpl.exe", ""}));

TEST(SetWorkingFolderDrive, LogsTheDriveLetterOfAPathWithAColon) {
  test::LogCapture log;
  // Z: is Wine's view of the host root; on POSIX the folder 'Z:' does not exist, so only the
  // drive step could run, and it is skipped after the failed folder step.
  frmIcon::SetWorkingFolder("Q:\\nowhere\\gpl.exe");
  EXPECT_TRUE(log.entries().empty());
  const std::string start = platform::CurrentDirectory();
  frmIcon::SetWorkingFolder("C:gpl.exe");  // no backslash: the folder step is skipped
  platform::ChangeDirectory(start);
  ASSERT_EQ(log.entries().size(), 1u);
  EXPECT_EQ(log.entries()[0], "Set Drive to C");
}

}  // namespace
}  // namespace orvo
