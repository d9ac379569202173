// GetIniValue: exactly what one plain search of the index for the key answers.
#include <random>

#include "IniTestSupport.h"
#include "ini/KeySearch.h"

namespace orvo::test {
namespace {

struct LookupCase {
  std::string name, text, section, entry, value;
};

class Lookup : public IniCases<LookupCase> {};

TEST_P(Lookup, AnswersFromTheIndex) {
  INIFile ini = WithText(GetParam().text);
  EXPECT_EQ(ini.GetIniValue(GetParam().section, GetParam().entry), GetParam().value);
  EXPECT_TRUE(boxes.boxes().empty());
}

const std::string kCar = "[Car]\r\nSpeed = 12\r\nGear=3";

INSTANTIATE_TEST_SUITE_P(
    Ini, Lookup,
    testing::Values(LookupCase{"NamesIgnoreCase", kCar, "car", "SPEED", "12"},
                    LookupCase{"MissingEntry", kCar, "Car", "Clutch", ""},
                    LookupCase{"MissingSection", kCar, "Truck", "Speed", ""},
                    LookupCase{"NamesNotTrimmed", kCar, " Car", "Speed", ""},
                    LookupCase{"LastLineWithoutLineEnd", kCar, "CAR", "gear", "3"},
                    LookupCase{"FirstOfTwo", "[A]\nx=1\nx=2", "A", "x", "1"},
                    LookupCase{"FirstOfTwoSections", "[A]\nx=1\n[a]\nx=2", "a", "X", "1"},
                    LookupCase{"BeforeAnyHeader", "x=5\n[A]\nx=1", "", "x", "5"},
                    LookupCase{"ValueKeepsCaseAndInnerSpaces", "[A]\rk =  Hello  World  \r", "a", "k", "Hello  World"},
                    LookupCase{"DashLineNotFound", "[A]\n-x=1", "A", "-x", ""},
                    // The key of section "" and entry "16" meets the position line of Speed's
                    // record and the empty line after it; the plain search answers the next
                    // record's name.
                    LookupCase{"KeyAcrossRecords", kCar, "", "16", "GEAR"},
                    LookupCase{"EmptyText", "", "", "", ""}),
    ByName());

// The fast search must answer what the plain search answers: texts over a small alphabet
// give many partial matches, near-misses at block edges and matches near the end.
TEST(KeySearch, AnswersAsThePlainSearch) {
  std::mt19937 rng(99);
  const std::string alphabet = "\r\nAB1";
  auto randomText = [&](std::size_t n) {
    std::string s(n, ' ');
    for (char& c : s) c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
    return s;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string hay = randomText(std::uniform_int_distribution<std::size_t>(0, 300)(rng));
    std::string needle = randomText(std::uniform_int_distribution<std::size_t>(1, 9)(rng));
    if (!hay.empty() && i % 2 == 0) {  // half the needles are cut from the text itself
      const std::size_t at = std::uniform_int_distribution<std::size_t>(0, hay.size() - 1)(rng);
      needle = hay.substr(at, needle.size());
    }
    const std::size_t a = std::uniform_int_distribution<std::size_t>(0, needle.size() - 1)(rng);
    const std::size_t b = std::uniform_int_distribution<std::size_t>(0, needle.size() - 1)(rng);
    ASSERT_EQ(ini::FindFirst(hay, needle, a, b), std::string_view(hay).find(needle))
        << "case " << i << " needle " << testing::PrintToString(needle);
  }
}

}  // namespace
}  // namespace orvo::test
