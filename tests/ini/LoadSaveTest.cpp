// Binding, loading and saving: byte-exact round trips, the backup, the read-only attribute,
// the game INI numbers and when the index file is trusted.
#include <filesystem>

#include "IniTestSupport.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// Loads the bytes from a file, indexes them, saves (backup on) and returns what is on disk.
std::string SaveRoundTrip(const std::string& bytes) {
  TempDir dir;
  WriteBytes(dir / "t.ini", bytes);
  INIFile ini;
  ini.SetFilename(dir.Text("t.ini"));
  EXPECT_EQ(ini.IniString(), bytes);
  ini.BuildIndex();
  ini.SetChanged(true);
  ini.Save();
  EXPECT_FALSE(ini.Changed());
  EXPECT_EQ(ReadBytes(dir / "t.ini.PreOrvo"), bytes);
  return ReadBytes(dir / "t.ini");
}

TEST_F(IniTest, EveryLineEndStyleAndTheCorpusRoundTrip) {
  for (const std::string& bytes : {"[A]\r\nx = 1\r\n\r\n; c\r\n"s, "[A]\nx=1\n\n"s, "[A]\rx=1\r\r"s, "[A]\n\rx=1\r\n\ry = 2\n"s, "[A]\r\nx=1"s,
                                   ""s, "\t[A]  \r\n\tx =\t1   \t\r\n   \r\n"s, "[\xC4]\r\nx=\xFF\x80\0z\r\n"s})
    EXPECT_EQ(SaveRoundTrip(bytes), bytes);
  EXPECT_TRUE(boxes.boxes().empty());
  const fs::path corpus = ORVO_CORPUS_DIR;
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no INI corpus at " << corpus;
  int files = 0;
  for (const auto& item : fs::recursive_directory_iterator(corpus)) {
    if (!item.is_regular_file() || item.path().filename() == "SOURCES.md") continue;
    const std::string original = ReadBytes(item.path());
    EXPECT_EQ(SaveRoundTrip(original), original) << item.path();
    ++files;
  }
  EXPECT_GT(files, 0);
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(IniTest, GameNumberFromTheFilesOwnName) {
  const std::pair<const char*, std::int32_t> cases[] = {{"C:\\GPL\\core.ini", 0}, {"app.ini", 10}, {"C:\\GPL\\Player.INI", 20},
                                                        {"x\\SERVER.ini", 65}, {"address.ini", 50}, {"C:\\67season.ini", 60},
                                                        {"C:\\GPL\\player.ini.bak", -1}, {"C:\\core.ini\\", 0}};
  for (const auto& [file, number] : cases) {
    INIFile ini;
    ini.SetFilename(file);
    EXPECT_EQ(ini.IniNumber(), number) << file;
  }
}

TEST_F(IniTest, BackupOnceReadOnlyClearedAndNothingWrittenWithoutAChange) {
  TempDir dir;
  WriteBytes(dir / "core.ini", "[A]\r\nx=1\r\n");
  INIFile ini;
  ini.SetFilename(dir.Text("core.ini"));
  ini.SetIniValue("A", "x", "2");
  ini.Save(false);
  EXPECT_FALSE(fs::exists(dir / "core.ini.PreOrvo"));
  for (const char* value : {"3", "4"}) {
    ini.SetIniValue("A", "x", value);
    ini.Save();
    EXPECT_EQ(ReadBytes(dir / "core.ini.PreOrvo"), "[A]\r\nx=2\r\n");  // made once only
    EXPECT_EQ(ReadBytes(dir / "core.ini"), "[A]\r\nx=" + std::string(value) + "\r\n");
  }
  ini.SetIniValue("A", "x", "5");
  ini.Refresh();  // drops the unsaved edit
  EXPECT_EQ(ini.GetIniValue("A", "x") + (ini.Changed() ? " changed" : ""), "4");

  WriteBytes(dir / "ro.ini", "x=1");
  fs::permissions(dir / "ro.ini", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
  WriteBytes(dir / "b.ini", "x=1");
  fs::create_directory(dir / "b.ini.PreOrvo");  // a backup name that is taken is left alone
  for (const char* name : {"ro.ini", "b.ini"}) {
    INIFile edited;
    edited.SetFilename(dir.Text(name));
    edited.SetIniValue("A", "y", "2", true);
    edited.Save(std::string(name) == "b.ini");
    EXPECT_EQ(ReadBytes(dir / name), "x=1\r\n\r\n[ A ]\r\ny = 2\r\n") << name;
  }
  EXPECT_NE(fs::status(dir / "ro.ini").permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_TRUE(boxes.boxes().empty());

  INIFile unchanged;
  unchanged.SetFilename(dir.Text("ro.ini"));
  unchanged.SetSaveIndex(true);
  unchanged.SetIniString("changed");
  unchanged.Save();
  EXPECT_FALSE(fs::exists(dir / "ro.gix") || fs::exists(dir / "ro.ini.PreOrvo"));

  const std::size_t logged = log.entries().size();
  INIFile nameless;  // reported, then written all the same
  nameless.SetFilename(dir.Text(".ini"));
  nameless.SetIniString("x=1");
  nameless.SetChanged(true);
  nameless.Save(false);
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Invalid filename in SaveIniFile"});
  EXPECT_EQ(ReadBytes(dir / ".ini"), "x=1");
  EXPECT_EQ(log.entries().at(logged), "NFE:Ini File Dump:");
}

// The index file's content differs from the text, so a lookup shows which index answered.
TEST_F(IniTest, IndexFileTrustedOnlyWhenStrictlyNewer) {
  struct Case { int indexNewerBy; bool iniPresent; const char* answer; };  // seconds
  for (const Case& c : {Case{1, true, "fromindex"}, Case{0, true, "fromtext"}, Case{-5, true, "fromtext"}, Case{-5, false, "fromindex"}}) {
    TempDir dir;
    const auto base = fs::file_time_type::clock::now() - std::chrono::hours(1);
    WriteBytes(dir / "t.ini", "[A]\r\nx=fromtext\r\n");
    WriteBytes(dir / "t.gix", "\r\nX\r\nA\r\nfromindex\r\n10\r\n\r\n");
    fs::last_write_time(dir / "t.ini", base);
    fs::last_write_time(dir / "t.gix", base + std::chrono::seconds(c.indexNewerBy));
    if (!c.iniPresent) fs::remove(dir / "t.ini");
    INIFile ini;
    ini.SetFilename(dir.Text("t.ini"));
    ini.Refresh();
    EXPECT_EQ(ini.GetIniValue("A", "x"), c.answer) << c.indexNewerBy << " " << c.iniPresent;
  }
}

}  // namespace
}  // namespace orvo::test
