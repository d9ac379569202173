// Saving an INI file when the disk says no, and files that a save must leave what they were.
// A failed save shows the box, keeps Changed so that a later save tries again, and loses
// nothing on disk; a save that can succeed does. Either way no descriptor stays open, and every
// name in the folder keeps its kind, mode, owner and links, with nothing new but the backup.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

#include "faults/OrdinaryUser.h"
#include "ini/IniTestSupport.h"
#include "support/Programs.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

const std::string kOnDisk = "[A]\r\nx = 1 ; note\r\n";
const std::string kEdited = "[A]\r\nx = 2 ; note\r\n";

struct SaveFault {
  std::string name;
  friend void PrintTo(const SaveFault& f, std::ostream* os) { *os << f.name; }
  void (*arrange)(TempDir&);             // after the object was bound to <dir>/game.ini, holding kOnDisk
  bool backup;                           // Save(true) or Save(false)
  bool fails;                            // a box, Changed stays true
  std::optional<std::string> fileAfter;  // game.ini afterwards; nullopt: absent
  const char* boundTo = nullptr;         // the name in <dir> the object is bound to then, if another
  bool ordinaryUser = false;             // the save runs as a user whom permissions stop
  bool modeKept = true;                  // false: a read-only file comes back writable
  bool saveIndex = false;                // the index file game.gix is saved too
};

class SaveFaults : public IniCases<SaveFault> {};

std::ptrdiff_t OpenDescriptors() { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); }

// A file's extended attributes (ACLs among them) and inode flags, as one text.
std::string AttributesOf(const fs::path& file) {
  char names[4096], value[4096];
  std::string text;
  for (ssize_t at = 0, size = ::llistxattr(file.c_str(), names, sizeof names); at < size; at += std::strlen(names + at) + 1)
    text += std::string(names + at) + "=" + std::string(value, std::max<ssize_t>(0, ::lgetxattr(file.c_str(), names + at, value, sizeof value))) + ";";
  const int fd = fs::is_regular_file(fs::symlink_status(file)) ? ::open(file.c_str(), O_RDONLY | O_NONBLOCK) : -1;
  int flags = 0;
  if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) text += "flags=" + std::to_string(flags);
  if (fd >= 0) ::close(fd);
  return text;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code missing;
  return fs::equivalent(a, b, missing);
}

// What a save must keep of each name in a folder: its kind, mode, owner, group, links,
// attributes, flags and bytes (but the bytes of game.ini, through whatever name).
using Kinds = std::map<std::string, std::tuple<mode_t, uid_t, gid_t, nlink_t, std::string, std::string>>;
Kinds KindsIn(const fs::path& folder) {
  Kinds kinds;
  for (const auto& entry : fs::directory_iterator(folder)) {
    struct stat st{};
    const bool bytes = entry.is_regular_file() && !SameFile(entry.path(), folder / "game.ini");
    if (::lstat(entry.path().c_str(), &st) == 0)
      kinds[entry.path().filename().string()] = {st.st_mode, st.st_uid, st.st_gid, st.st_nlink, AttributesOf(entry.path()),
                     bytes ? ReadBytes(entry.path()) : ""};
  }
  return kinds;
}

// The save's outcome as bits, so that it comes back from a child process too.
enum Outcome { kBoxed = 1, kStillChanged = 2, kDescriptorLeft = 4, kEditsLost = 8 };
int Saved(INIFile& ini, bool backup, const BoxRecorder& boxes) {
  const auto descriptors = OpenDescriptors();
  ini.Save(backup);
  return (boxes.boxes().empty() ? 0 : kBoxed) | (ini.Changed() ? kStillChanged : 0) |
         (OpenDescriptors() != descriptors ? kDescriptorLeft : 0) | (ini.IniString() != kEdited ? kEditsLost : 0);
}

// The saver's own journal folder and temporary folder for one case, given to the ordinary
// user where the case runs as one: a save must leave both as empty as it found them.
struct OwnFolders {
  TempDir state, temporary;
  explicit OwnFolders(bool ordinaryUser) {
    for (const auto& [name, folder] : {std::pair{"XDG_STATE_HOME", &state}, {"TMPDIR", &temporary}}) {
      ::setenv(name, folder->path().c_str(), 1);
      if (ordinaryUser) GiveToOrdinaryUser(folder->path());
    }
  }
  ~OwnFolders() {
    for (const char* name : {"XDG_STATE_HOME", "TMPDIR"}) ::unsetenv(name);
  }
  bool Empty() const { return fs::is_empty(temporary.path()) && (!fs::exists(state / "orvo") || fs::is_empty(state / "orvo")); }
};

