// The failure scheme, caused by real inputs: what the loader log holds afterwards, which box
// was shown, and that the object and the file lose nothing.
#include <filesystem>
#include <functional>

#include "IniTestSupport.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

TEST(IniFailures, DumpThenArgumentsThenBox) {
  const std::string invalid = "Invalid procedure call or argument in inifile.";
  struct Case { std::function<void(INIFile&)> run; std::string box; std::vector<std::string> lines; };  // lines after the dump
  const Case cases[] = {
      {[](INIFile& ini) { ini.SetIniValue("A", "x", " 2 ", false, true); }, invalid + "SetIniValue",
       {"NFE:pSection = A", "NFE:pEntry   = x", "NFE:pValue   = 2", "NFE:pAdd     = False", "NFE:pDontMark= True"}},
      {[](INIFile& ini) { ini.DeleteIniEntry("a", "X"); }, invalid + "DeleteIniEntry", {"NFE:pSection = a", "NFE:pEntry   = X"}},
      // This key matches the end of the index, where no line follows it.
      {[](INIFile& ini) { EXPECT_EQ(ini.GetIniValue("999", "OLD"), ""); }, invalid + "GetIniValue",
       {"NFE:pSection = 999", "NFE:pEntry   = OLD", "NFE:sKey     = \r\nOLD\r\n999\r\n"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    TempDir dir;
    LogCapture log;
    BoxRecorder boxes;
    // An index file newer than its INI file but written for a longer text: its position lies
    // far past the text. Written by hand, without the final CR LF of a saved one.
    WriteBytes(dir / "s.ini", "[A]\r\nx=1");
    WriteBytes(dir / "s.gix", "\r\nX\r\nA\r\nOLD\r\n999\r\n");
    fs::last_write_time(dir / "s.gix", fs::last_write_time(dir / "s.ini") + std::chrono::seconds(5));
    INIFile ini;
    ini.SetFilename(dir.Text("s.ini"));
    c.run(ini);
    std::vector<std::string> expected = {"NFE:Ini File Dump:", "NFE:Filename: " + dir.Text("s.ini"), "NFE:sIniFile:", "NFE:[A]\r\nx=1",
                                         "NFE:** End of sIniFile **\r\n", "NFE:Index:", "NFE:\r\nX\r\nA\r\nOLD\r\n999\r\n",
                                         "NFE:** End of Index **\r\n"};
    expected.insert(expected.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(log.entries(), expected);
    EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{c.box, "Fatal Orvo+ Error"}}));
    EXPECT_EQ(ini.IniString(), "[A]\r\nx=1");
    EXPECT_FALSE(ini.Changed());
  }
}

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
