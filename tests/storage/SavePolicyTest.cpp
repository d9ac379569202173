// The save policy, steered through primitives that a test sets: which way each save goes, and
// what a reader finds after a save killed at each of its steps, on a system like Linux (new
// files with no name, a replace in one step) and one like Windows (named new files, a replace
// that takes the old file away first).
#include <gtest/gtest.h>

#include <functional>

#include "platform/host_path.h"
#include "storage/FakeSystem.h"
#include "storage/Journal.h"
#include "storage/Save.h"

namespace orvo::test {
namespace {

using storage::ReadOnlyFile;

// The new text more than twice as long as the old: half of its write reaches past the old end.
const std::string kFile = "/d/game.ini", kOld = "[A]\r\nx = 1\r\n", kNew = "[A]\r\nx = a value that is long enough\r\n";

struct ByName {
  template <class P>
  std::string operator()(const testing::TestParamInfo<P>& info) const { return info.param.name; }
};

void SecondLink(FakeSystem& s) { s.disk["/d/other.ini"] = s.disk[kFile]; }
void ReadOnly(FakeSystem& s) { s.disk[kFile]->readOnly = true; }
void LikeWindows(FakeSystem& s) { s.unnamedFiles = false, s.replaceInOneStep = false; }
void Missing(FakeSystem& s) { s.disk.erase(kFile); }

std::set<std::string> Names(const FakeDisk& disk) {
  std::set<std::string> names;
  for (const auto& entry : disk) names.insert(entry.first);
  return names;
}

enum class Way { Replaced, InPlace, AsItStands, Made, Refused };
struct Decision {
  std::string name;
  std::function<void(FakeSystem&)> arrange;
  Way way;
  ReadOnlyFile readOnly = ReadOnlyFile::MakeWritable;
  std::string says = {};      // for Refused: a part of the message
  bool readOnlyAfter = false;
};
class SaveGoes : public testing::TestWithParam<Decision> {};

TEST_P(SaveGoes, TheWayItsFileAllows) {
  const Decision& c = GetParam();
  FakeSystem s;
  s.Put(kFile, kOld);
  c.arrange(s);
  const int before = s.disk.count(kFile) ? s.disk[kFile]->id : 0;
  std::set<std::string> names = Names(s.disk);
  std::string error;
  try {
    storage::ReplaceFileBytes(kFile, kNew, storage::SaveAs{c.readOnly, std::nullopt, ""}, s);
  } catch (const OrvoError& e) {
    error = e.what();
  }
  const auto file = s.disk.count(kFile) ? s.disk[kFile] : nullptr;
  ASSERT_TRUE(file);
  if (c.way == Way::Refused) {
    EXPECT_NE(error.find(c.says), std::string::npos) << error;
    EXPECT_EQ(file->bytes, kOld);
  } else {
    EXPECT_EQ(error, "");
    EXPECT_EQ(file->bytes, kNew);
    EXPECT_EQ(file->readOnly, c.readOnlyAfter);
    const Way took = file->kind == platform::NodeKind::Other ? Way::AsItStands
                     : before == 0                         ? Way::Made
                     : file->id == before                  ? Way::InPlace
                                                           : Way::Replaced;
    EXPECT_EQ(took, c.way);
  }
  names.insert(kFile);
  EXPECT_EQ(Names(s.disk), names) << "a name was left, or one went";
}

INSTANTIATE_TEST_SUITE_P(
    Policy, SaveGoes,
    testing::Values(
        Decision{"OneLink", [](FakeSystem&) {}, Way::Replaced},
        Decision{"SecondLink", SecondLink, Way::InPlace},
        Decision{"IdentityThatCannotBeCarried", [](FakeSystem& s) { s.carriesIdentity = false; }, Way::InPlace},
        Decision{"FolderThatTakesNoNewFile", [](FakeSystem& s) { s.takesNoNewFile = {"/d/"}; }, Way::InPlace},
        Decision{"NoRoomForANewFilesName", [](FakeSystem& s) { s.longestName = 30; }, Way::InPlace},
        Decision{"ReplaceRefused", [](FakeSystem& s) { s.replaceRefused = platform::Refusal::NotAsItStands; }, Way::InPlace},
        Decision{"HeldOpenWithoutDeleteSharing", [](FakeSystem& s) { s.mayReplace = false; }, Way::InPlace},
        Decision{"ReplaceOfTwoSteps", LikeWindows, Way::Replaced},
        // The complete new text takes the name that the refused replace left empty.
        Decision{"ReplaceRefusedOnceTheOldFileWent", [](FakeSystem& s) { LikeWindows(s), s.refusedOnceTheOldFileWent = true; },
                 Way::Replaced},
        Decision{"ReadOnlyRefused", ReadOnly, Way::Refused, ReadOnlyFile::Refuse, "refused"},
        Decision{"ReadOnlyMadeWritable", ReadOnly, Way::Replaced},
        Decision{"ReadOnlyKept", ReadOnly, Way::Replaced, ReadOnlyFile::KeepReadOnly, {}, true},
        Decision{"ReadOnlyWithASecondLinkKept", [](FakeSystem& s) { ReadOnly(s), SecondLink(s); }, Way::InPlace,
                 ReadOnlyFile::KeepReadOnly, {}, true},
        Decision{"NotThereYet", Missing, Way::Made},
        Decision{"NotThereYetWithNoRoomBeside", [](FakeSystem& s) { Missing(s), LikeWindows(s), s.longestName = 30; }, Way::Made},
        Decision{"Device", [](FakeSystem& s) { s.disk[kFile]->kind = platform::NodeKind::Other; }, Way::AsItStands},
        Decision{"Folder", [](FakeSystem& s) { s.disk[kFile]->kind = platform::NodeKind::Folder; }, Way::Refused, {}, "refused"},
        // A save that cannot be made safely says what would make it so.
        Decision{"NoPlaceForAJournal", [](FakeSystem& s) { SecondLink(s), s.takesNoNewFile = {"/d/"}, s.hasOwnFolder = false; },
                 Way::Refused, {}, "/d/ takes no new file, and there is no journal folder of your own; let that folder take new files, or set HOME"},
        Decision{"AJournalARunningWriteHolds", [](FakeSystem& s) { SecondLink(s), s.Put(kFile + ".orvo-journal", ""), s.disk[kFile + ".orvo-journal"]->held = true; },
                 Way::Refused, {}, "another program is writing the file"},
        // Anything else under the journal's name is left alone, and keeps no save out.
        Decision{"ANamePlantedAsTheJournal", [](FakeSystem& s) { SecondLink(s), s.Put(kFile + ".orvo-journal", "x"), s.disk[kFile + ".orvo-journal"]->kind = platform::NodeKind::Other; },
                 Way::InPlace}),
    ByName());

struct Kill {
  std::string name;
  std::function<void(FakeSystem&)> arrange;
  ReadOnlyFile readOnly = ReadOnlyFile::MakeWritable;
};
class KilledSave : public testing::TestWithParam<Kill> {};

// Killed at every step in turn, or refused there as a full device refuses a write: the next
// reader (after a kill) or the failed save itself leaves the old text or the new one, with its
// read-only mark where it is the old, and the next save leaves nothing beside the file.
TEST_P(KilledSave, LeavesTheOldTextOrTheNewAtEveryStep) {
  const Kill& c = GetParam();
  const storage::SaveAs as{c.readOnly, std::nullopt, ""};
  for (const bool killed : {true, false}) {
    int stopped = 0;
    for (int step = 1;; ++step) {
      SCOPED_TRACE((killed ? "killed at step " : "refused at step ") + std::to_string(step));
      FakeSystem s;
      s.Put(kFile, kOld);
      c.arrange(s);
      const bool existed = s.disk.count(kFile), wasReadOnly = existed && s.disk[kFile]->readOnly;
      std::set<std::string> names = Names(s.disk);
      names.erase(kFile);
      (killed ? s.killAt : s.failAt) = step;
      bool failed = false;
      try {
        storage::ReplaceFileBytes(kFile, kNew, as, s);
      } catch (...) {  // what a dead process still throws reaches nothing
        failed = true;
      }
      if (!failed) break;
      ++stopped;
      // After a kill, a later process reads the disk as the kill left it.
      FakeSystem later = s;
      if (killed) later.disk = *s.atTheKill, later.atTheKill.reset(), later.process = 8;
      later.killAt = later.failAt = 0;
      const auto unfinished = storage::RollBackUnfinishedWrite(later, kFile);
      if (!later.disk.count(kFile)) storage::FinishInterruptedReplace(kFile, later);
      const auto file = later.disk.count(kFile) ? later.disk[kFile] : nullptr;
      const std::string seen = unfinished ? *unfinished : file ? file->bytes : "<none>";
      EXPECT_TRUE(seen == kNew || seen == (existed ? kOld : "<none>")) << seen;
      if (seen == kOld) {
        EXPECT_EQ(file->readOnly, wasReadOnly);
      }
      storage::ReplaceFileBytes(kFile, "third", as, later);
      std::set<std::string> after = Names(later.disk);
      after.erase(kFile);
      EXPECT_EQ(after, names) << "a journal or a new file was left";
    }
    EXPECT_GE(stopped, 6);
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, KilledSave,
                         testing::Values(Kill{"ReplaceInOneStep", [](FakeSystem&) {}},
                                         Kill{"WriteInPlace", SecondLink},
                                         Kill{"ReplaceOfTwoSteps", LikeWindows},
                                         Kill{"WriteInPlaceWithNamedNewFiles", [](FakeSystem& s) { LikeWindows(s), SecondLink(s); }},
                                         Kill{"NewFileNamedWhileWritten", [](FakeSystem& s) { LikeWindows(s), Missing(s); }},
                                         Kill{"ReadOnlyKeptInPlace", [](FakeSystem& s) { ReadOnly(s), SecondLink(s); }, ReadOnlyFile::KeepReadOnly},
                                         Kill{"ReadOnlyMadeWritable", [](FakeSystem& s) { ReadOnly(s), LikeWindows(s); }}),
                         ByName());

}  // namespace
}  // namespace orvo::test

namespace orvo::test {
namespace {

// The system's own lock between readers and writes in place: a writer's keeps a reader out,
// and a reader's a writer, through two openings of one file (two programs, as the system sees
// them); each goes with its opening.
TEST(SystemLock, AWritersLockKeepsAReaderOutUntilItGoes) {
  auto& system = platform::SystemPrimitives();
  const std::string file = platform::ToHostPath(testing::TempDir()) + "orvo-lock-test.ini";
  system.WriteAsItStands(file, kOld);
  for (const bool writerFirst : {true, false}) {
    auto first = system.OpenToWrite(file);
    ASSERT_TRUE(first->TryLock(writerFirst));
    auto second = system.OpenToWrite(file);
    EXPECT_FALSE(second->TryLock(!writerFirst));
    first.reset();
    EXPECT_TRUE(second->TryLock(!writerFirst));
  }
  system.RemoveName(file);
}

}  // namespace
}  // namespace orvo::test