// Mounts made by a case (a file bound onto its own name, a small device), undone when it ends.
std::vector<fs::path> gBound;
struct Unbind {
  ~Unbind() { for (const auto& file : std::exchange(gBound, {})) ::umount2(file.c_str(), MNT_DETACH); }
};

TEST_P(SaveFaults, FailsLoudlyOrWritesAndLosesNothing) {
  const SaveFault& c = GetParam();
  TempDir dir;
  const OwnFolders own(c.ordinaryUser);
  const Unbind unbind;
  WriteBytes(dir / "game.ini", kOnDisk);
  if (c.ordinaryUser) GiveToOrdinaryUser(dir.path());
  INIFile ini;
  ini.SetFilename(dir.Text("game.ini"));
  ASSERT_EQ(ini.IniString(), kOnDisk);
  c.arrange(dir);
  if (c.boundTo) {
    ini.SetFilename(dir.Text(c.boundTo));
    ini.SetIniString(kOnDisk);
  }
  ini.SetIniValue("A", "x", "2");
  ini.SetSaveIndex(c.saveIndex);
  ASSERT_TRUE(ini.Changed());
  Kinds before = KindsIn(dir.path());

  const int outcome = c.ordinaryUser ? AsOrdinaryUser([&] { return Saved(ini, c.backup, boxes); })
                                     : Saved(ini, c.backup, boxes);
  EXPECT_EQ(outcome & kDescriptorLeft, 0) << "a save, failed or not, leaves no descriptor open";
  EXPECT_EQ((outcome & kBoxed) != 0, c.fails) << testing::PrintToString(boxes.boxes());
  EXPECT_EQ((outcome & kStillChanged) != 0, c.fails);
  EXPECT_EQ(outcome & kEditsLost, 0) << "a failed save must keep the edits in memory";
  const auto file = dir / "game.ini";
  EXPECT_EQ(fs::is_regular_file(file) ? std::optional(ReadBytes(file)) : std::nullopt, c.fileAfter);
  // A backup, when one was made, is a plain file holding the file as it was.
  Kinds after = KindsIn(dir.path());
  if (after.erase("game.ini.PreOrvo") && !before.count("game.ini.PreOrvo")) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "game.ini.PreOrvo")));
    EXPECT_EQ(ReadBytes(dir / "game.ini.PreOrvo"), kOnDisk);
    EXPECT_EQ(AttributesOf(dir / "game.ini.PreOrvo").find("acl_access") == std::string::npos,
              AttributesOf(dir / "game.ini").find("acl_access") == std::string::npos)
        << "the backup's readers are not the file's";
  }
  EXPECT_TRUE(own.Empty()) << "a journal or a copy of the old bytes was left";
  // What the save made: the file, where its link points, and the index file.
  std::erase_if(after, [&](const auto& kind) {
    return !before.count(kind.first) && (SameFile(dir / kind.first, file) || (c.saveIndex && kind.first == "game.gix"));
  });
  if (!c.modeKept) std::get<0>(before["game.ini"]) = std::get<0>(after["game.ini"]) = 0;
  EXPECT_EQ(after, before) << "a name changed in kind, mode, owner or links, or a new one was left";
}

