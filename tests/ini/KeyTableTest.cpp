// Through the engine, the answers do not change when the line-pair table takes over from the
// plain search after the first lookups, nor after an in-place edit or a new text. That the
// table itself answers as the plain search does, on any index, the key-search fuzz target
// proves (and the suite replays its inputs).
#include "IniTestSupport.h"

namespace orvo::test {
namespace {

TEST_F(IniTest, AnswersDoNotChangeWhenTheTableTakesOver) {
  struct Case { std::string text; std::vector<std::pair<std::string, std::string>> lookups; };  // section, entry
  const Case cases[] = {{"[A]\r\nx=1\r\ny=2\r\n[B]\r\nx=3\r\n", {{"A", "x"}, {"B", "x"}, {"B", "y"}, {"C", "x"}}},
                        // Section "" and entry "16" straddle Speed's position line and the next record.
                        {"[A]\r\nx=1\r\nSpeed = 12\r\nGear=3", {{"", "16"}, {"A", "speed"}, {"A", "x"}}},
                        {"[A]\nx=1\nx=2\n[a]\nx=3\n", {{"A", "x"}, {"a", "X"}, {"", "x"}}},
                        {"[A]\r\nx=1\r\n", {{"A\r\n", "x"}, {"A", "x\r\nA"}, {"A", "x"}}}};
  for (const Case& c : cases) {
    INIFile ini = WithText(c.text);
    std::vector<std::string> first, later;
    for (const auto& [section, entry] : c.lookups) first.push_back(ini.GetIniValue(section, entry));
    for (int round = 0; round < 20; ++round) {
      later.clear();
      for (const auto& [section, entry] : c.lookups) later.push_back(ini.GetIniValue(section, entry));
      ASSERT_EQ(later, first) << c.text << " round " << round;
    }
  }
  // A same-length edit rewrites a value inside the index: "1" and later "9" stand as a section
  // after the section line "A", and the answer is the position line, 8.
  INIFile ini = WithText("[A]\r\nx=1\r\n");
  for (int i = 0; i < 20; ++i) ASSERT_EQ(ini.GetIniValue("1", "A"), "8");
  ini.SetIniValue("A", "x", "9");
  EXPECT_EQ(ini.GetIniValue("9", "A") + "|" + ini.GetIniValue("1", "A") + "|" + ini.GetIniValue("a", "X"), "8||9");
  ini.SetIniString("[A]\r\nx=5\r\n");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "5");
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo::test
