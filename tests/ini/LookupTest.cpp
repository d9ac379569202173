// GetIniValue: exactly what one plain search of the index for the key answers, also once the
// line-pair table has taken over after the first searches and after an edit in place; and
// the game's "-ko" override parameters, made from a section as the index finds it.
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
                        {"LineEndInSection", car, "Car\r\n", "Speed", ""}, {"EmptyText", "", "", "", ""}};
  for (const Case& c : cases) {
    INIFile ini = WithText(c.text);
    for (int round = 0; round < 20; ++round) ASSERT_EQ(ini.GetIniValue(c.section, c.entry), c.value) << c.name << " " << round;
  }
  // A same-length edit rewrites a value inside the index: "1" and then "9" stand as a section
  // after the section line "A", and the answer is the position line, 8.
  INIFile ini = WithText("[A]\r\nx=1\r\n");
  for (int i = 0; i < 20; ++i) ASSERT_EQ(ini.GetIniValue("1", "A"), "8");
  ini.SetIniValue("A", "x", "9");
  EXPECT_EQ(ini.GetIniValue("9", "A") + "|" + ini.GetIniValue("1", "A") + "|" + ini.GetIniValue("a", "X"), "8||9");
  ini.SetIniString("[A]\r\nx=5\r\n");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "5");
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