// The faults, made after the object was bound to game.ini.
void Vanish(TempDir& d) { fs::remove(d / "game.ini"); }
void ReadOnly(TempDir& d) { ::chmod((d / "game.ini").c_str(), 0444); }
void ReadOnlyFolder(TempDir& d) { ::chmod(d.path().c_str(), 0555); }
void FullDevice(TempDir& d) { fs::create_symlink("/dev/full", d / "full.ini"); }  // opens, takes no bytes
void FolderInPlaceOfFile(TempDir& d) { fs::create_directory(d / "folder.ini"); }
void FileInPlaceOfFolder(TempDir& d) { WriteBytes(d / "plain", "x"); }
void Link(TempDir& d) {
  fs::rename(d / "game.ini", d / "target.ini");
  fs::create_symlink("target.ini", d / "game.ini");
}
void SecondLink(TempDir& d) { fs::create_hard_link(d / "game.ini", d / "other.ini"); }
void DanglingLink(TempDir& d) { fs::remove(d / "game.ini"), fs::create_symlink("made.ini", d / "game.ini"); }
// An index file that is no file of its own (the other refusals: IniIndexCli below).
void IndexLinkedElsewhere(TempDir& d) { WriteBytes(d / "victim", "x"), fs::create_symlink("victim", d / "game.gix"); }
// Only root can give a file away; for another user the file stays the saver's.
void Owner(const fs::path& file, uid_t user, mode_t mode) {
  std::ignore = ::chown(file.c_str(), user, user);
  ::chmod(file.c_str(), mode);
}
void NobodysPrivateFile(TempDir& d) { Owner(d / "game.ini", kNobody, 0600); }
void RootsSharedFile(TempDir& d) { Owner(d / "game.ini", 0, 0666); }
// A default ACL that would let nobody read a new file in the folder.
void FolderLetsNobodyRead(TempDir& d) {
  ::chmod((d / "game.ini").c_str(), 0640);
  const std::uint32_t acl[] = {2, 0x01 | 6u << 16, ~0u, 0x02 | 4u << 16, kNobody, 0x04 | 4u << 16, ~0u,
                               0x10 | 4u << 16, ~0u, 0x20, ~0u};
  EXPECT_EQ(::setxattr(d.path().c_str(), "system.posix_acl_default", acl, sizeof acl, 0), 0);
}
void NoDumpNoAtime(TempDir& d) { EXPECT_EQ(std::system(("chattr +dA " + (d / "game.ini").string()).c_str()), 0); }
// An attribute only root sees and sets (others have none); a saver who cannot see it: KilledSaves.
void TrustedAttribute(TempDir& d) {
  EXPECT_TRUE(::geteuid() != 0 || ::setxattr((d / "game.ini").c_str(), "trusted.mark", "1", 1, 0) == 0);
}
// No room for a new file's name beside it, nor for the journal's, which goes to the own folder.
const std::string kLongName = std::string(239, 'n') + ".ini";
void LongName(TempDir& d) {
  fs::rename(d / "game.ini", d / kLongName);
  fs::create_symlink(kLongName, d / "game.ini");
}
// A file bound onto its own name: the system refuses to rename another file over it.
void BoundOntoItself(TempDir& d) {
  const auto file = d / "game.ini";
  if (::mount(file.c_str(), file.c_str(), nullptr, MS_BIND, nullptr) == 0) gBound.push_back(file);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveFaults,
    testing::Values(
        // Nothing to set aside as the backup: the save fails before writing.
        SaveFault{"VanishedWithBackup", Vanish, true, true, std::nullopt},
        SaveFault{"VanishedWithoutBackup", Vanish, false, false, kEdited},
        SaveFault{"ReadOnlyFile", ReadOnly, true, false, kEdited, nullptr, true, false},
        SaveFault{"FullDevice", FullDevice, false, true, kOnDisk, "full.ini"},
        SaveFault{"FolderWhereTheFileShouldBe", FolderInPlaceOfFile, false, true, kOnDisk, "folder.ini"},
        SaveFault{"FileWhereTheFolderShouldBe", FileInPlaceOfFolder, true, true, kOnDisk, "plain\\game.ini"},
        // No backup can be made there; without one the file is written where it stands.
        SaveFault{"ReadOnlyFolder", ReadOnlyFolder, true, true, kOnDisk, nullptr, true},
        SaveFault{"ReadOnlyFolderWritableFile", ReadOnlyFolder, false, false, kEdited, nullptr, true},
        // The edit goes to the file the link names, and the link stays a link.
        SaveFault{"Link", Link, true, false, kEdited},
        SaveFault{"SecondLink", SecondLink, true, false, kEdited},
        // A link to a file not there yet: the file is made where it points.
        SaveFault{"DanglingLink", DanglingLink, false, false, kEdited},
        // A file that cannot be read is no missing one: nothing is saved over it.
        SaveFault{"UnreadableFile", [](TempDir& d) { ::chmod((d / "game.ini").c_str(), 0200); }, false, true, kOnDisk, nullptr, true},
        // The index file is written only as a file of its own; the INI file is saved all the same.
        SaveFault{"IndexLinkedElsewhere", IndexLinkedElsewhere, true, false, kEdited, nullptr, false, true, true},
        SaveFault{"AnotherUsersPrivateFile", NobodysPrivateFile, true, false, kEdited},
        SaveFault{"AnotherUsersFileOpenToAll", RootsSharedFile, true, false, kEdited, nullptr, true},
        // What the new file could not be given keeps the save in place.
        SaveFault{"FolderWithADefaultACL", FolderLetsNobodyRead, true, false, kEdited},
        SaveFault{"InodeFlags", NoDumpNoAtime, true, false, kEdited},
        SaveFault{"TrustedAttribute", TrustedAttribute, true, false, kEdited},
        // Replaces the system refuses.
        SaveFault{"NameTooLongForANewFileBeside", LongName, false, false, kEdited, kLongName.c_str()},
        SaveFault{"FileBoundOntoItsName", BoundOntoItself, true, false, kEdited}),
    ByName());

