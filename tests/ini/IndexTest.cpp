// Index records and the positions they hold, the progress text, and the status window.
#include "IniTestSupport.h"
#include "common/ProgressMode.h"
#include "status/frmStatus.h"

namespace orvo::test {
namespace {

struct IndexCase {
  std::string name;
  std::string text;
  std::string index;
};

class IndexRecords : public IniCases<IndexCase> {};

TEST_P(IndexRecords, OneRecordPerEntryLine) {
  INIFile ini = WithText(GetParam().text);
  EXPECT_EQ(SavedIndex(ini), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Ini, IndexRecords,
    testing::Values(
        IndexCase{"TwoSections", "[A]\r\nx = 1\r\n[B]\r\nx=2", "\r\nX\r\nA\r\n1\r\n10\r\n\r\nX\r\nB\r\n2\r\n20\r\n"},
        IndexCase{"BeforeAnyHeader", "x=1", "\r\nX\r\n\r\n1\r\n3\r\n"},
        IndexCase{"DashAndCommentLinesLeftOut", "-x = 1\n;x = 1\nx = 1 ; y = 2", "\r\nX\r\n\r\n1\r\n19\r\n"},
        IndexCase{"EmptyText", "", ""},
        IndexCase{"LeadingSpacesCount", " \t\n  key =  v  \n", "\r\nKEY\r\n\r\nv\r\n13\r\n"},
        IndexCase{"EmptyValueBeforeComment", "[s]\nk =  ;c", "\r\nK\r\nS\r\n\r\n10\r\n"},
        IndexCase{"HeaderWithCommentCounts", "[a];x\rk=v\n", "\r\nK\r\nA\r\nv\r\n9\r\n"},
        IndexCase{"DuplicatesAllIndexed", "[A]\nx=1\nX=2", "\r\nX\r\nA\r\n1\r\n7\r\n\r\nX\r\nA\r\n2\r\n11\r\n"},
        IndexCase{"OnlyAsciiUpperCased", "[s\xE9]\nn\xE4m=V\xE9", "\r\nN\xE4M\r\nS\xE9\r\nV\xE9\r\n10\r\n"},
        IndexCase{"BracketsWithoutEntriesAndNoEquals", "[]\nabc\n[x\n", ""}),
    ByName());

struct ProgressCase {
  std::string name;
  std::string file;
  std::string logged;
};

class ProgressText : public IniCases<ProgressCase> {};

TEST_P(ProgressText, LoggedWithTheFilesOwnName) {
  INIFile ini;
  ini.SetFilename(GetParam().file);
  ini.BuildIndex();
  ASSERT_EQ(log.entries().size(), 1u);
  EXPECT_EQ(log.entries()[0], GetParam().logged);
}

INSTANTIATE_TEST_SUITE_P(Ini, ProgressText,
                         testing::Values(ProgressCase{"WithFolder", "C:\\nowhere\\GPL\\core.ini", "Indexing core.ini"},
                                         ProgressCase{"WithoutBackslash", "core.ini", "Indexing "}),
                         ByName());

TEST_F(IniTest, ProgressModeRestoresTheStatusLine) {
  StatusWindow().SetMessage("before");
  gProgressMode = true;
  INIFile ini = WithText("[A]\nx=1");
  ini.BuildIndex();
  gProgressMode = false;
  EXPECT_EQ(StatusWindow().Message(), "before");
}

TEST_F(IniTest, WritingTheTextRebuildsBeforeTheNextLookup) {
  INIFile ini = WithText("[A]\nx=1");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "1");
  ini.SetIniString("[A]\nx=22");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "22");
  EXPECT_EQ(log.entries().size(), 2u);  // one "Indexing" per rebuild, none without a change
  EXPECT_EQ(ini.GetIniValue("A", "x"), "22");
  EXPECT_EQ(log.entries().size(), 2u);
}

}  // namespace
}  // namespace orvo::test
