// Binding, loading and saving: byte-exact round trips, the backup, the read-only attribute,
// the game INI numbers and when the index file is trusted.
#include <filesystem>

#include "IniTestSupport.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

struct RoundTripCase {
  std::string name;
  std::string bytes;
};

class RoundTrip : public IniCases<RoundTripCase> {};

TEST_P(RoundTrip, SavedBackByteForByte) {
  TempDir dir;
  WriteBytes(dir / "t.ini", GetParam().bytes);
  INIFile ini;
  ini.SetFilename(dir.Text("t.ini"));
  EXPECT_EQ(ini.IniString(), GetParam().bytes);
  ini.GetIniValue("A", "x");  // indexing must not disturb the text
  ini.SetChanged(true);
  ini.Save(false);
  EXPECT_EQ(ReadBytes(dir / "t.ini"), GetParam().bytes);
  EXPECT_FALSE(ini.Changed());
  EXPECT_TRUE(boxes.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ini, RoundTrip,
    testing::Values(RoundTripCase{"CrLf", "[A]\r\nx = 1\r\n\r\n; c\r\n"}, RoundTripCase{"Lf", "[A]\nx=1\n\n"},
                    RoundTripCase{"Cr", "[A]\rx=1\r\r"}, RoundTripCase{"Mixed", "[A]\n\rx=1\r\n\ry = 2\n"},
                    RoundTripCase{"NoFinalLineEnd", "[A]\r\nx=1"},
                    RoundTripCase{"TabsAndTrailingSpaces", "\t[A]  \r\n\tx =\t1   \t\r\n   \r\n"},
                    RoundTripCase{"HighAndNulBytes", std::string("[\xC4]\r\nx=\xFF\x80\0z\r\n", 14)},
                    RoundTripCase{"Empty", ""}),
    ByName());

TEST_F(IniTest, CorpusFilesRoundTrip) {
  const fs::path corpus = ORVO_CORPUS_DIR;
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no INI corpus at " << corpus;
  int files = 0;
  for (const auto& item : fs::recursive_directory_iterator(corpus)) {
    if (!item.is_regular_file() || item.path().filename() == "SOURCES.md") continue;
    SCOPED_TRACE(item.path().string());
    TempDir dir;
    const std::string original = ReadBytes(item.path());
    WriteBytes(dir / "c.ini", original);
    INIFile ini;
    ini.SetFilename(dir.Text("c.ini"));
    ini.BuildIndex();
    EXPECT_EQ(ini.dbGetSection("no such section"), "");
    ini.SetChanged(true);
    ini.Save();
    EXPECT_EQ(ReadBytes(dir / "c.ini"), original);
    EXPECT_EQ(ReadBytes(dir / "c.ini.PreOrvo"), original);
    ++files;
  }
  EXPECT_GT(files, 0);
  EXPECT_TRUE(boxes.boxes().empty());
}

struct NumberCase {
  std::string name;
  std::string file;
  std::int32_t number;
};

class GameNumber : public IniCases<NumberCase> {};

TEST_P(GameNumber, FromTheFilesOwnName) {
  INIFile ini;
  ini.SetFilename(GetParam().file);
  EXPECT_EQ(ini.IniNumber(), GetParam().number);
  EXPECT_EQ(ini.IniString(), "");
  EXPECT_FALSE(ini.Changed());
}

INSTANTIATE_TEST_SUITE_P(
    Ini, GameNumber,
    testing::Values(NumberCase{"Core", "C:\\GPL\\core.ini", 0}, NumberCase{"App", "app.ini", 10},
                    NumberCase{"PlayerAnyCase", "C:\\GPL\\Player.INI", 20}, NumberCase{"Server", "x\\SERVER.ini", 65},
                    NumberCase{"Address", "address.ini", 50}, NumberCase{"Season", "C:\\67season.ini", 60},
                    NumberCase{"Backup", "C:\\GPL\\player.ini.bak", -1}, NumberCase{"Dummy", "dummy", -1},
                    NumberCase{"FolderNamedLikeAFile", "C:\\core.ini\\", 0}),
    ByName());

TEST_F(IniTest, SaveMakesTheBackupOnce) {
  TempDir dir;
  WriteBytes(dir / "core.ini", "[A]\r\nx=1\r\n");
  INIFile ini;
  ini.SetFilename(dir.Text("core.ini"));
  ini.SetIniValue("A", "x", "2");
  ini.Save();
  EXPECT_EQ(ReadBytes(dir / "core.ini.PreOrvo"), "[A]\r\nx=1\r\n");
  EXPECT_EQ(ReadBytes(dir / "core.ini"), "[A]\r\nx=2\r\n");
  ini.SetIniValue("A", "x", "3");
  ini.Save(true);
  EXPECT_EQ(ReadBytes(dir / "core.ini.PreOrvo"), "[A]\r\nx=1\r\n");
  EXPECT_EQ(ReadBytes(dir / "core.ini"), "[A]\r\nx=3\r\n");
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(IniTest, RefreshDropsUnsavedEdits) {
  TempDir dir;
  WriteBytes(dir / "r.ini", "[A]\nx=1\n");
  INIFile ini;
  ini.SetFilename(dir.Text("r.ini"));
  ini.SetIniValue("A", "x", "2");
  ASSERT_TRUE(ini.Changed());
  ini.Refresh();
  EXPECT_FALSE(ini.Changed());
  EXPECT_EQ(ini.IniString(), "[A]\nx=1\n");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "1");
}

TEST_F(IniTest, SaveWithoutChangesWritesNothing) {
  TempDir dir;
  WriteBytes(dir / "a.ini", "x=1");
  INIFile ini;
  ini.SetFilename(dir.Text("a.ini"));
  ini.SetSaveIndex(true);
  ini.SetIniString("x=2");  // Changed stays false
  ini.Save();
  EXPECT_EQ(ReadBytes(dir / "a.ini"), "x=1");
  EXPECT_FALSE(fs::exists(dir / "a.gix"));
  EXPECT_FALSE(fs::exists(dir / "a.ini.PreOrvo"));
}

TEST_F(IniTest, NewFileCreatedWithoutBackup) {
  TempDir dir;
  INIFile ini;
  ini.SetFilename(dir.Text("new.ini"));
  ini.SetIniValue("Truck", "Gear", "3", true);
  ini.Save(false);
  EXPECT_EQ(ReadBytes(dir / "new.ini"), "[ Truck ]\r\nGear = 3\r\n");
  EXPECT_FALSE(fs::exists(dir / "new.ini.PreOrvo"));
}

TEST_F(IniTest, ReadOnlyFileMadeWritableAndWritten) {
  TempDir dir;
  WriteBytes(dir / "ro.ini", "x=1");
  fs::permissions(dir / "ro.ini", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  INIFile ini;
  ini.SetFilename(dir.Text("ro.ini"));
  ini.SetIniString("x=2");
  ini.SetChanged(true);
  ini.Save(false);
  EXPECT_EQ(ReadBytes(dir / "ro.ini"), "x=2");
  EXPECT_NE(fs::status(dir / "ro.ini").permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(IniTest, BackupNameTakenByAFolderIsSkippedSilently) {
  TempDir dir;
  WriteBytes(dir / "b.ini", "x=1");
  fs::create_directory(dir / "b.ini.PreOrvo");
  INIFile ini;
  ini.SetFilename(dir.Text("b.ini"));
  ini.SetIniString("x=2");
  ini.SetChanged(true);
  ini.Save();
  EXPECT_EQ(ReadBytes(dir / "b.ini"), "x=2");
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(IniTest, NamelessIniFileIsReportedAndStillWritten) {
  TempDir dir;
  INIFile ini;
  ini.SetFilename(dir.Text(".ini"));
  ini.SetIniString("x=1");
  ini.SetChanged(true);
  ini.Save(false);
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Invalid filename in SaveIniFile"});
  EXPECT_EQ(ReadBytes(dir / ".ini"), "x=1");
  ASSERT_FALSE(log.entries().empty());
  EXPECT_EQ(log.entries()[0], "NFE:Ini File Dump:");
}

// The index file is trusted only when it is strictly newer than the INI file. Its content is
// made to differ from the text so that a lookup shows which index answered.
struct TimingCase {
  std::string name;
  int indexAgeSeconds;  // relative to the INI file; positive = newer
  bool iniPresent;
  std::string answer;
};

class IndexFileTiming : public IniCases<TimingCase> {};

TEST_P(IndexFileTiming, TrustedOnlyWhenNewer) {
  TempDir dir;
  const auto base = fs::file_time_type::clock::now() - std::chrono::hours(1);
  WriteBytes(dir / "t.ini", "[A]\r\nx=fromtext\r\n");
  WriteBytes(dir / "t.gix", "\r\nX\r\nA\r\nfromindex\r\n10\r\n\r\n");
  fs::last_write_time(dir / "t.ini", base);
  fs::last_write_time(dir / "t.gix", base + std::chrono::seconds(GetParam().indexAgeSeconds));
  if (!GetParam().iniPresent) fs::remove(dir / "t.ini");
  INIFile ini;
  ini.SetFilename(dir.Text("t.ini"));
  ini.Refresh();
  EXPECT_EQ(ini.GetIniValue("A", "x"), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Ini, IndexFileTiming,
                         testing::Values(TimingCase{"Newer", 1, true, "fromindex"},
                                         TimingCase{"SameSecond", 0, true, "fromtext"},
                                         TimingCase{"Older", -5, true, "fromtext"},
                                         TimingCase{"IniMissing", -5, false, "fromindex"}),
                         ByName());

TEST_F(IniTest, IndexFileWrittenBySaveIsNotTrustedAfterwards) {
  TempDir dir;
  INIFile ini;
  ini.SetFilename(dir.Text("s.ini"));
  ini.SetSaveIndex(true);
  ini.SetIniValue("A", "x", "1", true);
  ini.BuildIndex();
  ini.Save(false);
  EXPECT_EQ(ReadBytes(dir / "s.gix"), "\r\nX\r\nA\r\n1\r\n12\r\n\r\n");
  INIFile again;
  again.SetFilename(dir.Text("s.ini"));
  EXPECT_EQ(again.GetIniValue("A", "x"), "1");
  EXPECT_EQ(log.entries().back(), "Indexing s.ini");  // rebuilt, not loaded
}

}  // namespace
}  // namespace orvo::test
