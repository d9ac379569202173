// Each edit with the text before and after it, and the Changed flag it leaves.
#include <algorithm>
#include <filesystem>

#include "IniTestSupport.h"

namespace orvo::test {
namespace {

enum Op { Set, Add, Quietly, DeleteEntry, DeleteSection, Lookup, Refresh };

void Edit(INIFile& ini, Op op, const std::string& section, const std::string& entry, const std::string& value) {
  switch (op) {
    case Set: ini.SetIniValue(section, entry, value); break;
    case Add: ini.SetIniValue(section, entry, value, true); break;
    case Quietly: ini.SetIniValue(section, entry, value, false, true); break;
    case DeleteEntry: ini.DeleteIniEntry(section, entry); break;
    case DeleteSection: ini.DeleteSection(section); break;
    case Lookup: break;
    case Refresh: ini.Refresh(); break;
  }
}

TEST_F(IniTest, EachEditChangesOnlyWhatItMust) {
  const std::string km = "[Car]\r\nSpeed = 12 ; km\r\n";
  struct Case { const char* name; std::string before; Op op; std::string section, entry, value, after; };
  const Case cases[] = {
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

// Lookups answer from the index as it stands: the first occurrence of the key, also across two
// records or from an index file made for another text. An edit follows the same search, and
// changes the text only where the record's position is a line of that entry inside that
// section; a stale index from a file is rebuilt for that, and only then.
TEST_F(IniTest, LookupsAnswerFromTheIndexAndEditsOnlyWhereTheTextAgrees) {
  const auto indexOf = [](const std::string& text) {
    INIFile ini = WithText(text);
    ini.BuildIndex();
    return ini.IndexString() + "\r\n";
  };
  const std::string player = "[Options]\r\nName=Al\r\nSpeed=12\r\nGears=5\r\n", across = "[A]\r\nk=X\r\n7z=hello\r\n";
  const std::string restored = indexOf("[Options]\r\nName=Alexander\r\nSpeed=12\r\nGears=5\r\n");
  // Keys across two records whose position is an entry line of another section: "25=Q" at 9, "x=" at 19.
  const std::string digits = "[S]\r\n25=Q\r\nabcdefghijkl=\r\n[9]\r\nq=\r\n", empty = "k=X\r\n19=1\r\n[B]\r\nx=\r\n";
  const std::string kbz = "[A]\r\nk=B\r\nz=1\r\n", real = "[A]\r\nk=X\r\n[8]\r\nx=real";
  // index "" means none (built from the text); found is what a lookup answers afterwards, "-"
  // for no record at all; indexings counts the "Indexing" entries from binding to the lookup.
  struct Case { const char* name; std::string index, before; Op op; std::string section, entry, value, after, found; int indexings; };
  const Case cases[] = {
      {"TrustedIndexFile", indexOf(player), player, Set, "Options", "Speed", "99", "[Options]\r\nName=Al\r\nSpeed=99\r\nGears=5\r\n", "99", 0},
      {"RestoredBackup", restored, player, Set, "Options", "Speed", "7", "[Options]\r\nName=Al\r\nSpeed=7 \r\nGears=5\r\n", "7", 2},
      {"RestoredBackupDelete", restored, player, DeleteEntry, "options", "speed", "", "[Options]\r\nName=Al\r\nGears=5\r\n", "-", 2},
      {"SharedWithAnotherFile", indexOf("[Options]\r\nName=Al\r\n"), "[Other]\r\nName=Al\r\n", Set, "Options", "Name", "Bo", "[Other]\r\nName=Al\r\n", "-", 1},
      {"IndexFileMissesAnEarlierLine", indexOf("[A]\r\nj=1\r\nk=2\r\n"), "[A]\r\nk=1\r\nk=2\r\n", Set, "A", "k", "3", "[A]\r\nk=3\r\nk=2\r\n", "3", 1},
      {"HandEditedValueAlreadyThere", "\r\nX\r\nA\r\n2\r\n7\r\n", "[A]\r\nx=1\r\n", Set, "A", "x", "2", "[A]\r\nx=1\r\n", "2", 0},
      {"HandEditedPosition", "\r\nX\r\nA\r\nOLD\r\n999\r\n", "[A]\r\nx=1", Set, "A", "x", "2", "[A]\r\nx=2", "2", 1},
      {"SameLengthPatchedAsSet", "", "[A]\r\nk = abc\r\n", Set, "A", "k", "a;b", "[A]\r\nk = a;b\r\n", "a;b", 1},
      {"AcrossTwoRecords", "", across, Set, "8", "x", "QQ", across, "", 1},
      {"AcrossTwoRecordsDelete", "", across, DeleteEntry, "8", "x", "", across, "", 1},
      {"AcrossTwoRecordsAddsNothing", "", across, Add, "8", "x", "QQ", across, "", 1},
      {"AcrossTwoRecordsFirst", "", real, Add, "8", "x", "real", real, "", 1},
      {"PositionAsValue", "", kbz, Lookup, "B", "A", "", kbz, "8", 1},
      {"NextNameAsValue", "", kbz, Lookup, "", "8", "", kbz, "Z", 1},
      {"SectionAsValue", "", kbz, Lookup, "Z", "", "", kbz, "A", 1},
      {"PositionOfAnotherSection", "", digits, DeleteEntry, "", "25", "", digits, "Q", 1},
      {"EmptyValueOfAnotherSection", "", empty, Set, "3", "x", "Q", empty, "", 1},
      // The INI file removed before Refresh: the empty text, and the index file answers.
      {"RefreshWithoutTheFile", indexOf("[A]\r\nx=1\r\n"), "[A]\r\nx=2\r\n", Refresh, "A", "x", "", "", "1", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteBytes(dir / "t.ini", c.before);
    if (!c.index.empty()) {
      WriteBytes(dir / "t.gix", c.index);
      std::filesystem::last_write_time(dir / "t.gix", std::filesystem::last_write_time(dir / "t.ini") + std::chrono::seconds(5));
    }
    LogCapture log;
    INIFile ini;
    ini.SetFilename(dir.Text("t.ini"));
    if (c.op == Refresh) std::filesystem::remove(dir / "t.ini");
    Edit(ini, c.op, c.section, c.entry, c.value);
    EXPECT_EQ(ini.IniString(), c.after);
    EXPECT_EQ(ini.GetIniValue(c.section, c.entry), c.found == "-" ? "" : c.found);
    EXPECT_EQ(ini.HasIniRecord(c.section, c.entry), c.found != "-");
    EXPECT_EQ(std::count(log.entries().begin(), log.entries().end(), "Indexing t.ini"), c.indexings);
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo::test
