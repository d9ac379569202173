// Each edit with the text before and after it, and the Changed flag it leaves.
#include <filesystem>

#include "IniTestSupport.h"

namespace orvo::test {
namespace {

enum Op { Set, Add, Quietly, DeleteEntry, DeleteSection, Lookup };

void Edit(INIFile& ini, Op op, const std::string& section, const std::string& entry, const std::string& value) {
  switch (op) {
    case Set: ini.SetIniValue(section, entry, value); break;
    case Add: ini.SetIniValue(section, entry, value, true); break;
    case Quietly: ini.SetIniValue(section, entry, value, false, true); break;
    case DeleteEntry: ini.DeleteIniEntry(section, entry); break;
    case DeleteSection: ini.DeleteSection(section); break;
    case Lookup: break;
  }
}

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
    Edit(ini, c.op, c.section, c.entry, c.value);
    EXPECT_EQ(ini.IniString(), c.after);
    EXPECT_EQ(ini.Changed(), c.after != c.before && c.op != Quietly);  // a quiet edit leaves the flag alone
    // Whatever the edit did to the index, lookups agree with a fresh object on the new text.
    EXPECT_EQ(ini.GetIniValue(c.section, c.entry), WithText(ini.IniString()).GetIniValue(c.section, c.entry));
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

// An index file newer than its text but made for another one (the backup put back, a file that
// shares it, one edited by hand), or a key that matches across two records: an edit changes
// only a line that the text confirms as the entry's, in its section, and so does a lookup.
TEST_F(IniTest, EditsAndLookupsOnlyWhereTheTextConfirms) {
  const auto indexOf = [](const std::string& text) {
    INIFile ini = WithText(text);
    ini.BuildIndex();
    return ini.IndexString() + "\r\n";
  };
  const std::string player = "[Options]\r\nName=Al\r\nSpeed=12\r\nGears=5\r\n", across = "[A]\r\nk=X\r\n7z=hello\r\n";
  const std::string restored = indexOf("[Options]\r\nName=Alexander\r\nSpeed=12\r\nGears=5\r\n");
  // Keys across two records that find an entry line of another section: "25=Q" at 9, "x=" at 19.
  const std::string digits = "[S]\r\n25=Q\r\nabcdefghijkl=\r\n[9]\r\nq=\r\n", empty = "k=X\r\n19=1\r\n[B]\r\nx=\r\n";
  // index "" means none; found is what a lookup answers afterwards, "-" for no entry at all.
  struct Case { const char* name; std::string index, before; Op op; std::string section, entry, value, after, found; };
  const Case cases[] = {
      {"RestoredBackup", restored, player, Set, "Options", "Speed", "7", "[Options]\r\nName=Al\r\nSpeed=7 \r\nGears=5\r\n", "7"},
      {"RestoredBackupDelete", restored, player, DeleteEntry, "options", "speed", "", "[Options]\r\nName=Al\r\nGears=5\r\n", "-"},
      {"SharedWithAnotherFile", indexOf("[Options]\r\nName=Al\r\n"), "[Other]\r\nName=Al\r\n", Set, "Options", "Name", "Bo", "[Other]\r\nName=Al\r\n", "-"},
      {"IndexFileMissesAnEarlierLine", indexOf("[A]\r\nj=1\r\nk=2\r\n"), "[A]\r\nk=1\r\nk=2\r\n", Set, "A", "k", "3", "[A]\r\nk=3\r\nk=2\r\n", "3"},
      {"HandEditedValue", "\r\nX\r\nA\r\n2\r\n7\r\n", "[A]\r\nx=1\r\n", Set, "A", "x", "2", "[A]\r\nx=2\r\n", "2"},
      {"HandEditedPosition", "\r\nX\r\nA\r\nOLD\r\n999\r\n", "[A]\r\nx=1", Set, "A", "x", "2", "[A]\r\nx=2", "2"},
      {"HandEditedEnd", "\r\nX\r\nA\r\nOLD\r\n999\r\n", "[A]\r\nx=1", Lookup, "999", "OLD", "", "[A]\r\nx=1", "-"},
      {"AcrossTwoRecords", "", across, Set, "8", "x", "QQ", across, "-"},
      {"AcrossTwoRecordsDelete", "", across, DeleteEntry, "8", "x", "", across, "-"},
      {"AcrossTwoRecordsAdd", "", across, Add, "8", "x", "QQ", across + "\r\n[ 8 ]\r\nx = QQ\r\n", "QQ"},
      {"PositionAsValue", "", across, Lookup, "X", "A", "", across, "-"},
      {"ConfirmedLineInAnotherSection", "", digits, DeleteEntry, "", "25", "", digits, "-"},
      {"ConfirmedEmptyValueInAnotherSection", "", empty, Set, "3", "x", "Q", empty, "-"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteBytes(dir / "t.ini", c.before);
    if (!c.index.empty()) {
      WriteBytes(dir / "t.gix", c.index);
      std::filesystem::last_write_time(dir / "t.gix", std::filesystem::last_write_time(dir / "t.ini") + std::chrono::seconds(5));
    }
    INIFile ini;
    ini.SetFilename(dir.Text("t.ini"));
    Edit(ini, c.op, c.section, c.entry, c.value);
    EXPECT_EQ(ini.IniString(), c.after);
    EXPECT_EQ(ini.GetIniValue(c.section, c.entry), c.found == "-" ? "" : c.found);
    EXPECT_EQ(ini.HasIniRecord(c.section, c.entry), c.found != "-");
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo::test
