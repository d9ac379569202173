// Each edit with the text before and after it, and the Changed flag it leaves.
#include "IniTestSupport.h"

namespace orvo::test {
namespace {

enum class Op { Set, Add, SetQuietly, DeleteEntry, DeleteSection };

TEST_F(IniTest, EachEditChangesOnlyWhatItMust) {
  const std::string km = "[Car]\r\nSpeed = 12 ; km\r\n";
  struct Case { const char* name; std::string before; Op op; std::string section, entry, value, after; bool changed; };
  const Case cases[] = {
      {"SameLength", km, Op::Set, "Car", "Speed", "99", "[Car]\r\nSpeed = 99 ; km\r\n", true},
      {"ShorterPadded", km, Op::Set, "car", "speed", "7", "[Car]\r\nSpeed = 7  ; km\r\n", true},
      {"LongerPushesRight", km, Op::Set, "Car", "Speed", "1234", "[Car]\r\nSpeed = 1234; km\r\n", true},
      {"ValueTrimmed", "[A]\nk=abc\n", Op::Set, "A", "k", "  z ", "[A]\nk=z  \n", true},
      {"SameValueNoChange", "[A]\r\nk =  12  \r\n", Op::Set, "A", "k", " 12 ", "[A]\r\nk =  12  \r\n", false},
      {"EmptyValueBeforeComment", "[A]\rk = ;c\r", Op::Set, "A", "k", "5", "[A]\rk = 5;c\r", true},
      {"EmptySectionIgnored", "k=1", Op::Add, "", "k", "2", "k=1", false},
      {"QuietlyLeavesChanged", km, Op::SetQuietly, "Car", "Speed", "1", "[Car]\r\nSpeed = 1  ; km\r\n", false},
      {"MissingWithoutAdd", km, Op::Set, "Car", "Gear", "3", km, false},
      {"AddEmptyValueIsNoChange", km, Op::Add, "Car", "Gear", "", km, false},
      {"AddFirstInSection", "[Car]\r\n\tSpeed=1\r\n", Op::Add, "CAR", "Gear", "3", "[Car]\r\n\tGear = 3\r\nSpeed=1\r\n", true},
      {"AddAfterLastHeader", "[Car]\r\n", Op::Add, "Car", "Gear", "3", "[Car]\r\n\r\nGear = 3\r\n", true},
      {"AddSection", "[Car]\r\nx=1\r\n\n\r", Op::Add, "Truck", "Gear", "3", "[Car]\r\nx=1\r\n\r\n[ Truck ]\r\nGear = 3\r\n", true},
      {"AddSectionToLineEnds", "\n\r\n", Op::Add, "Truck", "Gear", "3", "[ Truck ]\r\nGear = 3\r\n", true},
      {"DeleteEmptyValue", "[A]\r\nx=\r\ny=2", Op::DeleteEntry, "A", "x", "", "[A]\r\ny=2", true},
      {"DeleteWithLfOnly", "[A]\nx=1\ny=2\n", Op::DeleteEntry, "A", "x", "", "[A]\ny=2\n", true},
      {"DeleteWithCrOnly", "[A]\rx=1\ry=2\r", Op::DeleteEntry, "A", "y", "", "[A]\rx=1\r", true},
      {"DeleteMixedKeepsNeighbours", "[A]\r\nz=0\rx=1\n\ny=2", Op::DeleteEntry, "A", "x", "", "[A]\r\nz=0\n\ny=2", true},
      {"DeleteFirstLine", "x=1\r\n[A]", Op::DeleteEntry, "", "x", "", "\r\n[A]", true},
      {"DeleteOnlyLine", "x=1", Op::DeleteEntry, "", "x", "", "", true},
      {"DeleteMissingEntry", km, Op::DeleteEntry, "Car", "Gear", "", km, false},
      {"DeleteSection", "[A]\r\nx=1\r\n\r\n\t[B]\r\ny=2\r\n", Op::DeleteSection, "a", "x", "", "\t[B]\r\ny=2\r\n", true},
      {"DeleteLastSection", "[A]\r\nx=1\r\n  [ B ]\r\ny=2\r\n", Op::DeleteSection, "b", "y", "", "[A]\r\nx=1\r\n", true},
      {"DeleteFirstNamedSection", "k=0\n[]\n[A]\nx=1\n[B]", Op::DeleteSection, "", "k", "", "k=0\n[]\n[B]", true},
      {"DeleteMissingSection", km, Op::DeleteSection, "Truck", "x", "", km, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    INIFile ini = WithText(c.before);
    switch (c.op) {
      case Op::Set: ini.SetIniValue(c.section, c.entry, c.value); break;
      case Op::Add: ini.SetIniValue(c.section, c.entry, c.value, true); break;
      case Op::SetQuietly: ini.SetIniValue(c.section, c.entry, c.value, false, true); break;
      case Op::DeleteEntry: ini.DeleteIniEntry(c.section, c.entry); break;
      case Op::DeleteSection: ini.DeleteSection(c.section); break;
    }
    EXPECT_EQ(ini.IniString(), c.after);
    EXPECT_EQ(ini.Changed(), c.changed);
    // Whatever the edit did to the index, lookups agree with a fresh object on the new text.
    EXPECT_EQ(ini.GetIniValue(c.section, c.entry), WithText(ini.IniString()).GetIniValue(c.section, c.entry));
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo::test
