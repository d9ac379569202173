// GetIniValue: exactly what one plain search of the index for the key answers; and the
// game's "-ko" override parameters, made from a section as the index finds it.
#include "IniTestSupport.h"

namespace orvo::test {
namespace {

TEST_F(IniTest, LookupsAnswerFromTheIndex) {
  const std::string car = "[Car]\r\nSpeed = 12\r\nGear=3";
  struct Case { const char* name; std::string text, section, entry, value; };
  const Case cases[] = {{"NamesIgnoreCase", car, "car", "SPEED", "12"}, {"MissingEntry", car, "Car", "Clutch", ""},
                        {"NamesNotTrimmed", car, " Car", "Speed", ""}, {"LastLineWithoutLineEnd", car, "CAR", "gear", "3"},
                        {"FirstOfTwo", "[A]\nx=1\nx=2", "A", "x", "1"}, {"FirstOfTwoSections", "[A]\nx=1\n[a]\nx=2", "a", "X", "1"},
                        {"BeforeAnyHeader", "x=5\n[A]\nx=1", "", "x", "5"},
                        {"ValueKeepsCaseAndInnerSpaces", "[A]\rk =  Hello  World  \r", "a", "k", "Hello  World"},
                        {"DashLineNotFound", "[A]\n-x=1", "A", "-x", ""},
                        // The key of section "" and entry "16" meets the position line of Speed's
                        // record and the empty line after it: the next record's name answers.
                        {"KeyAcrossRecords", car, "", "16", "GEAR"},
                        {"EmptyText", "", "", "", ""}};
  for (const Case& c : cases) EXPECT_EQ(WithText(c.text).GetIniValue(c.section, c.entry), c.value) << c.name;
  EXPECT_TRUE(boxes.boxes().empty());
}

// The game's "-ko" override parameters.
TEST_F(IniTest, OverrideSectionAsParameters) {
  const char* player = "C:\\GPL\\player.ini";
  // file: a bound (missing) file, which sets IniNumber; "" = never bound
  struct Case { std::string file, section, newSection; std::int32_t number; std::string expected; };
  const Case cases[] = {
      {player, "options", "", -1, " -ko\"20:options:Speed:12\" -ko\"20:options:Gears:5\" -ko\"20:options:-x:1\""},
      {player, "Options", "Race", -1, " -ko\"20:Race:Speed:12\" -ko\"20:Race:Gears:5\" -ko\"20:Race:-x:1\""},
      {player, "other", "", 60, " -ko\"60:other:z:9\""}, {"C:\\GPL\\mine.ini", "Other", "", -1, ""},
      {"C:\\GPL\\mine.ini", "Other", "", 0, " -ko\"0:Other:z:9\""}, {"", "Other", "", -1, " -ko\"0:Other:z:9\""}, {player, "None", "", -1, ""}};
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
