// Path texts (only the backslash separates, only the last point counts) and whole files.
#include <gtest/gtest.h>

#include <ctime>

#include "common/OrvoCommon.h"
#include "platform/current_directory.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

namespace orvo {
namespace {

TEST(PathTexts, SplitAtTheLastSeparator) {
  struct Case {
    std::string in, folder, last;
  };
  for (const Case& c : {Case{"file.txt", "", "file.txt"}, Case{"C:\\a\\b.txt", "C:\\a\\", "b.txt"},
                        Case{"\\", "", ""}, Case{"C:\\a\\\\", "C:\\a\\", ""}, Case{"C:\\Games\\GPL\\", "C:\\Games\\", "GPL"},
                        Case{"C:/a/b", "", "C:/a/b"}}) {
    std::string folder = "x", last = "x";
    Common().GetPath(c.in, folder, last);
    EXPECT_EQ(folder + "|" + last, c.folder + "|" + c.last) << c.in;
  }
}

TEST(PathTexts, EachMemberOnTheSameNames) {
  struct Case {
    std::string in, makeFilePath, filePath, stripPath, filePart, extension, stripExtension;
  };
  const OrvoCommon& c = Common();
  for (const Case& k : {
           Case{"C:\\a\\core.ini", "C:\\a\\core.ini\\", "C:\\a\\", "core.ini", "C:\\a\\core", "ini", "C:\\a\\core"},
           Case{"C:\\a.b\\core", "C:\\a.b\\core\\", "C:\\a.b\\", "core", "C:\\a", "b\\core", "C:\\a"},
           Case{"core", "core\\", "", "", "", "", "core"},
           Case{"core.", "core.\\", "", "", "core", "", "core"},
           Case{"archive.tar.gz", "archive.tar.gz\\", "", "", "archive.tar", "gz", "archive.tar"},
           Case{"  C:\\Games ", "C:\\Games\\", "  C:\\", "Games ", "", "", "  C:\\Games "},
           Case{"C:\\a\\\\", "C:\\a\\\\", "C:\\a\\\\", "", "", "", "C:\\a\\\\"},
           Case{"", "\\", "", "", "", "", ""},
       }) {
    EXPECT_EQ(c.MakeFilePath(k.in), k.makeFilePath) << k.in;
    EXPECT_EQ(c.FilePath(k.in), k.filePath) << k.in;
    EXPECT_EQ(c.StripPath(k.in), k.stripPath) << k.in;
    EXPECT_EQ(c.FilePart(k.in), k.filePart) << k.in;
    EXPECT_EQ(c.FileExtension(k.in), k.extension) << k.in;
    EXPECT_EQ(c.StripFileExtension(k.in), k.stripExtension) << k.in;
  }
}

class WholeFiles : public ::testing::Test {
 protected:
  test::TempDir dir;
  const OrvoCommon& c = Common();
};

TEST_F(WholeFiles, ExistenceOfFilesAndFolders) {
  test::WriteBytes(dir / "f.ini", "x");
  std::filesystem::create_directory(dir / "sub");
  const std::string start = platform::CurrentDirectory();
  EXPECT_TRUE(c.FileExists(dir.Text("f.ini")));
  EXPECT_FALSE(c.FileExists(dir.Text("sub")));
  EXPECT_FALSE(c.FileExists(dir.Text("missing.ini")));
  EXPECT_TRUE(c.DirectoryExists(dir.Text("sub")));
  EXPECT_FALSE(c.DirectoryExists(dir.Text("missing")));
  EXPECT_FALSE(c.DirectoryExists(dir.Text("f.ini")));
  EXPECT_EQ(platform::CurrentDirectory(), start);
}

TEST_F(WholeFiles, DateAndSizeOfAFile) {
  test::WriteBytes(dir / "f.ini", "12345");
  // 2004-05-12 13:45:30 local time is date value 38119 + (13*3600 + 45*60 + 30) / 86400.
  std::tm local{};
  local.tm_year = 104, local.tm_mon = 4, local.tm_mday = 12, local.tm_hour = 13, local.tm_min = 45, local.tm_sec = 30;
  local.tm_isdst = -1;
  const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local)) + std::chrono::milliseconds(700);
  std::filesystem::last_write_time(dir / "f.ini", std::filesystem::file_time_type::clock::from_sys(when));
  EXPECT_DOUBLE_EQ(c.FileDate(dir.Text("f.ini")), 38119 + (13 * 3600 + 45 * 60 + 30) / 86400.0);
  EXPECT_EQ(c.FileSize(dir.Text("f.ini")), 5);
  for (const std::string missing : {dir.Text("missing"), dir.Text()}) {
    EXPECT_EQ(c.FileDate(missing), 0.0) << missing;
    EXPECT_EQ(c.FileSize(missing), 0) << missing;
  }
}

TEST_F(WholeFiles, ReadAndWriteKeepEveryByte) {
  const std::string bytes("a\r\nb\rc\n\0\xff end\r\n", 16);
  test::WriteBytes(dir / "in.bin", bytes);
  EXPECT_EQ(c.ReadWholeFile(dir.Text("in.bin")), bytes);
  test::WriteBytes(dir / "empty", "");
  EXPECT_EQ(c.ReadWholeFile(dir.Text("empty")), "");
  // Binary access creates a missing file, empty.
  EXPECT_EQ(c.ReadWholeFile(dir.Text("new")), "");
  EXPECT_EQ(test::ReadBytes(dir / "new"), "");
  EXPECT_TRUE(std::filesystem::exists(dir / "new"));

  c.WriteNewIniFile(dir.Text("w.ini"), "old text");
  c.WriteNewIniFile(dir.Text("w.ini"), "a");
  EXPECT_EQ(test::ReadBytes(dir / "w.ini"), "a\r\n");
  c.WriteNewIniFile(dir.Text("w.ini"), "b\r\n");
  EXPECT_EQ(test::ReadBytes(dir / "w.ini"), "b\r\n\r\n");
  c.AppendToFile(dir.Text("log.txt"), "x");
  c.AppendToFile(dir.Text("log.txt"), "y");
  EXPECT_EQ(test::ReadBytes(dir / "log.txt"), "x\r\ny\r\n");
}

TEST_F(WholeFiles, FailuresAreQuiet) {
  test::BoxRecorder boxes;
  c.AppendToFile(dir.Text("missing\\log.txt"), "x");
  c.WriteNewIniFile(dir.Text("missing\\new.ini"), "x");
  EXPECT_EQ(c.ReadWholeFile(dir.Text("missing\\f.ini")), "");
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo
