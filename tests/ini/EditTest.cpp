// Each edit with the text before and after it, and the Changed flag it leaves.
#include "IniTestSupport.h"

namespace orvo::test {
namespace {

enum Op { Set, Add, Quietly, DeleteEntry, DeleteSection };

TEST_F(IniTest, EachEditChangesOnlyWhatItMust) {
  const std::string km = "[Car]\r\nSpeed = 12 ; km\r\n";
  struct Case { const char* name; std::string before; Op op; std::string section, entry, value, after; };
  const Case cases[] = {
      {"SameLength", km, Set, "Car", "Speed", "99", "[Car]\r\nSpeed = 99 ; km\r\n"},
      {"ShorterPadded", km, Set, "car", "speed", "7", "[Car]\r\nSpeed = 7  ; km\r\n"},
      {"LongerPushesRight", km, Set, "Car", "Speed", "1234", "[Car]\r\nSpeed = 1234; km\r\n"},
      {"ValueTrimmed", "[A]\nk=abc\n", Set, "A", "k", "  z ", "[A]\nk=z  \n"},
      {"SameValueNoChange", "[A]\r\nk =  12  \r\n", Set, "A", "k", " 12 ", "[A]\r\nk =  12  \r\n"},
      {"EmptyValueBeforeComment", "[A]\rk = ;c\r", Set, "A", "k", "5", "[A]\rk = 5;c\r"}, {"EmptySectionIgnored", "k=1", Add, "", "k", "2", "k=1"},
      {"QuietlyLeavesChanged", km, Quietly, "Car", "Speed", "1", "[Car]\r\nSpeed = 1  ; km\r\n"}, {"MissingWithoutAdd", km, Set, "Car", "Gear", "3", km},
      {"AddEmptyValueIsNoChange", km, Add, "Car", "Gear", "", km},
      {"AddFirstInSection", "[Car]\r\n\tSpeed=1\r\n", Add, "CAR", "Gear", "3", "[Car]\r\n\tGear = 3\r\nSpeed=1\r\n"},
      {"AddAfterLastHeader", "[Car]\r\n", Add, "Car", "Gear", "3", "[Car]\r\n\r\nGear = 3\r\n"},
      {"AddSection", "[Car]\r\nx=1\r\n\n\r", Add, "Truck", "Gear", "3", "[Car]\r\nx=1\r\n\r\n[ Truck ]\r\nGear = 3\r\n"},
      {"AddSectionToLineEnds", "\n\r\n", Add, "Truck", "Gear", "3", "[ Truck ]\r\nGear = 3\r\n"},
      {"DeleteEmptyValue", "[A]\r\nx=\r\ny=2", DeleteEntry, "A", "x", "", "[A]\r\ny=2"},
      {"DeleteWithLfOnly", "[A]\nx=1\ny=2\n", DeleteEntry, "A", "x", "", "[A]\ny=2\n"},
      {"DeleteWithCrOnly", "[A]\rx=1\ry=2\r", DeleteEntry, "A", "y", "", "[A]\rx=1\r"},
      {"DeleteMixedKeepsNeighbours", "[A]\r\nz=0\rx=1\n\ny=2", DeleteEntry, "A", "x", "", "[A]\r\nz=0\n\ny=2"},
      {"DeleteFirstLine", "x=1\r\n[A]", DeleteEntry, "", "x", "", "\r\n[A]"}, {"DeleteOnlyLine", "x=1", DeleteEntry, "", "x", "", ""},
      {"DeleteMissingEntry", km, DeleteEntry, "Car", "Gear", "", km},
      {"DeleteSection", "[A]\r\nx=1\r\n\r\n\t[B]\r\ny=2\r\n", DeleteSection, "a", "x", "", "\t[B]\r\ny=2\r\n"},
      {"DeleteLastSection", "[A]\r\nx=1\r\n  [ B ]\r\ny=2\r\n", DeleteSection, "b", "y", "", "[A]\r\nx=1\r\n"},
      {"DeleteFirstNamedSection", "k=0\n[]\n[A]\nx=1\n[B]", DeleteSection, "", "k", "", "k=0\n[]\n[B]"},
      {"DeleteMissingSection", km, DeleteSection, "Truck", "x", "", km}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    INIFile ini = WithText(c.before);
    switch (c.op) {
      case Set: ini.SetIniValue(c.section, c.entry, c.value); break;
      case Add: ini.SetIniValue(c.section, c.entry, c.value, true); break;
      case Quietly: ini.SetIniValue(c.section, c.entry, c.value, false, true); break;
      case DeleteEntry: ini.DeleteIniEntry(c.section, c.entry); break;
      case DeleteSection: ini.DeleteSection(c.section); break;
    }
    EXPECT_EQ(ini.IniString(), c.after);
    EXPECT_EQ(ini.Changed(), c.after != c.before && c.op != Quietly);  // a quiet edit leaves the flag alone
    // Whatever the edit did to the index, lookups agree with a fresh object on the new text.
    EXPECT_EQ(ini.GetIniValue(c.section, c.entry), WithText(ini.IniString()).GetIniValue(c.section, c.entry));
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo::test
