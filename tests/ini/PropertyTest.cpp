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

// Sections s0.. with entries e0.. (names in random case), values with inner spaces and "=",
// random line ends, comments and blank lines.
std::string RandomIni(std::mt19937& rng) {
  auto pick = [&](int hi) { return std::uniform_int_distribution<int>(0, hi)(rng); };
  static const char* ends[] = {"\r\n", "\n", "\r"};
  static const char* parts[] = {"1", "abc", " ", "=", "x y", "\xE9"};
  std::string text;
  for (int s = 0, sections = 1 + pick(3); s < sections; ++s) {
    text += (pick(1) ? "[ s" : "[s") + std::to_string(s) + "]" + ends[pick(2)];
    for (int e = 0, entries = pick(4); e < entries; ++e) {
      std::string value;
      for (int k = pick(4); k > 0; --k) value += parts[pick(5)];
      text += std::string(pick(1) ? "\t" : "") + (pick(1) ? "E" : "e") + std::to_string(e) + (pick(1) ? " = " : "=") +
              text::TrimSpaces(value) + (pick(2) == 0 ? "  ; note" : "") + ends[pick(2)] + (pick(3) ? "" : "\r\n");
    }
  }
  return text;
}

TEST_F(IniTest, SetThenGetGivesTheValueAndLeavesTheOthers) {
  std::mt19937 rng(7);
  auto values = [](INIFile& ini) {
    std::vector<std::string> all;
    for (int s = 0; s < 4; ++s)
      for (int e = 0; e < 5; ++e) all.push_back(ini.GetIniValue("s" + std::to_string(s), "e" + std::to_string(e)));
    return all;
  };
  static const char* choices[] = {"", "7", "a longer value", "v=w", "\xE9\xE9"};
  for (int i = 0; i < 3000; ++i) {
    const std::string text = RandomIni(rng);
    INIFile ini = WithText(text);
    const int s = std::uniform_int_distribution<int>(0, 3)(rng), e = std::uniform_int_distribution<int>(0, 4)(rng);
    const std::string value = choices[std::uniform_int_distribution<int>(0, 4)(rng)];
    std::vector<std::string> expected = values(ini);
    expected[static_cast<std::size_t>(s * 5 + e)] = value;

    ini.SetIniValue("s" + std::to_string(s), "e" + std::to_string(e), value, true);
    ASSERT_EQ(values(ini), expected) << "case " << i << "\n" << text;
    INIFile fresh = WithText(ini.IniString());  // the index as patched answers as a new one
    ASSERT_EQ(values(fresh), expected) << "case " << i;
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo::test
