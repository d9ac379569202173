// What a save leaves on disk, tried as another local user would turn it against a file: the
// file's owner A ("nobody") and another user B ("games", whose group is games) share a folder
// that both may write (1777, as a shared game folder is), and root saves in a folder that
// another user owns. Each attack is a row; none may change A's file, show it to anyone the file
// does not, or keep A's save out.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "ini/IniTestSupport.h"
#include "platform/save_primitives.h"
#include "storage/JournalText.h"
#include "support/Programs.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "[A]\r\nx = 1\r\n", kNew = "[A]\r\nx = 2\r\n", kGame = "what the game wrote\r\n";
constexpr uid_t kA = 65534, kB = 5;
constexpr gid_t kGroupA = 65534, kGroupB = 60;

// Runs the script as the user, in dir, with $ORVO, $SHIM (the kill shim) and the user's own
// journal folder.
Captured As(uid_t user, gid_t group, const std::string& script, const fs::path& dir) {
  const std::string state = (dir / ("state" + std::to_string(user))).string();
  const std::string line = "setpriv --reuid=" + std::to_string(user) + " --regid=" + std::to_string(group) +
                           " --clear-groups env XDG_STATE_HOME=" + state + " ORVO=" + (BinFolder() / "orvo").string() +
                           " SHIM=" ORVO_KILL_SHIM " /bin/sh -c '" + script + "'";
  return RunCapturing("/bin/sh", {"-c", line}, dir);
}

// The save that a kill -9 stops half-way through its write in place (a second link keeps it
// in place), leaving its journal and a file that is neither text.
const std::string kKilledInPlace =
    "ln a.ini a2.ini; ASAN_OPTIONS=verify_asan_link_order=0 ORVO_KILL_AT=\"1 pwrite half\" LD_PRELOAD=$SHIM $ORVO ini set a.ini A x a-value-long-enough-to-tear "
    "--no-backup; ";

struct Attack {
  std::string name;
  friend void PrintTo(const Attack& a, std::ostream* os) { *os << a.name; }
  std::string file;     // A's file in the shared folder
  std::string asRoot;   // how root made the folder ready
  std::string asB;      // what the other user did
  std::string asA;      // what the file's owner then ran
  std::string after;    // A's file afterwards, or "" where it is left mid-write
  std::string stays;    // a name that is left alone, or ""
  std::string says;     // a part of what A was told, or ""
  mode_t mode = 0;      // where not 0: the mode of the name stays
};
class SaveAttacks : public testing::TestWithParam<Attack> {};

