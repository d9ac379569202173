// The profile programs around a real run of the loader: started in the game's folder before
// the game, logged with their real ids, terminated after it in start order.
#include <algorithm>

#include "launcher/LoaderRun.h"

namespace orvo::test {
namespace {

class ProfileRun : public LaunchEndToEnd {
 protected:
  // A companion that records itself to <name>.txt and runs until it is killed (or, with
  // "0", ends at once).
  std::string Companion(const std::string& name, const std::string& sleep = "forever") const {
    return PathText(HelperExe()) + " record " + dir.Text(name + ".txt") + " " + sleep;
  }
  void WriteProfile(const std::string& name, const std::string& text) {
    std::filesystem::create_directories(dir / "loader" / "Profiles");
    WriteBytes(dir / "loader" / "Profiles" / (name + ".bst"), text);
  }
  // Entries of the log between the command line's "Set" entries and the "Calling GPL:" block.
  std::vector<std::string> Around(const std::string& first, const std::string& last) const {
    const auto lines = LogLines(Log());
    auto b = std::find_if(lines.begin(), lines.end(), [&](const auto& l) { return l.rfind(first, 0) == 0; });
    auto e = std::find_if(b, lines.end(), [&](const auto& l) { return l.rfind(last, 0) == 0; });
    return {b, e};
  }
  std::string Pid(const std::string& name) const { return ReadRecord(dir / (name + ".txt")).at("pid"); }
};

TEST_F(ProfileRun, CompanionsRunBesideTheGameAndAreKilledAfterIt) {
  WriteProfile("Race", "; two companions\r\n[1]\r\npath = " + Companion("b") + "\r\n\r\n[ 0 ]\r\npath=" +
                           Companion("a") + "\r\nother = x\r\n");
  const std::string line = game + ";" + followUp + ";Race";
  RunLoader(line);

  ASSERT_TRUE(WaitForFile(dir / "a.txt"));
  ASSERT_TRUE(WaitForFile(dir / "b.txt"));
  for (const char* name : {"a", "b"}) {
    EXPECT_EQ(ReadRecord(dir / (std::string(name) + ".txt")).at("cwd"), dir.Text("game")) << name;
    EXPECT_FALSE(ProcessIsRunning(std::stoul(Pid(name)))) << name << " outlived the loader";
  }
  std::vector<std::string> expected = {"Indexing Race.bst", "Started: " + Companion("a") + " as " + Pid("a"),
                                       "Started: " + Companion("b") + " as " + Pid("b"), "Calling GPL:" + line};
  EXPECT_EQ(Around("Indexing", "Calling GPL:"), std::vector<std::string>(expected.begin(), expected.end() - 1));
  expected = {"Out of GPL", "Killed Process" + Pid("a"), "Killed Process" + Pid("b")};
  EXPECT_EQ(Around("Out of GPL", "Set Dir to"), expected);
  // The order of the whole run.
  const auto lines = LogLines(Log());
  auto at = [&](const std::string& prefix) {
    return std::find_if(lines.begin(), lines.end(), [&](const auto& l) { return l.rfind(prefix, 0) == 0; }) - lines.begin();
  };
  EXPECT_LT(at("Set Dir to " + dir.Text("game")), at("Indexing"));
  EXPECT_LT(at("Calling GPL:"), at("RunApp:"));
  EXPECT_LT(at("RunApp:"), at("Out of GPL"));
}

struct ProfileCase {
  std::string name;
  std::string profile;  // {a}, {b}, {c} stand for companions recording to a.txt, b.txt, c.txt
  std::vector<std::string> started;  // companions expected to have run
  std::vector<std::string> entries;  // expected entries from "Indexing"/"Started" to "Calling GPL:" (ids as {pid:x})
  std::vector<std::string> killed;   // expected "Killed Process" entries (ids as {pid:x})
  friend void PrintTo(const ProfileCase& c, std::ostream* os) { *os << c.name; }
};

class ProfileCases : public ProfileRun, public ::testing::WithParamInterface<ProfileCase> {};

TEST_P(ProfileCases, StartAndKillWhatTheProfileLists) {
  const ProfileCase& c = GetParam();
  auto expand = [&](std::string s) {
    for (const char* n : {"a", "b", "c"}) {
      const std::string key = std::string("{") + n + "}", pidKey = std::string("{pid:") + n + "}";
      for (auto p = s.find(key); p != std::string::npos; p = s.find(key)) s.replace(p, key.size(), Companion(n));
      for (auto p = s.find(pidKey); p != std::string::npos; p = s.find(pidKey)) s.replace(p, pidKey.size(), Pid(n));
    }
    return s;
  };
  if (!c.profile.empty()) WriteProfile("P", expand(c.profile));
  RunLoader(game + ";" + followUp + ";P");
  for (const auto& n : c.started) ASSERT_TRUE(WaitForFile(dir / (n + ".txt"))) << n;
  for (const char* n : {"a", "b", "c"}) {
    const bool expectedToRun = std::count(c.started.begin(), c.started.end(), n) > 0;
    EXPECT_EQ(std::filesystem::exists(dir / (std::string(n) + ".txt")), expectedToRun) << n;
    if (expectedToRun) EXPECT_FALSE(ProcessIsRunning(std::stoul(Pid(n)))) << n;
  }
  std::vector<std::string> entries, killed;
  for (const auto& e : c.entries) entries.push_back(expand(e));
  for (const auto& e : c.killed) killed.push_back(expand(e));
  const auto lines = LogLines(Log());
  auto begin = std::find_if(lines.begin(), lines.end(), [](const auto& l) {
    return l.rfind("Indexing", 0) == 0 || l.rfind("Started:", 0) == 0 || l.rfind("Calling GPL:", 0) == 0;
  });
  auto end = std::find_if(begin, lines.end(), [](const auto& l) { return l.rfind("Calling GPL:", 0) == 0; });
  EXPECT_EQ(std::vector<std::string>(begin, end), entries);
  auto out = std::find(lines.begin(), lines.end(), "Out of GPL");
  ASSERT_NE(out, lines.end());
  auto handOff = std::find_if(out, lines.end(), [](const auto& l) { return l.rfind("Set Dir to", 0) == 0; });
  EXPECT_EQ(std::vector<std::string>(out + 1, handOff), killed);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, ProfileCases,
    ::testing::Values(
        ProfileCase{"GapEndsTheList",
                    "[0]\r\npath={a}\r\n[1]\r\npath={b}\r\n[3]\r\npath={c}\r\n",
                    {"a", "b"},
                    {"Indexing P.bst", "Started: {a} as {pid:a}", "Started: {b} as {pid:b}"},
                    {"Killed Process{pid:a}", "Killed Process{pid:b}"}},
        ProfileCase{"FirstSectionNotZero", "[1]\r\npath={a}\r\n", {}, {}, {}},
        ProfileCase{"LeadingZeroIsNotZero", "[00]\r\npath={a}\r\n", {}, {}, {}},
        ProfileCase{"EmptyPath",
                    "[0]\r\npath=\r\n[1]\r\npath={b}\r\n",
                    {"b"},
                    {"Indexing P.bst", "Started:  as 0", "Started: {b} as {pid:b}"},
                    {"Killed Process0", "Killed Process{pid:b}"}},
        ProfileCase{"MissingPathEntry", "[0]\r\nname=x\r\n", {}, {"Indexing P.bst", "Started:  as 0"}, {"Killed Process0"}},
        ProfileCase{"LfLineEnds",
                    "[0]\npath={a}\n",
                    {"a"},
                    {"Indexing P.bst", "Started: {a} as {pid:a}"},
                    {"Killed Process{pid:a}"}},
        ProfileCase{"CompanionEndedDuringTheGame",
                    "[0]\r\npath={a} 0\r\n",
                    {"a"},
                    {"Indexing P.bst", "Started: {a} 0 as {pid:a}"},
                    {"Killed Process{pid:a}"}},
        ProfileCase{"MissingProfile", "", {}, {}, {}}),
    [](const auto& info) { return info.param.name; });

TEST_F(ProfileRun, AProgramThatCannotBeStartedIsLoggedWithIdZero) {
  WriteProfile("P", "[0]\r\npath=" + dir.Text("no-such-program.exe") + "\r\n");
  RunLoader(game + ";;P");
  const auto lines = LogLines(Log());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Started: " + dir.Text("no-such-program.exe") + " as 0"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Killed Process0"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Out of GPL"), lines.end());
}

TEST_F(ProfileRun, AnEmptyProfileNameLeavesTheProfilesFolderUntouched) {
  RunLoader(game + ";" + followUp + ";");
  EXPECT_FALSE(std::filesystem::exists(dir / "loader" / "Profiles"));
  const auto lines = LogLines(Log());
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.rfind("Killed", 0) == 0; }), 0);
}

}  // namespace
}  // namespace orvo::test
