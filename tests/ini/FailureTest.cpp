// The failure scheme, caused by real inputs: what the loader log holds afterwards, which box
// was shown, and that the object and the file lose nothing.
#include <filesystem>
#include <functional>

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

// A key that matches at the index's very end has no line end after it: the lookup's search
// fails, and each member that reaches it runs its own scheme (an edit's after the lookup's).
TEST_F(IniTest, AKeyAtTheIndexEndFailsInEachMemberThatReadsItsRecord) {
  const std::string text = "[A]\r\nk=B\r\nz=1\r\n", index = "\r\nK\r\nA\r\nB\r\n8\r\n\r\nZ\r\nA\r\n1\r\n13\r\n";
  const std::string key = "sKey     = \r\n1\r\n13\r\n", invalid = "Invalid procedure call or argument";
  const std::vector<std::string> lookupLines = {"pSection = 13", "pEntry   = 1", key};
  // result: the lookup's answer, or the text after the edit.
  struct Case { const char* name; std::function<std::string(INIFile&)> call; std::vector<std::vector<std::string>> lines; std::vector<std::string> boxes; std::string result; };
  const Case cases[] = {
      {"GetIniValue", [](INIFile& ini) { return ini.GetIniValue("13", "1"); }, {lookupLines}, {invalid + " in inifile.GetIniValue"}, ""},
      {"SetIniValue", [](INIFile& ini) { ini.SetIniValue("13", "1", " v ", true, true); return ini.IniString(); },
       {lookupLines, {"pSection = 13", "pEntry   = 1", "pValue   = v", "pAdd     = True", "pDontMark= True"}},
       {invalid + " in inifile.GetIniValue", invalid + " in inifile.SetIniValue"}, text},
      {"DeleteIniEntry", [](INIFile& ini) { ini.DeleteIniEntry("13", "1"); return ini.IniString(); },
       {{"pSection = 13", "pEntry   = 1"}}, {invalid + " in inifile.DeleteIniEntry"}, text}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LogCapture log;
    BoxRecorder boxes;
    INIFile ini = WithText(text);
    ini.BuildIndex();
    EXPECT_EQ(c.call(ini), c.result);
    EXPECT_EQ(boxes.texts(), c.boxes);
    // Each dump of the object as it stood, then the member's parameter lines.
    std::vector<std::string> expected = {"Indexing "};
    for (const auto& lines : c.lines) {
      expected.insert(expected.end(), {"NFE:Ini File Dump:", "NFE:Filename: ", "NFE:sIniFile:", "NFE:" + text,
                                       "NFE:** End of sIniFile **\r\n", "NFE:Index:", "NFE:" + index, "NFE:** End of Index **\r\n"});
      for (const std::string& line : lines) expected.push_back("NFE:" + line);
    }
    EXPECT_EQ(log.entries(), expected);
    EXPECT_FALSE(ini.Changed());
  }
}

}  // namespace
}  // namespace orvo::test