TEST_P(SaveAttacks, LeaveTheFileAsItsOwnerHasIt) {
  const Attack& c = GetParam();
  if (::geteuid() != 0) GTEST_SKIP() << "two users of one machine need root to be played (CI runs as root)";
  TempDir dir;
  ::chmod(dir.path().c_str(), 01777);
  WriteBytes(dir / c.file, kOld);
  WriteBytes(dir / "pub.log", "");
  for (const auto& [name, user, group, mode] : {std::tuple{c.file, kA, kGroupA, 0644}, {"pub.log", kA, kGroupA, 0666}}) {
    ASSERT_EQ(::chown((dir / name).c_str(), user, group), 0);
    ::chmod((dir / name).c_str(), mode);
  }
  for (const auto& [user, group] : {std::pair{kA, kGroupA}, {kB, kGroupB}}) {
    fs::create_directory(dir / ("state" + std::to_string(user)));
    ASSERT_EQ(::chown((dir / ("state" + std::to_string(user))).c_str(), user, group), 0);
  }
  // A journal in the right form, naming A's file and B's text.
  struct stat st{};
  ::stat((dir / c.file).c_str(), &st);
  WriteBytes(dir / "planted", storage::JournalText({std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino),
                                                    "[A]\r\nx = B's\r\n", kOld, false}));
  ASSERT_EQ(RunCapturing("/bin/sh", {"-c", c.asRoot.empty() ? "true" : c.asRoot}, dir.path()).exitCode, 0);
  // B's doing went through, but for a save that B's kill ends.
  if (!c.asB.empty()) {
    const Captured b = As(kB, kGroupB, c.asB, dir.path());
    EXPECT_EQ(b.exitCode, c.asB == kKilledInPlace ? 137 : 0) << b.err;
  }
  const Captured a = As(kA, kGroupA, c.asA, dir.path());
  if (!c.after.empty()) {
    EXPECT_EQ(ReadBytes(dir / c.file), c.after) << a.err;
  }
  if (!c.stays.empty()) {
    EXPECT_TRUE(fs::exists(fs::symlink_status(dir / c.stays))) << c.stays << " went";
  }
  if (!c.says.empty()) {
    EXPECT_NE(a.err.find(c.says), std::string::npos) << a.err;
  }
  if (c.mode) {
    struct stat made{};
    EXPECT_EQ(::lstat((dir / c.stays).c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, c.mode) << c.stays;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveAttacks,
    testing::Values(
        // B hard-links a file of A's that anyone may write as the journal and writes B's text into it.
        Attack{"HardLinkToAFileAnyoneMayWrite", "a.ini", "", "ln pub.log a.ini.orvo-journal && cat planted > pub.log",
               "$ORVO ini get a.ini A x", kOld, "a.ini.orvo-journal", "left alone"},
        Attack{"TheLoadersProfile", "Race.bst", "", "ln pub.log Race.bst.orvo-journal && cat planted > pub.log",
               "$ORVO profile show Race.bst", kOld, "Race.bst.orvo-journal", "left alone"},
        Attack{"AnotherUsersJournal", "a.ini", "", "cat planted > a.ini.orvo-journal", "$ORVO ini get a.ini A x", kOld,
               "a.ini.orvo-journal", "its owner could not write the file"},
        // A name in the journal's place keeps no save out: the journal goes to A's own folder.
        Attack{"APipeInTheJournalsPlace", "a.ini", "", "mkfifo a.ini.orvo-journal",
               "ln a.ini a2.ini && $ORVO ini set a.ini A x 2 --no-backup", kNew, "a.ini.orvo-journal", "left alone"},
        // A member of the file's group killed in its write in place: the owner puts the old text back.
        Attack{"AJournalOfTheFilesGroup", "a.ini", "chown 65534:60 a.ini && chmod 0664 a.ini && chmod 0777 .", kKilledInPlace,
               "$ORVO ini get a.ini A x", kOld, "", ""},
        // Another program wrote the file after A's save was killed: its text stands.
        Attack{"WrittenSinceAKilledSave", "a.ini", "", "", kKilledInPlace + "printf \"" + kGame.substr(0, kGame.size() - 2) +
               "\\r\\n\" > a.ini; $ORVO ini get a.ini A x", kGame, "a.ini.orvo-journal.set-aside", "was written by another program"},
        // What a save makes is readable by no one the file is not.
        Attack{"AJournalOfAFileOfAnotherGroup", "a.ini", "chown 65534:60 a.ini && chmod 0640 a.ini", "", kKilledInPlace + "true",
               "", "a.ini.orvo-journal", "", 0600},
        Attack{"AnIndexFileOfAPrivateFile", "a.ini", "chmod 0600 a.ini", "", "$ORVO ini index a.ini --write", kOld, "a.gix", "", 0600}),
    ByName());

}  // namespace
}  // namespace orvo::test

namespace orvo::test {
namespace {

// A write in place of this program and its readers keep out of each other: while the test
// holds the file's lock as a writer, orvo's reading waits, and reads the whole new text once the
// lock goes; while it holds it as a reader, orvo's write in place (a second link keeps it in
// place) waits, and leaves the file alone until then.
TEST(ReadersAndWriters, EachWaitsForTheOther) {
  TempDir dir;
  WriteBytes(dir / "a.ini", kOld);
  fs::create_hard_link(dir / "a.ini", dir / "a2.ini");
  const std::string orvo = "cd '" + dir.path().string() + "' && '" + (BinFolder() / "orvo").string() + "' ";
  for (const bool asWriter : {true, false}) {
    SCOPED_TRACE(asWriter ? "a reader waits" : "a writer waits");
    const std::string before = ReadBytes(dir / "a.ini");
    auto held = platform::SystemPrimitives().OpenToWrite((dir / "a.ini").string());
    ASSERT_TRUE(held->TryLock(asWriter));
    FILE* other = ::popen((orvo + (asWriter ? "ini get a.ini A x" : "ini set a.ini A x 3 --no-backup")).c_str(), "r");
    ASSERT_NE(other, nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    // Half a text and then the rest, as a write in place makes it.
    if (asWriter) held->WriteAt(0, kNew.substr(0, 6)), held->WriteAt(6, kNew.substr(6));
    else EXPECT_EQ(ReadBytes(dir / "a.ini"), before) << "the write did not wait for the reader";
    held.reset();
    char line[64] = {};
    std::fgets(line, sizeof line, other);
    EXPECT_EQ(::pclose(other), 0);
    EXPECT_EQ(asWriter ? std::string(line) : ReadBytes(dir / "a.ini"), asWriter ? "2\n" : "[A]\r\nx = 3\r\n");
  }
}

}  // namespace
}  // namespace orvo::test
