// Line reading and entry parsing, seen through the section reader, and when a rebuild runs.
// The index records a rebuild writes are compared with a line-by-line index by the fuzz
// targets, whose kept inputs replay with this suite.
#include "IniTestSupport.h"

namespace orvo::test {
namespace {

// "entry=value|..." up to the first empty entry ("=value" when it has one).
std::string Walk(INIFile& ini) {
  std::string walk, entry, value;
  for (int i = 0; i < 50; ++i) {
    ini.dbGNS(entry, value);
    if (entry.empty()) return walk + (value.empty() ? "" : (walk.empty() ? "=" : "|=") + value);
    walk += (walk.empty() ? "" : "|") + entry + "=" + value;
  }
  return walk + "<no end>";
}

TEST_F(IniTest, SectionReaderTakesHeadersAndEntries) {
  struct Case { const char* name; std::string text, section, header, walk; };
  const Case cases[] = {
      {"BlankLinesPassedOver", "[A]\r\nx = 1\r\n\r\ny=2\r\n[B]\r\nz=3", "A", "A", "x=1|y=2"},
      {"BracketSpacesAndCase", "[ Name ]\r\n\t name =   1\r\n", "name", "Name", "name=1"},
      {"CommentCutsValue", "[S]\nkey = a=b ; note\n", "S", "S", "key=a=b"}, {"TabCutsValue", "[S]\rkey = a\tb\r", "s", "S", "key=a"},
      {"EmptyValues", "[S]\nk1 =\nk2 =    \n", "S", "S", "k1=|k2="}, {"NonEntryLinesPassedOver", "[S]\n;x=1\nabc\n  \ny=2", "S", "S", "y=2"},
      {"HeaderWithCommentIsNoHeaderHere", "[A];x\r\nk=1", "A", "", ""}, {"HeaderAsLastLine", "[A]\r\n[B]", "A", "A", ""},
      {"EmptyNameEndsWalk", "[S]\n= 5\nx=1", "S", "S", "=5"}, {"EmptyPicksFirstNamedSection", "x=0\r\n[]\r\n[A]\r\nx=1\r\n[B]", "", "A", "x=1"},
      {"ControlCharactersBeforeLine", "[A]\n\x01\x02\n\x1f\tk\x01=v\x01", "A", "A", "k\x01=v\x01"},
      {"BytesAbove127", "[S\xE9]\n\xC4\xF6 = \xFC\xFF", "s\xE9", "S\xE9", "\xC4\xF6=\xFC\xFF"}};
  for (const Case& c : cases) {
    INIFile ini = WithText(c.text);
    EXPECT_EQ(ini.dbGetSection(c.section), c.header) << c.name;
    EXPECT_EQ(Walk(ini), c.walk) << c.name;
  }
  INIFile ini = WithText("[A]\r\nx = 1\r\n[B]\r\nz=3");
  std::string entry = "e", value = "v";
  ini.dbGNS(entry, value);  // not positioned yet: untouched
  EXPECT_EQ(entry + value, "ev");
  ini.dbGetSection("a");
  EXPECT_EQ(Walk(ini), "x=1");
  EXPECT_EQ(Walk(ini), "z=3");  // steps into the next section after the end
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(IniTest, RebuildsOncePerChangeAndLogsTheOwnName) {
  INIFile ini;
  ini.SetFilename("C:\\nowhere\\core.ini");
  ini.SetIniString("[A]\nx=1");
  EXPECT_EQ(ini.GetIniValue("A", "x") + ini.GetIniValue("A", "x"), "11");
  ini.SetIniString("[A]\nx=22");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "22");
  ini.SetFilename("core.ini");
  ini.BuildIndex();
  EXPECT_EQ(log.entries(), (std::vector<std::string>{"Indexing core.ini", "Indexing core.ini", "Indexing "}));
}

}  // namespace
}  // namespace orvo::test