// A real device that runs full: a small memory file system of 64 KB, where the machine lets
// the test mount one. With 40 KB of the INI file and 16 KB of another, the new text of 49 KB
// fits neither beside the old file nor in its place, and a copy of the old one does not fit.
TEST(RealFullDevice, ASaveThatDoesNotFitLeavesTheFileAsItWas) {
  TempDir dir;
  const auto device = dir / "small";
  fs::create_directory(device);
  const Unbind unmount;
  if (::mount("tmpfs", device.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "this machine does not let the test mount a small device: " << std::strerror(errno);
  gBound.push_back(device);
  const std::string old = "[A]\r\nx = 1\r\n" + std::string(40 * 1024, ';') + "\r\n";
  // The first save, with its backup; a file with a second link, written where it stands.
  for (const auto& [backup, linked] : {std::pair{false, false}, {true, false}, {false, true}}) {
    LogCapture log;
    BoxRecorder boxes;
    fs::remove(device / "link");
    WriteBytes(device / "game.ini", old);
    WriteBytes(device / "other", std::string(16 * 1024, 'o'));
    if (linked) fs::create_hard_link(device / "game.ini", device / "link");
    INIFile ini;
    ini.SetFilename(PathText(device / "game.ini"));
    ini.SetIniValue("A", "x", std::string(9 * 1024, 'v'));
    ini.Save(backup);
    EXPECT_EQ(boxes.texts().size(), 1u);
    EXPECT_TRUE(ini.Changed());
    EXPECT_TRUE(ReadBytes(device / "game.ini") == old) << "the file is no longer as it was";
    EXPECT_EQ(std::distance(fs::directory_iterator(device), {}), linked ? 3 : 2) << "a new file was left behind";
  }
}

std::set<std::string> NamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// What a save killed where the system has no unnamed files leaves goes with the next save of
// that file, once its process has gone; another process's work in progress stays.
TEST(KilledSave, ItsLeftoverGoesWithTheNextSave) {
  TempDir dir;
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string of = std::to_string(gone), running = std::to_string(::getpid()), mark = "game.ini.orvo-new-";
  WriteBytes(dir / "game.ini", kOnDisk);
  // Names the program never makes, however like its own they look, are the user's.
  std::set<std::string> kept = {mark + running + "-0", "other.ini.orvo-new-" + of + "-0", mark + of + "-my notes.txt",
                                mark + "+" + of + "-0", mark + " " + of + "-0", mark + "0" + of + "-0", mark + of + "-0.bak", mark + of + "-"};
  for (const std::string& name : kept) WriteBytes(dir / name, "half");
  for (const std::string& name : {mark + of + "-0", "game.ini.PreOrvo.orvo-new-" + of + "-3"}) WriteBytes(dir / name, "half");
  LogCapture log;
  INIFile ini;
  ini.SetFilename(dir.Text("game.ini"));
  ini.SetIniValue("A", "x", "2");
  ini.Save(true);
  kept.insert({"game.ini", "game.ini.PreOrvo"});
  EXPECT_EQ(NamesIn(dir.path()), kept);
}

// orvo, run by the file's owner (an ordinary user), writes an index file only as a file of its
// own in the INI file's folder, and no text over a file it cannot read: each is refused in one
// line, and no name changes.
TEST(IniIndexCli, WritesNoIndexFileWhereItIsNoFileOfItsOwn) {
  struct Case { std::string file; void (*arrange)(const fs::path&); std::string says; };
  for (const Case& c : {Case{"game.d/settings", [](const fs::path&) {}, "outside its folder"},
                        Case{"p.ini", [](const fs::path& d) { fs::create_symlink("victim", d / "p.gix"); }, "is a link"},
                        Case{"p.ini", [](const fs::path& d) { fs::create_hard_link(d / "p.ini", d / "p.gix"); }, "is the INI file itself"},
                        Case{"p.gix", [](const fs::path&) {}, "is the INI file itself"},
                        Case{"p.ini", [](const fs::path& d) { ::mkfifo((d / "p.gix").c_str(), 0644); }, "is no plain file"},
                        Case{"p.ini", [](const fs::path& d) { ::chmod((d / "p.ini").c_str(), 0200); }, "cannot read p.ini"}}) {
    for (const char* command : {"index '%s' --write", "set '%s' A k 2 --index --add"}) {
      SCOPED_TRACE(c.says + ": " + command);
      TempDir dir;
      fs::create_directory(dir / "game.d");
      for (const std::string& name : {c.file, std::string("victim")}) WriteBytes(dir / name, "[A]\r\nk=1");
      c.arrange(dir.path());
      GiveToOrdinaryUser(dir.path());
      const Kinds before = KindsIn(dir.path());
      char line[200];
      std::snprintf(line, sizeof line, command, c.file.c_str());
      const std::string orvo = "'" + (BinFolder() / ("orvo" + ExeSuffix())).string() + "' ini " + line;
      const Captured run = RunCapturing("/bin/sh", {"-c", ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " + orvo : orvo}, dir.path());
      EXPECT_EQ(run.exitCode, 1);
      EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
      EXPECT_EQ(KindsIn(dir.path()), before) << "a name changed, or an index file was written";
    }
  }
}

// A save killed before each named call, or half-way through a write, as a kill -9 or a power
// cut stops it. A file with one link is replaced; the others are written in place. The next
// binding reads the old bytes or the new ones and leaves the file so; a backup is the old file;
// nothing else is left in the folder, the user's journal folder or the temporary folder.
struct KilledSave {
  std::string name;
  friend void PrintTo(const KilledSave& k, std::ostream* os) { *os << k.name; }
  void (*arrange)(TempDir&);
  bool ordinaryUser, inPlace, backup;
};
class KilledSaves : public IniCases<KilledSave> {};

TEST_P(KilledSaves, EveryLaterReaderSeesTheOldOrTheNewBytes) {
  const KilledSave& c = GetParam();
  // The edit makes the text shorter: a kill before the cut leaves the old text's end behind.
  const std::string old = "[A]\r\nx = 1\r\ny = 1\r\n" + std::string(64 * 1024, ';') + "\r\n";
  const std::string edited = "[A]\r\ny = 1\r\n" + std::string(64 * 1024, ';') + "\r\n";
  TempDir dir;
  const OwnFolders own(c.ordinaryUser);
  // Under AddressSanitizer the shim comes before the sanitizer's runtime in the library list,
  // which the runtime refuses unless told that this order is meant.
  const std::string command = "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 LD_PRELOAD=" ORVO_KILL_SHIM
                              " " + (BinFolder() / "orvo").string() + " ini delete " +
                              (dir / "game.ini").string() + " A x" + (c.backup ? "" : " --no-backup");
  std::map<std::string, int> kills;
  for (const std::string call : {"write", "write half", "pwrite", "pwrite half", "ftruncate", "fsync", "unlink", "rename", "linkat"}) {
    for (int n = 1;; ++n) {
      const std::string at = std::to_string(n) + " " + call;
      ::chmod(dir.path().c_str(), 0755);
      for (const char* name : {"other.ini", "game.ini.PreOrvo"}) fs::remove(dir / name);
      WriteBytes(dir / "game.ini", old);
      if (c.ordinaryUser) GiveToOrdinaryUser(dir.path());
      c.arrange(dir);
      const Kinds before = KindsIn(dir.path());
      const auto save = [&] {
        const int ended = std::system(("exec 2>/dev/null; ORVO_KILL_AT='" + at + "' " + command).c_str());
        return WIFSIGNALED(ended) ? 128 + WTERMSIG(ended) : WEXITSTATUS(ended);  // as a shell gives it
      };
      const int status = c.ordinaryUser ? AsOrdinaryUser(save) : save();
      if (status != 128 + SIGKILL) {
        EXPECT_EQ(status, 0) << at;
        EXPECT_TRUE(ReadBytes(dir / "game.ini") == edited) << at;
        break;
      }
      ++kills[call];
      const auto read = [&] {
        INIFile ini;
        ini.SetFilename(PathText(dir / "game.ini"));
        const std::string now = ReadBytes(dir / "game.ini");
        return (ini.IniString() == now ? 0 : 4) + (now == old ? 1 : now == edited ? 2 : 3);
      };
      const int seen = c.ordinaryUser ? AsOrdinaryUser(read) : read();
      EXPECT_TRUE(seen == 1 || seen == 2) << "killed at " << at << ": the reader saw " << seen;
      Kinds after = KindsIn(dir.path());
      if (after.erase("game.ini.PreOrvo")) {
        EXPECT_TRUE(ReadBytes(dir / "game.ini.PreOrvo") == old) << at;
      }
      // Killed between naming the complete new file and the rename, the new file keeps its
      // temporary name, for the next save to remove (ItsLeftoverGoesWithTheNextSave).
      if (call == "rename") std::erase_if(after, [](const auto& name) { return name.first.starts_with("game.ini.orvo-new-"); });
      EXPECT_EQ(after, before) << "killed at " << at;
      EXPECT_TRUE(own.Empty()) << "killed at " << at;
    }
  }
  // A saver other than root cannot see every attribute, so it writes in place.
  const bool inPlace = c.inPlace || ::geteuid() != 0;
  for (const char* step : {"write", "write half", "fsync", inPlace ? "pwrite half" : "rename", inPlace ? "ftruncate" : "linkat"})
    EXPECT_GE(kills[step], 1) << "the save never came to " << step;
  EXPECT_EQ(kills["pwrite"] > 0, inPlace) << "written in place, or not";
}

void Nothing(TempDir&) {}
// A link to a file with a second link: written in place, its journal beside the link's target.
void LinkToASharedFile(TempDir& d) {
  if (!fs::is_symlink(d / "game.ini")) Link(d);
  fs::create_hard_link(d / "target.ini", d / "other.ini");
}

INSTANTIATE_TEST_SUITE_P(Steps, KilledSaves,
                         testing::Values(KilledSave{"OneLink", Nothing, false, false, true},
                                         KilledSave{"SecondLink", SecondLink, false, true, true},
                                         KilledSave{"LinkToASharedFile", LinkToASharedFile, false, true, true},
                                         KilledSave{"FolderThatTakesNoNewFile", ReadOnlyFolder, true, true, false},
                                         KilledSave{"SaverWhoCannotSeeEveryAttribute", Nothing, true, true, true},
                                         // orvo keeps the mark: a kill at any step leaves it read-only.
                                         KilledSave{"ReadOnlyFile", ReadOnly, false, false, true},
                                         KilledSave{"ReadOnlyFileOfAnOrdinaryUser", ReadOnly, true, true, true}),
                         ByName());

// Two editors at once, each adding its own entry to the same file: each waits for the other,
// so neither edit is lost, and nothing of their lock stays in the folder.
TEST(TwoEditors, NeitherLosesItsEdit) {
  TempDir dir;
  const std::string set = "'" + (BinFolder() / ("orvo" + ExeSuffix())).string() + "' ini set '" + (dir / "c.ini").string() + "' A ";
  // The second editor's status, then, if it succeeded, the first's.
  const std::string both = set + "x 1 --add & " + set + "y 1 --add && wait $!";
  for (int pair = 0; pair < 12; ++pair) {
    WriteBytes(dir / "c.ini", "[A]\r\nz=0\r\n");
    EXPECT_EQ(std::system(both.c_str()), 0);
    const std::string text = ReadBytes(dir / "c.ini");
    ASSERT_TRUE(text.find("x = 1") != std::string::npos && text.find("y = 1") != std::string::npos) << "pair " << pair << ": " << text;
  }
  EXPECT_EQ(NamesIn(dir.path()), (std::set<std::string>{"c.ini", "c.ini.PreOrvo"}));
}

}  // namespace
}  // namespace orvo::test
