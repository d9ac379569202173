// Line reading and entry parsing, seen through the section reader: which lines it takes as
// headers and entries, and what name and value it cuts from each.
#include "IniTestSupport.h"

namespace orvo::test {
namespace {

struct WalkCase {
  std::string name, text, section;
  std::string header;  // what dbGetSection returns
  std::string walk;    // "entry=value|..." to the first empty entry ("=value" when it has one)
};

std::string Walk(INIFile& ini) {
  std::string walk, entry, value;
  for (int i = 0; i < 50; ++i) {
    ini.dbGNS(entry, value);
    if (entry.empty()) return walk + (value.empty() ? "" : (walk.empty() ? "=" : "|=") + value);
    walk += (walk.empty() ? "" : "|") + entry + "=" + value;
  }
  return walk + "<no end>";
}

class SectionWalk : public IniCases<WalkCase> {};

TEST_P(SectionWalk, ReadsHeadersAndEntries) {
  INIFile ini = WithText(GetParam().text);
  EXPECT_EQ(ini.dbGetSection(GetParam().section), GetParam().header);
  EXPECT_EQ(Walk(ini), GetParam().walk);
  EXPECT_TRUE(boxes.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ini, SectionWalk,
    testing::Values(
        WalkCase{"BlankLinesPassedOver", "[A]\r\nx = 1\r\n\r\ny=2\r\n[B]\r\nz=3", "A", "A", "x=1|y=2"},
        WalkCase{"BracketSpacesAndCase", "[ Name ]\r\n\t name =   1\r\n", "name", "Name", "name=1"},
        WalkCase{"CommentCutsValue", "[S]\nkey = a=b ; note\n", "S", "S", "key=a=b"},
        WalkCase{"TabCutsValue", "[S]\rkey = a\tb\r", "s", "S", "key=a"},
        WalkCase{"EmptyValues", "[S]\nk1 =\nk2 =    \n", "S", "S", "k1=|k2="},
        WalkCase{"NonEntryLinesPassedOver", "[S]\n;x=1\nabc\n  \ny=2", "S", "S", "y=2"},
        WalkCase{"HeaderWithCommentIsNoHeaderHere", "[A];x\r\nk=1", "A", "", ""},
        WalkCase{"HeaderAsLastLine", "[A]\r\n[B]", "A", "A", ""},
        WalkCase{"EmptyNameEndsWalk", "[S]\n= 5\nx=1", "S", "S", "=5"},
        WalkCase{"EmptyPicksFirstNamedSection", "x=0\r\n[]\r\n[A]\r\nx=1\r\n[B]", "", "A", "x=1"},
        WalkCase{"OnlyLineEnds", "\r\n\n\r", "", "", ""},
        WalkCase{"ControlCharactersBeforeLine", "[A]\n\x01\x02\n\x1f\tk\x01=v\x01", "A", "A", "k\x01=v\x01"},
        WalkCase{"BytesAbove127", "[S\xE9]\n\xC4\xF6 = \xFC\xFF", "s\xE9", "S\xE9", "\xC4\xF6=\xFC\xFF"}),
    ByName());

TEST_F(IniTest, SectionReaderStepsIntoTheNextSectionAfterTheEnd) {
  INIFile ini = WithText("[A]\r\nx = 1\r\n[B]\r\nz=3");
  std::string entry = "e", value = "v";
  ini.dbGNS(entry, value);  // not positioned yet: untouched
  EXPECT_EQ(entry + value, "ev");
  ini.dbGetSection("a");
  EXPECT_EQ(Walk(ini), "x=1");
  EXPECT_EQ(Walk(ini), "z=3");
}

}  // namespace
}  // namespace orvo::test
