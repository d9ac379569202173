// GetIniValue: exactly what one plain search of the index for the key answers.
#include <random>

#include "IniTestSupport.h"
#include "ini/KeySearch.h"

namespace orvo::test {
namespace {

TEST_F(IniTest, LookupsAnswerFromTheIndex) {
  const std::string car = "[Car]\r\nSpeed = 12\r\nGear=3";
  struct Case { const char* name; std::string text, section, entry, value; };
  const Case cases[] = {{"NamesIgnoreCase", car, "car", "SPEED", "12"},
                        {"MissingEntry", car, "Car", "Clutch", ""},
                        {"NamesNotTrimmed", car, " Car", "Speed", ""},
                        {"LastLineWithoutLineEnd", car, "CAR", "gear", "3"},
                        {"FirstOfTwo", "[A]\nx=1\nx=2", "A", "x", "1"},
                        {"FirstOfTwoSections", "[A]\nx=1\n[a]\nx=2", "a", "X", "1"},
                        {"BeforeAnyHeader", "x=5\n[A]\nx=1", "", "x", "5"},
                        {"ValueKeepsCaseAndInnerSpaces", "[A]\rk =  Hello  World  \r", "a", "k", "Hello  World"},
                        {"DashLineNotFound", "[A]\n-x=1", "A", "-x", ""},
                        // The key of section "" and entry "16" meets the position line of Speed's
                        // record and the empty line after it: the next record's name answers.
                        {"KeyAcrossRecords", car, "", "16", "GEAR"},
                        {"EmptyText", "", "", "", ""}};
  for (const Case& c : cases) EXPECT_EQ(WithText(c.text).GetIniValue(c.section, c.entry), c.value) << c.name;
  EXPECT_TRUE(boxes.boxes().empty());
}

// The fast search must answer what the plain search answers: texts over a small alphabet
// give many partial matches, near-misses at block edges and matches near the end.
TEST(KeySearch, AnswersAsThePlainSearch) {
  std::mt19937 rng(99);
  auto upTo = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n)(rng); };
  auto randomText = [&](std::size_t n) {
    std::string s(n, ' ');
    for (char& c : s) c = "\r\nAB1"[upTo(4)];
    return s;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string hay = randomText(upTo(300));
    std::string needle = randomText(1 + upTo(8));
    if (!hay.empty() && i % 2 == 0) needle = hay.substr(upTo(hay.size() - 1), needle.size());  // cut from the text
    const std::size_t a = upTo(needle.size() - 1), b = upTo(needle.size() - 1);
    ASSERT_EQ(ini::FindFirst(hay, needle, a, b), std::string_view(hay).find(needle)) << "case " << i << " needle " << testing::PrintToString(needle);
  }
}

}  // namespace
}  // namespace orvo::test
