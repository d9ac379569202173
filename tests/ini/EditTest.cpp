// Each edit with the text before and after it, and the Changed flag it leaves.
#include "IniTestSupport.h"

namespace orvo::test {
namespace {

enum class Op { Set, Add, SetQuietly, DeleteEntry, DeleteSection };

struct EditCase {
  std::string name;
  std::string before;
  Op op;
  std::string section, entry, value;
  std::string after;
  bool changed;
};

class Edit : public IniCases<EditCase> {};

TEST_P(Edit, ChangesOnlyWhatItMust) {
  const EditCase& c = GetParam();
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
  EXPECT_TRUE(boxes.boxes().empty());
  // Whatever the edit did to the index, lookups agree with a fresh object on the new text.
  INIFile fresh = WithText(ini.IniString());
  EXPECT_EQ(ini.GetIniValue(c.section, c.entry), fresh.GetIniValue(c.section, c.entry));
}

const std::string kKm = "[Car]\r\nSpeed = 12 ; km\r\n";

INSTANTIATE_TEST_SUITE_P(
    Ini, Edit,
    testing::Values(
        EditCase{"SameLength", kKm, Op::Set, "Car", "Speed", "99", "[Car]\r\nSpeed = 99 ; km\r\n", true},
        EditCase{"ShorterPadded", kKm, Op::Set, "car", "speed", "7", "[Car]\r\nSpeed = 7  ; km\r\n", true},
        EditCase{"LongerPushesRight", kKm, Op::Set, "Car", "Speed", "1234", "[Car]\r\nSpeed = 1234; km\r\n", true},
        EditCase{"ValueTrimmed", "[A]\nk=abc\n", Op::Set, "A", "k", "  z ", "[A]\nk=z  \n", true},
        EditCase{"SameValueNoChange", "[A]\r\nk =  12  \r\n", Op::Set, "A", "k", " 12 ", "[A]\r\nk =  12  \r\n", false},
        EditCase{"EmptyValueBeforeComment", "[A]\rk = ;c\r", Op::Set, "A", "k", "5", "[A]\rk = 5;c\r", true},
        EditCase{"EmptySectionIgnored", "k=1", Op::Add, "", "k", "2", "k=1", false},
        EditCase{"QuietlyLeavesChanged", kKm, Op::SetQuietly, "Car", "Speed", "1", "[Car]\r\nSpeed = 1  ; km\r\n",
                 false},
        EditCase{"MissingWithoutAdd", kKm, Op::Set, "Car", "Gear", "3", kKm, false},
        EditCase{"AddEmptyValueIsNoChange", kKm, Op::Add, "Car", "Gear", "", kKm, false},
        EditCase{"AddFirstInSection", "[Car]\r\n\tSpeed=1\r\n", Op::Add, "CAR", "Gear", "3",
                 "[Car]\r\n\tGear = 3\r\nSpeed=1\r\n", true},
        EditCase{"AddAfterLastHeader", "[Car]\r\n", Op::Add, "Car", "Gear", "3", "[Car]\r\n\r\nGear = 3\r\n", true},
        EditCase{"AddSection", "[Car]\r\nx=1\r\n\n\r", Op::Add, "Truck", "Gear", "3",
                 "[Car]\r\nx=1\r\n\r\n[ Truck ]\r\nGear = 3\r\n", true},
        EditCase{"AddSectionToEmpty", "", Op::Add, "Truck", "Gear", "3", "[ Truck ]\r\nGear = 3\r\n", true},
        EditCase{"AddSectionToLineEnds", "\n\r\n", Op::Add, "Truck", "Gear", "3", "[ Truck ]\r\nGear = 3\r\n", true},
        EditCase{"DeleteEntry", "[A]\r\nx=1\r\ny=2\r\n", Op::DeleteEntry, "A", "x", "", "[A]\r\ny=2\r\n", true},
        EditCase{"DeleteEmptyValue", "[A]\r\nx=\r\ny=2", Op::DeleteEntry, "A", "x", "", "[A]\r\ny=2", true},
        EditCase{"DeleteWithLfOnly", "[A]\nx=1\ny=2\n", Op::DeleteEntry, "A", "x", "", "[A]\ny=2\n", true},
        EditCase{"DeleteWithCrOnly", "[A]\rx=1\ry=2\r", Op::DeleteEntry, "A", "y", "", "[A]\rx=1\r", true},
        EditCase{"DeleteMixedKeepsNeighbours", "[A]\r\nz=0\rx=1\n\ny=2", Op::DeleteEntry, "A", "x", "",
                 "[A]\r\nz=0\n\ny=2", true},
        EditCase{"DeleteFirstLine", "x=1\r\n[A]", Op::DeleteEntry, "", "x", "", "\r\n[A]", true},
        EditCase{"DeleteOnlyLine", "x=1", Op::DeleteEntry, "", "x", "", "", true},
        EditCase{"DeleteMissingEntry", kKm, Op::DeleteEntry, "Car", "Gear", "", kKm, false},
        EditCase{"DeleteSection", "[A]\r\nx=1\r\n\r\n\t[B]\r\ny=2\r\n", Op::DeleteSection, "a", "x", "",
                 "\t[B]\r\ny=2\r\n", true},
        EditCase{"DeleteLastSection", "[A]\r\nx=1\r\n  [ B ]\r\ny=2\r\n", Op::DeleteSection, "b", "y", "",
                 "[A]\r\nx=1\r\n", true},
        EditCase{"DeleteFirstNamedSection", "k=0\n[]\n[A]\nx=1\n[B]", Op::DeleteSection, "", "k", "",
                 "k=0\n[]\n[B]", true},
        EditCase{"DeleteMissingSection", kKm, Op::DeleteSection, "Truck", "x", "", kKm, false}),
    ByName());

}  // namespace
}  // namespace orvo::test
