// Path texts (only the backslash separates, only the point starts an extension) and whole files.
#include <gtest/gtest.h>

#include <cmath>

#include "common/DateValue.h"
#include "common/OrvoCommon.h"
#include "platform/current_directory.h"
#include "platform/local_time.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

namespace orvo {
namespace {

const OrvoCommon c;

std::string Split(const std::string& full) {
  std::string path = "?", file = "?";
  c.GetPath(full, path, file);
  return path + "|" + file;
}

TEST(Paths, EachCallGivesItsText) {
  struct Row { std::string got, want; };
  const Row rows[] = {
      {Split("file.txt"), "|file.txt"}, {Split("C:\\a\\b.txt"), "C:\\a\\|b.txt"}, {Split("\\"), "|"},
      {Split("C:\\Games\\GPL\\"), "C:\\Games\\|GPL"}, {Split("C:\\a\\\\"), "C:\\a\\|"},
      {c.MakeFilePath("  C:\\Games "), "C:\\Games\\"}, {c.MakeFilePath(""), "\\"}, {c.MakeFilePath("\tC:\\a\\\\"), "\tC:\\a\\\\"},
      {c.FilePath("C:\\a\\b.txt"), "C:\\a\\"}, {c.FilePath("b.txt"), ""},
      {c.StripPath("C:\\a\\b.txt"), "b.txt"}, {c.StripPath("b.txt"), ""}, {c.StripPath("C:\\a\\"), ""},
      {c.FilePart("C:\\a\\core.ini"), "C:\\a\\core"}, {c.FilePart("C:\\a.b\\core"), "C:\\a"}, {c.FilePart("core"), ""},
      {c.FileExtension("core.ini"), "ini"}, {c.FileExtension("core."), ""}, {c.FileExtension("C:\\a.b\\core"), "b\\core"},
      {c.StripFileExtension("archive.tar.gz"), "archive.tar"}, {c.StripFileExtension("readme"), "readme"}};
  for (std::size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(rows[i].got, rows[i].want) << "row " << i;
  std::string onlyPath = "?";
  c.GetPath("C:\\a\\b.txt", onlyPath);
  EXPECT_EQ(onlyPath, "C:\\a\\");
}

TEST(Files, ExistenceDatesSizesAndWholeContents) {
  test::TempDir dir;
  test::BoxRecorder boxes;
  std::filesystem::create_directory(dir / "sub");
  const std::string start = platform::CurrentDirectory();
  EXPECT_TRUE(c.DirectoryExists(dir.Text("sub")));
  EXPECT_FALSE(c.DirectoryExists(dir.Text("none")));
  EXPECT_EQ(platform::CurrentDirectory(), start);
  EXPECT_FALSE(c.FileExists(dir.Text("sub")) || c.FileExists(dir.Text("none")));
  EXPECT_EQ(c.FileDate(dir.Text("none")) + c.FileSize(dir.Text("none")), 0);
  EXPECT_EQ(c.ReadWholeFile(dir.Text("none")), "");
  EXPECT_TRUE(std::filesystem::exists(dir / "none") && std::filesystem::file_size(dir / "none") == 0);

  c.WriteNewIniFile(dir.Text("w.ini"), "old\r\n");
  c.WriteNewIniFile(dir.Text("w.ini"), "a");
  EXPECT_EQ(test::ReadBytes(dir / "w.ini"), "a\r\n");
  for (const char* text : {"x", "y"}) c.AppendToFile(dir.Text("ap.txt"), text);
  c.AppendToFile(dir.Text("missing\\ap.txt"), "z");
  EXPECT_EQ(c.ReadWholeFile(dir.Text("ap.txt")), "x\r\ny\r\n");
  EXPECT_TRUE(c.FileExists(dir.Text("ap.txt")));
  EXPECT_EQ(c.FileSize(dir.Text("ap.txt")), 6);
  test::WriteBytes(dir / "zero.bin", std::string("\0a\r\n", 4));
  EXPECT_EQ(c.ReadWholeFile(dir.Text("zero.bin")), std::string("\0a\r\n", 4));
  const double now = ToDateValue(platform::Now());
  EXPECT_LT(std::fabs(c.FileDate(dir.Text("ap.txt")) - now), 5.0 / 86400);
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo
