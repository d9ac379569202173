// Properties over generated texts (fixed seeds): a load and save without edits gives the
// same bytes, and a value set is the value then looked up, with every other value unchanged.
#include <random>

#include "IniTestSupport.h"
#include "common/TextOps.h"

namespace orvo::test {
namespace {

std::string RandomText(std::mt19937& rng) {
  static const std::vector<std::string> pieces = {"[", "]", "=", ";", "\t", " ", "  ", "\r", "\n", "\r\n", "-",
                                                  "a", "Bc", "x1", "\x01", "\xE9", "\xFF", std::string(1, '\0')};
  std::string text;
  const int n = std::uniform_int_distribution<int>(0, 60)(rng);
  for (int i = 0; i < n; ++i) text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
  return text;
}

TEST_F(IniTest, LoadAndSaveKeepEveryByte) {
  std::mt19937 rng(20261206);
  TempDir dir;
  for (int i = 0; i < 2000; ++i) {
    const std::string text = RandomText(rng);
    WriteBytes(dir / "p.ini", text);
    INIFile ini;
    ini.SetFilename(dir.Text("p.ini"));
    ini.BuildIndex();
    ini.SetChanged(true);
    ini.Save(false);
    ASSERT_EQ(ReadBytes(dir / "p.ini"), text) << "case " << i;
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

// A structured text: sections s0.. with entries e0.. (names in random case), values with
// inner spaces and "=", random line ends, comments and blank lines.
struct Generated {
  std::string text;
  std::vector<std::pair<std::string, std::string>> keys;  // section, entry
};

Generated RandomIni(std::mt19937& rng) {
  auto pick = [&](int hi) { return std::uniform_int_distribution<int>(0, hi)(rng); };
  const char* ends[] = {"\r\n", "\n", "\r"};
  auto value = [&] {
    static const char* parts[] = {"1", "abc", " ", "=", "x y", "\xE9"};
    std::string v;
    for (int k = pick(4); k > 0; --k) v += parts[pick(5)];
    return text::TrimSpaces(v);
  };
  Generated g;
  for (int s = 0, sections = 1 + pick(3); s < sections; ++s) {
    const std::string section = "s" + std::to_string(s);
    g.text += (pick(1) ? "[ " : "[") + section + "]" + ends[pick(2)];
    for (int e = 0, entries = pick(4); e < entries; ++e) {
      const std::string entry = (pick(1) ? "E" : "e") + std::to_string(e);
      g.text += std::string(pick(1) ? "\t" : "") + entry + (pick(1) ? " = " : "=") + value() +
                (pick(2) == 0 ? "  ; note" : "") + ends[pick(2)] + (pick(3) == 0 ? ends[pick(2)] : "");
      g.keys.emplace_back(section, entry);
    }
  }
  return g;
}

TEST_F(IniTest, SetThenGetGivesTheValueAndLeavesTheOthers) {
  std::mt19937 rng(7);
  for (int i = 0; i < 3000; ++i) {
    Generated g = RandomIni(rng);
    INIFile ini = WithText(g.text);
    const std::string section = "s" + std::to_string(std::uniform_int_distribution<int>(0, 3)(rng));
    const std::string entry = "e" + std::to_string(std::uniform_int_distribution<int>(0, 4)(rng));
    static const char* values[] = {"", "7", "a longer value", "v=w", "\xE9\xE9"};
    const std::string value = values[std::uniform_int_distribution<int>(0, 4)(rng)];
    std::vector<std::string> before;
    for (const auto& [s, e] : g.keys) before.push_back(ini.GetIniValue(s, e));

    ini.SetIniValue(section, entry, value, true);
    ASSERT_EQ(ini.GetIniValue(section, entry), value) << "case " << i << "\n" << g.text;
    for (std::size_t k = 0; k < g.keys.size(); ++k) {
      const auto& [s, e] = g.keys[k];
      if (text::EqualIgnoringCase(s, section) && text::EqualIgnoringCase(e, entry)) continue;
      ASSERT_EQ(ini.GetIniValue(s, e), before[k]) << "case " << i << " " << s << "/" << e << "\n" << g.text;
    }
    // The patched index answers as a fresh index of the new text does.
    INIFile fresh = WithText(ini.IniString());
    ASSERT_EQ(fresh.GetIniValue(section, entry), value) << "case " << i;
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo::test
