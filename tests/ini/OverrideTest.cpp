// The game's "-ko" override parameters.
#include "IniTestSupport.h"

namespace orvo::test {
namespace {

struct OverrideCase {
  std::string name;
  std::string file;  // bound (missing) file, which sets IniNumber; "" = never bound
  std::string section, newSection;
  std::int32_t number;
  std::string expected;
};

class Override : public IniCases<OverrideCase> {};

TEST_P(Override, SectionAsParameters) {
  const OverrideCase& c = GetParam();
  INIFile ini;
  if (!c.file.empty()) ini.SetFilename(c.file);
  ini.SetIniString("[Options]\r\nSpeed = 12\r\n; c\r\nGears=5\r\n-x = 1\r\n[Other]\r\nz=9");
  EXPECT_EQ(ini.GPLORSection(c.section, c.newSection, c.number), c.expected);
  EXPECT_TRUE(boxes.boxes().empty());
}

const char* kPlayer = "C:\\GPL\\player.ini";

INSTANTIATE_TEST_SUITE_P(
    Ini, Override,
    testing::Values(
        OverrideCase{"OwnNumberCallersName", kPlayer, "options", "", -1,
                     " -ko\"20:options:Speed:12\" -ko\"20:options:Gears:5\" -ko\"20:options:-x:1\""},
        OverrideCase{"NewSectionName", kPlayer, "Options", "Race", -1,
                     " -ko\"20:Race:Speed:12\" -ko\"20:Race:Gears:5\" -ko\"20:Race:-x:1\""},
        OverrideCase{"GivenNumber", kPlayer, "other", "", 60, " -ko\"60:other:z:9\""},
        OverrideCase{"NotAGameFile", "C:\\GPL\\mine.ini", "Other", "", -1, ""},
        OverrideCase{"NotAGameFileGivenNumber", "C:\\GPL\\mine.ini", "Other", "", 0, " -ko\"0:Other:z:9\""},
        OverrideCase{"NeverBoundIsCore", "", "Other", "", -1, " -ko\"0:Other:z:9\""},
        OverrideCase{"MissingSection", kPlayer, "None", "", -1, ""}),
    ByName());

TEST_F(IniTest, ParameterInsertsTextsAsTheyAre) {
  INIFile ini;
  EXPECT_EQ(ini.GPLORParameter("a:b", "\"k\"", "", 7), " -ko\"7:a:b:\"k\":\"");
  ini.SetIniNumber(-1);
  EXPECT_EQ(ini.GPLORParameter("A", "b", "c") + ini.GPLORParameter("A", "b", "c", -2), "");
}

}  // namespace
}  // namespace orvo::test
