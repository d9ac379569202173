// The line-pair table answers each lookup exactly as the plain search of the index does:
// hits, misses, keys that match across two records, repeated names, and indexes it must
// decline. Checked on the table itself and through GetIniValue, whose answers must not
// change when the table takes over after the first plain searches.
#include <random>

#include "IniTestSupport.h"
#include "ini/IndexRecord.h"
#include "ini/KeyTable.h"

namespace orvo::test {
namespace {

struct IndexShape {
  std::string name;
  std::string alphabet;  // of names, sections and values
  int records;
  bool builds;  // whether the table takes the index
};

// Records over a tiny alphabet repeat names and make values that equal names, so that keys
// straddle records; an alphabet with a lone CR or LF makes an index the table declines.
std::string MakeIndex(const IndexShape& shape, std::mt19937& rng, std::vector<std::string>& keys) {
  const auto word = [&] {
    std::string s(std::uniform_int_distribution<std::size_t>(0, 3)(rng), ' ');
    for (char& c : s) c = shape.alphabet[std::uniform_int_distribution<std::size_t>(0, shape.alphabet.size() - 1)(rng)];
    return s;
  };
  std::string index;
  for (int r = 0; r < shape.records; ++r) {
    const std::string name = word(), section = text::Upper(word());
    ini::AppendRecord(index, name, section, word(), r * 7);
    keys.push_back(ini::LookupKey(section, name));
    keys.push_back(ini::LookupKey(word(), word()));  // mostly misses, some straddle
  }
  return index;
}

class KeyTableAnswers : public testing::TestWithParam<IndexShape> {};

TEST_P(KeyTableAnswers, AsThePlainSearch) {
  std::mt19937 rng(20261206);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> keys;
    const std::string index = MakeIndex(GetParam(), rng, keys);
    ini::KeyTable table;
    ASSERT_EQ(table.Build(index), GetParam().builds);
    if (!GetParam().builds) {
      EXPECT_FALSE(table.Find(index, keys.front()).has_value());
      continue;
    }
    for (const std::string& key : keys) {
      const auto got = table.Find(index, key);
      ASSERT_TRUE(got.has_value()) << testing::PrintToString(key);
      const std::size_t want = index.find(key);
      ASSERT_EQ(*got == ini::KeyTable::kNotFound ? std::string::npos : *got, want)
          << "key " << testing::PrintToString(key) << " in " << testing::PrintToString(index);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Ini, KeyTableAnswers,
                         testing::Values(IndexShape{"TinyAlphabet", "aB1", 40, true},
                                         IndexShape{"DigitsLikePositions", "07", 60, true},
                                         IndexShape{"EmptyIndex", "a", 0, true},
                                         IndexShape{"LoneLineFeedInValues", "a\n", 40, false},
                                         IndexShape{"LoneCarriageReturn", "\rb", 40, false}),
                         ByName());

// Keys the table does not answer for go back to the search.
TEST(KeyTable, DeclinesKeysOfAnotherShape) {
  std::string index;
  ini::AppendRecord(index, "x", "A", "1", 5);
  ini::KeyTable table;
  ASSERT_TRUE(table.Build(index));
  for (const std::string key : {"", "\r\nX\r\n", "\r\nX\nA\r\n", "X\r\nA\r\n", "\r\nX\r\nA", "\r\nX\r\nA\r\n1\r\n"})
    EXPECT_FALSE(table.Find(index, key).has_value()) << testing::PrintToString(key);
  EXPECT_EQ(table.Find(index, "\r\nX\r\nA\r\n"), std::optional<std::size_t>(0));
}

// Through the engine: the same lookups before and after the table takes over, also across
// an in-place edit (which changes the index) and a rebuild.
struct EngineCase {
  std::string name, text;
  std::vector<std::pair<std::string, std::string>> lookups;  // section, entry
};
class TableThroughEngine : public IniCases<EngineCase> {};

TEST_P(TableThroughEngine, AnswersDoNotChange) {
  INIFile ini = WithText(GetParam().text);
  std::vector<std::string> first;
  for (const auto& [section, entry] : GetParam().lookups) first.push_back(ini.GetIniValue(section, entry));
  for (int round = 0; round < 4; ++round) {
    for (std::size_t i = 0; i < first.size(); ++i)
      ASSERT_EQ(ini.GetIniValue(GetParam().lookups[i].first, GetParam().lookups[i].second), first[i])
          << "round " << round << " lookup " << i;
  }
  // A same-length edit patches the index; the table must not answer from the old text.
  ini.SetIniValue("A", "x", "9");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "9");
  for (int i = 0; i < 20; ++i) ASSERT_EQ(ini.GetIniValue("a", "X"), "9");
  ini.SetIniString("[A]\r\nx=5\r\n");
  EXPECT_EQ(ini.GetIniValue("A", "x"), "5");
}

INSTANTIATE_TEST_SUITE_P(
    Ini, TableThroughEngine,
    testing::Values(EngineCase{"Plain", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nx=3\r\n", {{"A", "x"}, {"B", "x"}, {"B", "y"}, {"C", "x"}}},
                    // Section "" and entry "16" straddle Speed's position line and the next
                    // record, as the plain search finds.
                    EngineCase{"Straddle", "[A]\r\nx=1\r\nSpeed = 12\r\nGear=3", {{"", "16"}, {"A", "speed"}, {"A", "x"}}},
                    EngineCase{"Repeated", "[A]\nx=1\nx=2\n[a]\nx=3\n", {{"A", "x"}, {"a", "X"}, {"", "x"}}},
                    EngineCase{"LineEndInName", "[A]\r\nx=1\r\n", {{"A\r\n", "x"}, {"A", "x\r\nA"}, {"A", "x"}}}),
    ByName());

// A same-length edit rewrites a value inside the index; keys that straddle that value must
// see the new one once the table has taken over ("1" and later "9" stand as a section after
// the section line "A", and the answer is the position line, 8).
TEST(KeyTable, AnEditInPlaceIsSeenByKeysAcrossRecords) {
  INIFile ini = WithText("[A]\r\nx=1\r\n");
  for (int i = 0; i < 20; ++i) ASSERT_EQ(ini.GetIniValue("1", "A"), "8");
  ini.SetIniValue("A", "x", "9");
  EXPECT_EQ(ini.GetIniValue("9", "A"), "8");
  EXPECT_EQ(ini.GetIniValue("1", "A"), "");
}

}  // namespace
}  // namespace orvo::test
