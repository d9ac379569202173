// The failure scheme, caused by real inputs: what the loader log holds afterwards, which box
// was shown, and that the object and the file lose nothing.
#include <filesystem>
#include <functional>

#include "IniTestSupport.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

// An index file that is newer than its INI file but written for a longer text: its position
// lies far past the text. Written by hand, without the final CR LF of a saved one.
void BindWithStaleIndex(INIFile& ini, const TempDir& dir) {
  WriteBytes(dir / "s.ini", "[A]\r\nx=1");
  WriteBytes(dir / "s.gix", "\r\nX\r\nA\r\nOLD\r\n999\r\n");
  fs::last_write_time(dir / "s.gix", fs::last_write_time(dir / "s.ini") + std::chrono::seconds(5));
  ini.SetFilename(dir.Text("s.ini"));
}

struct FailureCase {
  std::string name;
  std::function<void(INIFile&)> run;
  std::string box;
  std::vector<std::string> lines;  // the entries after the dump
};

class FailureScheme : public IniCases<FailureCase> {};

TEST_P(FailureScheme, DumpThenLinesThenBox) {
  TempDir dir;
  INIFile ini;
  BindWithStaleIndex(ini, dir);
  GetParam().run(ini);
  const std::vector<std::string> dump = {"NFE:Ini File Dump:", "NFE:Filename: " + dir.Text("s.ini"),
                                         "NFE:sIniFile:", "NFE:[A]\r\nx=1", "NFE:** End of sIniFile **\r\n",
                                         "NFE:Index:", "NFE:\r\nX\r\nA\r\nOLD\r\n999\r\n",
                                         "NFE:** End of Index **\r\n"};
  std::vector<std::string> expected = dump;
  expected.insert(expected.end(), GetParam().lines.begin(), GetParam().lines.end());
  EXPECT_EQ(log.entries(), expected);
  EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{GetParam().box, "Fatal Orvo+ Error"}}));
  EXPECT_EQ(ini.IniString(), "[A]\r\nx=1");
  EXPECT_FALSE(ini.Changed());
}

const std::string kInvalid = "Invalid procedure call or argument";

INSTANTIATE_TEST_SUITE_P(
    Ini, FailureScheme,
    testing::Values(
        FailureCase{"SetIniValue", [](INIFile& ini) { ini.SetIniValue("A", "x", " 2 ", false, true); },
                    kInvalid + " in inifile.SetIniValue",
                    {"NFE:pSection = A", "NFE:pEntry   = x", "NFE:pValue   = 2", "NFE:pAdd     = False",
                     "NFE:pDontMark= True"}},
        FailureCase{"DeleteIniEntry", [](INIFile& ini) { ini.DeleteIniEntry("a", "X"); },
                    kInvalid + " in inifile.DeleteIniEntry", {"NFE:pSection = a", "NFE:pEntry   = X"}},
        // This key matches the end of the index, where no line follows it.
        FailureCase{"GetIniValue", [](INIFile& ini) { EXPECT_EQ(ini.GetIniValue("999", "OLD"), ""); },
                    kInvalid + " in inifile.GetIniValue",
                    {"NFE:pSection = 999", "NFE:pEntry   = OLD", "NFE:sKey     = \r\nOLD\r\n999\r\n"}}),
    ByName());

TEST_F(IniTest, FailedSaveKeepsChangedAndWritesOnlyWhatCameBefore) {
  TempDir dir;
  for (const std::string& name : {dir.Text("missing\\x.ini"), dir.Text("n.ini")}) {
    INIFile ini;  // the first fails creating the file, the second moving it to the backup
    ini.SetFilename(name);
    ini.SetSaveIndex(true);
    ini.SetIniValue("A", "x", "1", true);
    ini.Save();
    EXPECT_TRUE(ini.Changed());
    ASSERT_FALSE(boxes.texts().empty());
    EXPECT_TRUE(boxes.texts().back().ends_with(" in Save " + name)) << boxes.texts().back();
  }
  EXPECT_EQ(boxes.texts().size(), 2u);
  EXPECT_FALSE(fs::exists(dir / "n.ini"));
  EXPECT_TRUE(fs::exists(dir / "n.gix"));
}

}  // namespace
}  // namespace orvo::test
