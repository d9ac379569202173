// The failure scheme, caused by real inputs: what the loader log holds afterwards and which
// box was shown, and that the object loses nothing.
#include <filesystem>
#include <functional>

#include "IniTestSupport.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kInvalid = "Invalid procedure call or argument";

// A bound "[A]" CR LF "x=1" whose index file is newer and holds a position far past the text,
// as an index file left from a longer version of the file would.
void BindWithStaleIndex(INIFile& ini, const TempDir& dir) {
  WriteBytes(dir / "s.ini", "[A]\r\nx=1");
  WriteBytes(dir / "s.gix", "\r\nX\r\nA\r\nOLD\r\n999\r\n");  // written by hand: no final CR LF
  fs::last_write_time(dir / "s.gix", fs::last_write_time(dir / "s.ini") + std::chrono::seconds(5));
  ini.SetFilename(dir.Text("s.ini"));
}

struct FailureCase {
  std::string name;
  std::function<void(INIFile&, const TempDir&)> run;
  std::string box;                  // the box text
  std::vector<std::string> lines;   // the entries after the dump
};

class FailureScheme : public IniCases<FailureCase> {};

TEST_P(FailureScheme, DumpThenLinesThenBox) {
  const FailureCase& c = GetParam();
  TempDir dir;
  INIFile ini;
  BindWithStaleIndex(ini, dir);
  const std::size_t before = log.entries().size();
  c.run(ini, dir);

  std::vector<std::string> entries(log.entries().begin() + static_cast<std::ptrdiff_t>(before), log.entries().end());
  while (!entries.empty() && entries.front().rfind("Indexing ", 0) == 0) entries.erase(entries.begin());
  ASSERT_EQ(entries.size(), 8 + c.lines.size());
  EXPECT_EQ(entries[0], "NFE:Ini File Dump:");
  EXPECT_EQ(entries[1], "NFE:Filename: " + dir.Text("s.ini"));
  EXPECT_EQ(entries[2], "NFE:sIniFile:");
  EXPECT_EQ(entries[4], "NFE:** End of sIniFile **\r\n");
  EXPECT_EQ(entries[5], "NFE:Index:");
  EXPECT_EQ(entries[7], "NFE:** End of Index **\r\n");
  EXPECT_EQ(std::vector<std::string>(entries.begin() + 8, entries.end()), c.lines);
  const std::vector<RecordedBox> expectedBoxes = {{c.box, "Fatal Orvo+ Error"}};
  EXPECT_EQ(boxes.boxes(), expectedBoxes);
  EXPECT_EQ(ReadBytes(dir / "s.ini"), "[A]\r\nx=1");
}

INSTANTIATE_TEST_SUITE_P(
    Ini, FailureScheme,
    testing::Values(
        FailureCase{"SetIniValue",
                    [](INIFile& ini, const TempDir&) {
                      ini.SetIniValue("A", "x", " 2 ", false, true);
                      EXPECT_EQ(ini.IniString(), "[A]\r\nx=1");
                      EXPECT_FALSE(ini.Changed());
                    },
                    std::string(kInvalid) + " in inifile.SetIniValue",
                    {"NFE:pSection = A", "NFE:pEntry   = x", "NFE:pValue   = 2", "NFE:pAdd     = False",
                     "NFE:pDontMark= True"}},
        FailureCase{"DeleteIniEntry",
                    [](INIFile& ini, const TempDir&) {
                      ini.DeleteIniEntry("a", "X");
                      EXPECT_EQ(ini.IniString(), "[A]\r\nx=1");
                    },
                    std::string(kInvalid) + " in inifile.DeleteIniEntry", {"NFE:pSection = a", "NFE:pEntry   = X"}},
        // The key of section "999" and entry "old" matches the end of the index, where no
        // line follows it.
        FailureCase{"GetIniValue",
                    [](INIFile& ini, const TempDir&) { EXPECT_EQ(ini.GetIniValue("999", "OLD"), ""); },
                    std::string(kInvalid) + " in inifile.GetIniValue",
                    {"NFE:pSection = 999", "NFE:pEntry   = OLD", "NFE:sKey     = \r\nOLD\r\n999\r\n"}}),
    ByName());

TEST_F(IniTest, SaveIntoAMissingFolderKeepsChanged) {
  TempDir dir;
  const std::string name = dir.Text("missing\\x.ini");
  INIFile ini;
  ini.SetFilename(name);
  ini.SetChanged(true);
  ini.Save(false);
  EXPECT_TRUE(ini.Changed());
  ASSERT_EQ(boxes.texts().size(), 1u);
  EXPECT_TRUE(boxes.texts()[0].ends_with(" in Save " + name)) << boxes.texts()[0];
  // The empty text and the empty index give entries made of "NFE:" alone.
  ASSERT_EQ(log.entries().size(), 8u);
  EXPECT_EQ(log.entries()[3], "NFE:");
  EXPECT_EQ(log.entries()[6], "NFE:");
}

TEST_F(IniTest, BackupOfAFileNotOnDiskFailsButTheIndexFileIsWritten) {
  TempDir dir;
  INIFile ini;
  ini.SetFilename(dir.Text("n.ini"));
  ini.SetSaveIndex(true);
  ini.SetIniValue("A", "x", "1", true);
  ini.Save();
  EXPECT_TRUE(ini.Changed());
  EXPECT_FALSE(fs::exists(dir / "n.ini"));
  EXPECT_TRUE(fs::exists(dir / "n.gix"));
  ASSERT_EQ(boxes.texts().size(), 1u);
  EXPECT_TRUE(boxes.texts()[0].ends_with(" in Save " + dir.Text("n.ini")));
}

}  // namespace
}  // namespace orvo::test
