// GetIniValue: exactly what one plain search of the index for the key answers.
#include "IniTestSupport.h"

namespace orvo::test {
namespace {

struct LookupCase {
  std::string name;
  std::string text;
  std::string section;
  std::string entry;
  std::string value;
};

class Lookup : public IniCases<LookupCase> {};

TEST_P(Lookup, AnswersFromTheIndex) {
  const LookupCase& c = GetParam();
  INIFile ini = WithText(c.text);
  EXPECT_EQ(ini.GetIniValue(c.section, c.entry), c.value);
  EXPECT_TRUE(boxes.boxes().empty());
}

const std::string kCar = "[Car]\r\nSpeed = 12\r\nGear=3";

INSTANTIATE_TEST_SUITE_P(
    Ini, Lookup,
    testing::Values(LookupCase{"NamesIgnoreCase", kCar, "car", "SPEED", "12"},
                    LookupCase{"MissingEntry", kCar, "Car", "Clutch", ""},
                    LookupCase{"MissingSection", kCar, "Truck", "Speed", ""},
                    LookupCase{"NamesNotTrimmed", kCar, " Car", "Speed", ""},
                    LookupCase{"LastLineWithoutLineEnd", kCar, "CAR", "gear", "3"},
                    LookupCase{"FirstOfTwo", "[A]\nx=1\nx=2", "A", "x", "1"},
                    LookupCase{"FirstOfTwoSections", "[A]\nx=1\n[a]\nx=2", "a", "X", "1"},
                    LookupCase{"BeforeAnyHeader", "x=5\n[A]\nx=1", "", "x", "5"},
                    LookupCase{"ValueKeepsCaseAndInnerSpaces", "[A]\rk =  Hello  World  \r", "a", "k", "Hello  World"},
                    LookupCase{"DashLineNotFound", "[A]\n-x=1", "A", "-x", ""},
                    // The key of section "" and entry "16" meets the position line of Speed's
                    // record and the empty line after it; the plain search answers the next
                    // record's name.
                    LookupCase{"KeyAcrossRecords", kCar, "", "16", "GEAR"},
                    LookupCase{"EmptyText", "", "A", "x", ""}),
    ByName());

TEST_F(IniTest, NewObjectAnswersNothing) {
  INIFile ini;
  EXPECT_EQ(ini.GetIniValue("", ""), "");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "");
  EXPECT_EQ(ini.dbGetSection(""), "");
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo::test
