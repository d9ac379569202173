// The failure scheme, caused by real inputs: what the loader log holds afterwards, which box
// was shown, and that the object and the file lose nothing.
#include <filesystem>

#include "IniTestSupport.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

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
  // Before each box, the dump of the object as it stood at the failure.
  const std::vector<std::string> dump = {"NFE:Ini File Dump:", "NFE:Filename: " + dir.Text("n.ini"), "NFE:sIniFile:",
                                         "NFE:[ A ]\r\nx = 1\r\n", "NFE:** End of sIniFile **\r\n", "NFE:Index:", "NFE:",
                                         "NFE:** End of Index **\r\n"};
  ASSERT_GE(log.entries().size(), dump.size());
  EXPECT_EQ(std::vector(log.entries().end() - dump.size(), log.entries().end()), dump);
  EXPECT_FALSE(fs::exists(dir / "n.ini"));
  EXPECT_TRUE(fs::exists(dir / "n.gix"));
}

}  // namespace
}  // namespace orvo::test
