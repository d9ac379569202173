// Index records and the positions they hold, and the progress text of a rebuild.
#include "IniTestSupport.h"

namespace orvo::test {
namespace {

struct IndexCase {
  std::string name, text, index;
};

class IndexRecords : public IniCases<IndexCase> {};

TEST_P(IndexRecords, OneRecordPerEntryLine) { EXPECT_EQ(SavedIndex(GetParam().text), GetParam().index); }

INSTANTIATE_TEST_SUITE_P(
    Ini, IndexRecords,
    testing::Values(
        IndexCase{"TwoSections", "[A]\r\nx = 1\r\n[B]\r\nx=2", "\r\nX\r\nA\r\n1\r\n10\r\n\r\nX\r\nB\r\n2\r\n20\r\n"},
        IndexCase{"BeforeAnyHeader", "x=1", "\r\nX\r\n\r\n1\r\n3\r\n"},
        IndexCase{"DashAndCommentLinesLeftOut", "-x = 1\n;x = 1\nx = 1 ; y = 2", "\r\nX\r\n\r\n1\r\n19\r\n"},
        IndexCase{"LeadingSpacesCount", " \t\n  key =  v  \n", "\r\nKEY\r\n\r\nv\r\n13\r\n"},
        IndexCase{"EmptyValueBeforeComment", "[s]\nk =  ;c", "\r\nK\r\nS\r\n\r\n10\r\n"},
        IndexCase{"HeaderWithCommentCounts", "[a];x\rk=v\n", "\r\nK\r\nA\r\nv\r\n9\r\n"},
        IndexCase{"DuplicatesAllIndexed", "[A]\nx=1\nX=2", "\r\nX\r\nA\r\n1\r\n7\r\n\r\nX\r\nA\r\n2\r\n11\r\n"},
        IndexCase{"OnlyAsciiUpperCased", "[s\xE9]\nn\xE4m=V\xE9", "\r\nN\xE4M\r\nS\xE9\r\nV\xE9\r\n10\r\n"},
        IndexCase{"NoEntries", "[]\nabc\n[x\n", ""}),
    ByName());

TEST_F(IniTest, RebuildsOncePerChangeAndLogsTheOwnName) {
  INIFile ini;
  ini.SetFilename("C:\\nowhere\\core.ini");
  ini.SetIniString("[A]\nx=1");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "1");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "1");
  ini.SetIniString("[A]\nx=22");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "22");
  ini.SetFilename("core.ini");
  ini.BuildIndex();
  EXPECT_EQ(log.entries(), (std::vector<std::string>{"Indexing core.ini", "Indexing core.ini", "Indexing "}));
}

}  // namespace
}  // namespace orvo::test
