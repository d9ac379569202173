// Properties over generated texts (fixed seeds): a load and save without edits gives the
// same bytes, and a value set is the value then looked up, with every other value unchanged.
#include <random>

#include "IniTestSupport.h"
#include "vocabulary/TextOps.h"

namespace orvo::test {
namespace {

TEST_F(IniTest, LoadAndSaveKeepEveryByte) {
  static const std::string pieces[] = {"[", "]", "=", ";", "\t", " ", "\r", "\n", "\r\n", "-", "a", "Bc", "\x01", "\xFF", std::string(1, '\0')};
  std::mt19937 rng(20261206);
  TempDir dir;
  for (int i = 0; i < 1000; ++i) {
    std::string text;
    for (int n = std::uniform_int_distribution<int>(0, 60)(rng); n > 0; --n) text += pieces[std::uniform_int_distribution<std::size_t>(0, 14)(rng)];
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

TEST_F(IniTest, SetThenGetGivesTheValueAndLeavesTheOthers) {
  std::mt19937 rng(7);
  auto pick = [&](int hi) { return std::uniform_int_distribution<int>(0, hi)(rng); };
  auto values = [](auto&& ini) {
    std::vector<std::string> all;
    for (int s = 0; s < 4; ++s)
      for (int e = 0; e < 5; ++e) all.push_back(ini.GetIniValue("s" + std::to_string(s), "e" + std::to_string(e)));
    return all;
  };
  static const char* ends[] = {"\r\n", "\n", "\r"};
  static const char* parts[] = {"1", "abc", " ", "=", "x y", "\xE9"};
  static const char* choices[] = {"", "7", "a longer value", "v=w", "\xE9\xE9"};
  for (int i = 0; i < 1500; ++i) {
    // Sections s0.. with entries e0.. (names in random case), values with inner spaces and
    // "=", random line ends, comments and blank lines.
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
    INIFile ini = WithText(text);
    const int s = pick(3), e = pick(4);
    const std::string value = choices[pick(4)];
    std::vector<std::string> expected = values(ini);
    expected[static_cast<std::size_t>(s * 5 + e)] = value;
    ini.SetIniValue("s" + std::to_string(s), "e" + std::to_string(e), value, true);
    ASSERT_EQ(values(ini), expected) << "case " << i << "\n" << text;
    ASSERT_EQ(values(WithText(ini.IniString())), expected) << "case " << i;  // the patched index answers as a new one
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo::test
