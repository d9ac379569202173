// The game's "-ko" override parameters.
#include "IniTestSupport.h"

namespace orvo::test {
namespace {

TEST_F(IniTest, OverrideSectionAsParameters) {
  const char* player = "C:\\GPL\\player.ini";
  // file: a bound (missing) file, which sets IniNumber; "" = never bound
  struct Case { std::string file, section, newSection; std::int32_t number; std::string expected; };
  const Case cases[] = {
      {player, "options", "", -1, " -ko\"20:options:Speed:12\" -ko\"20:options:Gears:5\" -ko\"20:options:-x:1\""},
      {player, "Options", "Race", -1, " -ko\"20:Race:Speed:12\" -ko\"20:Race:Gears:5\" -ko\"20:Race:-x:1\""},
      {player, "other", "", 60, " -ko\"60:other:z:9\""},
      {"C:\\GPL\\mine.ini", "Other", "", -1, ""},
      {"C:\\GPL\\mine.ini", "Other", "", 0, " -ko\"0:Other:z:9\""},
      {"", "Other", "", -1, " -ko\"0:Other:z:9\""},
      {player, "None", "", -1, ""}};
  for (const Case& c : cases) {
    INIFile ini;
    if (!c.file.empty()) ini.SetFilename(c.file);
    ini.SetIniString("[Options]\r\nSpeed = 12\r\n; c\r\nGears=5\r\n-x = 1\r\n[Other]\r\nz=9");
    EXPECT_EQ(ini.GPLORSection(c.section, c.newSection, c.number), c.expected) << c.file << " " << c.section << " " << c.number;
  }
  INIFile ini;
  EXPECT_EQ(ini.GPLORParameter("a:b", "\"k\"", "", 7), " -ko\"7:a:b:\"k\":\"");  // texts inserted as they are
  ini.SetIniNumber(-1);
  EXPECT_EQ(ini.GPLORParameter("A", "b", "c") + ini.GPLORParameter("A", "b", "c", -2), "");
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo::test
