// The text members of OrvoCommon on ordinary input: one table, each case one call.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "common/OrvoCommon.h"

namespace orvo {
namespace {

using namespace std::string_literals;
using Call = std::function<std::string(const OrvoCommon&)>;

// Takes fields off the text until it is used up; the fields joined by '|'.
std::string Fields(std::string text) {
  std::string joined = OrvoCommon().GetNextField(text);
  for (int guard = 0; !text.empty() && guard < 100; ++guard) joined += "|" + OrvoCommon().GetNextField(text);
  return joined;
}
std::string Find(const std::string& text, const std::string& chars, std::int32_t start) {
  return std::to_string(OrvoCommon().FindCharInString(text, chars, start));
}

struct TextCase {
  std::string name;
  Call call;
  std::string expected;
};
class StringMembers : public testing::TestWithParam<TextCase> {};

TEST_P(StringMembers, GiveTheExpectedText) { EXPECT_EQ(GetParam().call(OrvoCommon()), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Strings, StringMembers,
    testing::Values(TextCase{"ProperCaseTrimsAndCapitalises", [](auto& c) { return c.ProperCase("  hello world  "); },
                             "Hello World"},
                    TextCase{"ProperCaseOfBlanks", [](auto& c) { return c.ProperCase("   "); }, ""},
                    TextCase{"ProperCaseOneLetter", [](auto& c) { return c.ProperCase("a"); }, "A"},
                    TextCase{"ProperCaseNeverLowerCases", [](auto& c) { return c.ProperCase("mcLAREN f1"); },
                             "McLAREN F1"},
                    TextCase{"ProperCaseInnerRuns", [](auto& c) { return c.ProperCase("a  b"); }, "A  B"},
                    TextCase{"ProperCaseTabIsNoBreak", [](auto& c) { return c.ProperCase("ab\tcd"); }, "Ab\tcd"},
                    TextCase{"ProperCaseAsciiOnly", [](auto& c) { return c.ProperCase("\xe9t\xe9 \xe0 rome"); },
                             "\xe9t\xe9 \xe0 Rome"},
                    TextCase{"StripSpaces", [](auto& c) { return c.StripSpaces(" a\t b "); }, "a\tb"},
                    TextCase{"StripTabs", [](auto& c) { return c.StripTabs("\t a\t b "); }, " a b "},
                    TextCase{"String2Nulled", [](auto& c) { return c.String2Nulled("a\xff"); }, "a\0\xff\0"s},
                    TextCase{"Nulled2String", [](auto& c) { return c.Nulled2String("a\0b\0"s); }, "ab"},
                    TextCase{"Nulled2StringAnyEven", [](auto& c) { return c.Nulled2String("aXbY"); }, "ab"},
                    TextCase{"Nulled2StringOddLength", [](auto& c) { return c.Nulled2String("a\0b"s); }, "ab"},
                    TextCase{"FindEarliestOfSeveral", [](auto&) { return Find("a;b,c", ",;", 1); }, "2"},
                    TextCase{"FindFromLaterStart", [](auto&) { return Find("a;b,c", ",;", 3); }, "4"},
                    TextCase{"FindNone", [](auto&) { return Find("abc", ",;", 1); }, "4"},
                    TextCase{"FindInEmpty", [](auto&) { return Find("", ",", 1); }, "1"},
                    TextCase{"FindNoChars", [](auto&) { return Find("abc", "", 0); }, "4"},
                    TextCase{"FindBeyondEnd", [](auto&) { return Find("abc", "c", 5); }, "4"},
                    TextCase{"FindCaseSensitive", [](auto&) { return Find("abC", "c", 1); }, "4"},
                    TextCase{"FindNullByte", [](auto&) { return Find("a\0\xff"s, "\xff\0"s, 1); }, "2"},
                    TextCase{"CentreTruncatesPad", [](auto& c) { return c.CentreString("abc", 8); }, "  abc"},
                    TextCase{"CentreEvenPad", [](auto& c) { return c.CentreString("ab", 7); }, "  ab"},
                    TextCase{"CentrePadBelowOne", [](auto& c) { return c.CentreString("abc", 4); }, "abc"},
                    TextCase{"CentreNeverCuts", [](auto& c) { return c.CentreString("abcdef", -4); }, "abcdef"},
                    TextCase{"ExpandPads", [](auto& c) { return c.ExpandString("abc", 5); }, "abc  "},
                    TextCase{"ExpandCuts", [](auto& c) { return c.ExpandString("abcdef", 3); }, "abc"},
                    TextCase{"ExpandToZero", [](auto& c) { return c.ExpandString("abc", 0); }, ""},
                    TextCase{"FieldsQuoted", [](auto&) { return Fields("\"x\",y"); }, "x|y"},
                    TextCase{"FieldsNoSeparator", [](auto&) { return Fields("ab"); }, "ab"},
                    TextCase{"FieldsLeadingComma", [](auto&) { return Fields(",b"); }, "|b"},
                    TextCase{"FieldsQuotesDoNotProtect", [](auto&) { return Fields("\"a,b\",c"); }, "a|b|c"},
                    TextCase{"FieldsCrLfGivesEmptyField", [](auto&) { return Fields("a\r\nb"); }, "a||b"},
                    TextCase{"FieldsTrailingComma", [](auto&) { return Fields("a,,"); }, "a|"},
                    TextCase{"FieldsDoubledQuotesStay", [](auto&) { return Fields("\"a\"\"b\""); }, "a\"\"b"},
                    TextCase{"FieldsLoneQuote", [](auto&) { return Fields("\""); }, ""},
                    TextCase{"HashLastCharNotAdded", [](auto& c) { return c.HashKey("ab", 8); }, "I"},
                    TextCase{"HashLengthIgnored", [](auto& c) { return c.HashKey("ab", 0); }, "I"},
                    TextCase{"HashTwoAdded", [](auto& c) { return c.HashKey("abc", 8); }, "i"},
                    TextCase{"HashOneCharIsSpace", [](auto& c) { return c.HashKey("x", 4); }, " "},
                    TextCase{"HashEmptyIsSpace", [](auto& c) { return c.HashKey("", 4); }, " "},
                    TextCase{"HashRemainderOne", [](auto& c) { return c.HashKey("?x", 4); }, "a"},
                    TextCase{"HashRemainder61", [](auto& c) { return c.HashKey("=x", 4); }, "8"},
                    TextCase{"HashMultipleOf62IsLast", [](auto& c) { return c.HashKey("|x", 4); }, "9"},
                    TextCase{"HashBytesUnsigned", [](auto& c) { return c.HashKey("\xf8x", 4); }, "9"},
                    TextCase{"HashLongText", [](auto& c) { return c.HashKey(std::string(1000, 'z') + "!", 1); }, "T"}),
    [](const auto& info) { return info.param.name; });

TEST(Strings, GetNextFieldLeavesTheRestAfterOneSeparator) {
  std::string rest = "a,,b";
  EXPECT_EQ(OrvoCommon().GetNextField(rest), "a");
  EXPECT_EQ(rest, ",b");
}

TEST(Strings, RightFontSizeIsPointsLessEightAtLeastThree) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();
  const std::pair<float, float> cases[] = {{200, 3},  {220, 3},  {221, 3.05f}, {555, 19.75f},
                                           {-500, 3}, {kNaN, 3}, {kInf, kInf}};
  for (auto [height, points] : cases) EXPECT_EQ(OrvoCommon().RightFontSize(height), points) << "height " << height;
}

}  // namespace
}  // namespace orvo
