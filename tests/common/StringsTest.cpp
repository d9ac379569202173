// The text members of OrvoCommon on ordinary input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/OrvoCommon.h"

namespace orvo {
namespace {

using namespace std::string_literals;

// Case names for the generators: letters and digits of a label.
template <class Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

// ---- One text in, one text out --------------------------------------------------------
struct TextCase {
  std::string name;
  std::string (OrvoCommon::*member)(const std::string&) const;
  std::string input;
  std::string expected;
};
class TextMembers : public testing::TestWithParam<TextCase> {};

TEST_P(TextMembers, GiveTheExpectedText) {
  const TextCase& c = GetParam();
  EXPECT_EQ((OrvoCommon().*c.member)(c.input), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, TextMembers,
    testing::Values(
        TextCase{"ProperCaseTrimsAndCapitalisesWords", &OrvoCommon::ProperCase, "  hello world  ", "Hello World"},
        TextCase{"ProperCaseOfBlanksIsEmpty", &OrvoCommon::ProperCase, "   ", ""},
        TextCase{"ProperCaseOfEmptyIsEmpty", &OrvoCommon::ProperCase, "", ""},
        TextCase{"ProperCaseOneLetter", &OrvoCommon::ProperCase, "a", "A"},
        TextCase{"ProperCaseNeverLowerCases", &OrvoCommon::ProperCase, "mcLAREN f1", "McLAREN F1"},
        TextCase{"ProperCaseKeepsInnerRuns", &OrvoCommon::ProperCase, "a  b", "A  B"},
        TextCase{"ProperCaseTabIsNoWordBreak", &OrvoCommon::ProperCase, "ab\tcd", "Ab\tcd"},
        TextCase{"ProperCaseLeavesTabsAtTheEnds", &OrvoCommon::ProperCase, "\tab", "\tab"},
        TextCase{"ProperCaseLeavesBytesAbove127", &OrvoCommon::ProperCase, "\xe9t\xe9 \xe0 rome", "\xe9t\xe9 \xe0 Rome"},
        TextCase{"ProperCaseDigitsAndPunctuation", &OrvoCommon::ProperCase, "1967 grand-prix", "1967 Grand-prix"},
        TextCase{"StripSpacesEverywhere", &OrvoCommon::StripSpaces, " a b ", "ab"},
        TextCase{"StripSpacesKeepsTabs", &OrvoCommon::StripSpaces, "a\t b", "a\tb"},
        TextCase{"StripSpacesOfBlanksIsEmpty", &OrvoCommon::StripSpaces, "    ", ""},
        TextCase{"StripTabsEverywhere", &OrvoCommon::StripTabs, "\ta\tb\t", "ab"},
        TextCase{"StripTabsKeepsSpaces", &OrvoCommon::StripTabs, " a\t b ", " a b "},
        TextCase{"StripTabsKeepsNulls", &OrvoCommon::StripTabs, "a\0\tb"s, "a\0b"s},
        TextCase{"String2NulledPairsEachByteWithNull", &OrvoCommon::String2Nulled, "ab", "a\0b\0"s},
        TextCase{"String2NulledOfEmptyIsEmpty", &OrvoCommon::String2Nulled, "", ""},
        TextCase{"String2NulledKeepsHighBytes", &OrvoCommon::String2Nulled, "\xff", "\xff\0"s},
        TextCase{"Nulled2StringDropsEvenPositions", &OrvoCommon::Nulled2String, "a\0b\0"s, "ab"},
        TextCase{"Nulled2StringEvenNeedNotBeNull", &OrvoCommon::Nulled2String, "aXbY", "ab"},
        TextCase{"Nulled2StringOddLengthKeepsLast", &OrvoCommon::Nulled2String, "a\0b"s, "ab"},
        TextCase{"Nulled2StringOneChar", &OrvoCommon::Nulled2String, "a", "a"}),
    CaseName<TextCase>);

// ---- FindCharInString -----------------------------------------------------------------
struct FindCase {
  std::string name;
  std::string text, chars;
  std::int32_t start, expected;
};
class FindCharInString : public testing::TestWithParam<FindCase> {};

TEST_P(FindCharInString, GivesTheFirstPositionOrOnePastTheEnd) {
  const FindCase& c = GetParam();
  EXPECT_EQ(OrvoCommon().FindCharInString(c.text, c.chars, c.start), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Strings, FindCharInString,
                         testing::Values(FindCase{"EarliestOfSeveral", "a;b,c", ",;", 1, 2},
                                         FindCase{"FromALaterStart", "a;b,c", ",;", 3, 4},
                                         FindCase{"StartOnTheHit", "a;b,c", ",;", 2, 2},
                                         FindCase{"NoneFound", "abc", ",;", 1, 4},
                                         FindCase{"EmptyText", "", ",", 1, 1},
                                         FindCase{"EmptyChars", "abc", "", 1, 4},
                                         FindCase{"EmptyCharsIgnoresBadStart", "abc", "", 0, 4},
                                         FindCase{"StartBeyondTheEnd", "abc", "c", 5, 4},
                                         FindCase{"StartOnLastChar", "abc", "c", 3, 3},
                                         FindCase{"IsCaseSensitive", "abC", "c", 1, 4},
                                         FindCase{"FindsNullAndHighBytes", "a\0\xff"s, "\xff\0"s, 1, 2}),
                         CaseName<FindCase>);

// ---- CentreString and ExpandString ----------------------------------------------------
struct WidthCase {
  std::string name;
  std::string (OrvoCommon::*member)(const std::string&, std::int32_t) const;
  std::string text;
  std::int32_t width;
  std::string expected;
};
class WidthMembers : public testing::TestWithParam<WidthCase> {};

TEST_P(WidthMembers, PadOrCutAsTheirRuleSays) {
  const WidthCase& c = GetParam();
  EXPECT_EQ((OrvoCommon().*c.member)(c.text, c.width), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, WidthMembers,
    testing::Values(WidthCase{"CentreOddPadTruncates", &OrvoCommon::CentreString, "abc", 8, "  abc"},
                    WidthCase{"CentreEvenPad", &OrvoCommon::CentreString, "ab", 7, "  ab"},
                    WidthCase{"CentrePadBelowOne", &OrvoCommon::CentreString, "abc", 4, "abc"},
                    WidthCase{"CentreNeverCuts", &OrvoCommon::CentreString, "abcdef", 4, "abcdef"},
                    WidthCase{"CentreNegativeWidth", &OrvoCommon::CentreString, "abc", -9, "abc"},
                    WidthCase{"CentreEmpty", &OrvoCommon::CentreString, "", 4, "  "},
                    WidthCase{"ExpandPads", &OrvoCommon::ExpandString, "abc", 5, "abc  "},
                    WidthCase{"ExpandCuts", &OrvoCommon::ExpandString, "abcdef", 3, "abc"},
                    WidthCase{"ExpandExactWidth", &OrvoCommon::ExpandString, "abc", 3, "abc"},
                    WidthCase{"ExpandToZero", &OrvoCommon::ExpandString, "abc", 0, ""},
                    WidthCase{"ExpandEmpty", &OrvoCommon::ExpandString, "", 2, "  "}),
    CaseName<WidthCase>);

// ---- GetNextField ---------------------------------------------------------------------
struct FieldsCase {
  std::string name;
  std::string input;
  std::vector<std::string> fields;  // successive results until the text is used up
};
class GetNextField : public testing::TestWithParam<FieldsCase> {};

TEST_P(GetNextField, ConsumesOneFieldAndOneSeparatorPerCall) {
  const FieldsCase& c = GetParam();
  std::string rest = c.input;
  std::vector<std::string> got;
  for (std::size_t guard = 0; guard <= c.input.size() + 1 && (got.empty() || !rest.empty()); ++guard)
    got.push_back(OrvoCommon().GetNextField(rest));
  EXPECT_EQ(got, c.fields);
  EXPECT_EQ(rest, "");
}

INSTANTIATE_TEST_SUITE_P(
    Strings, GetNextField,
    testing::Values(FieldsCase{"QuotedField", "\"x\",y", {"x", "y"}},
                    FieldsCase{"NoSeparator", "ab", {"ab"}},
                    FieldsCase{"LeadingComma", ",b", {"", "b"}},
                    FieldsCase{"QuotesDoNotProtectCommas", "\"a,b\",c", {"a", "b", "c"}},
                    FieldsCase{"CrLfGivesAnEmptyField", "a\r\nb", {"a", "", "b"}},
                    FieldsCase{"LoneLf", "a\nb", {"a", "b"}},
                    FieldsCase{"TrailingSeparatorLeavesNothing", "a,", {"a"}},
                    FieldsCase{"OnlyAQuote", "\"", {""}},
                    FieldsCase{"DoubledQuotesStay", "\"a\"\"b\"", {"a\"\"b"}},
                    FieldsCase{"Empty", "", {""}}),
    CaseName<FieldsCase>);

TEST(GetNextField, LeavesTheRestAfterOneSeparator) {
  std::string rest = "a,,b";
  EXPECT_EQ(OrvoCommon().GetNextField(rest), "a");
  EXPECT_EQ(rest, ",b");
}

// ---- HashKey --------------------------------------------------------------------------
struct HashCase {
  std::string name;
  std::string value;
  std::int32_t length;
  std::string expected;
};
class HashKey : public testing::TestWithParam<HashCase> {};

TEST_P(HashKey, IsOneCharacterOfTheAlphabetOrASpace) {
  const HashCase& c = GetParam();
  EXPECT_EQ(OrvoCommon().HashKey(c.value, c.length), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Strings, HashKey,
                         testing::Values(HashCase{"LastCharNotAdded", "ab", 8, "I"},
                                         HashCase{"LengthDoesNotMatter", "ab", 0, "I"},
                                         HashCase{"TwoCharsAdded", "abc", 8, "i"},
                                         HashCase{"OneCharIsSpace", "x", 4, " "},
                                         HashCase{"EmptyIsSpace", "", 4, " "},
                                         HashCase{"NullCodesSumToZero", "\0\0z"s, 4, " "},
                                         HashCase{"RemainderOneIsFirst", "?x", 4, "a"},          // 63
                                         HashCase{"RemainderSixtyOne", "=x", 4, "8"},            // 61
                                         HashCase{"MultipleOf62IsLast", "|x", 4, "9"},           // 124
                                         HashCase{"HighBytesCountAsUnsigned", "\xf8x", 4, "9"},  // 248
                                         HashCase{"LongText", std::string(1000, 'z') + "!", 1, "T"}),
                         CaseName<HashCase>);

// ---- RightFontSize --------------------------------------------------------------------
struct FontCase {
  std::string name;
  float height, expected;
};
class RightFontSize : public testing::TestWithParam<FontCase> {};

TEST_P(RightFontSize, IsHeightInPointsLessEightAtLeastThree) {
  const FontCase& c = GetParam();
  EXPECT_EQ(OrvoCommon().RightFontSize(c.height), c.expected);  // exact at single precision
}

INSTANTIATE_TEST_SUITE_P(Strings, RightFontSize,
                         testing::Values(FontCase{"Height200", 200, 3}, FontCase{"Height220", 220, 3},
                                         FontCase{"Height221", 221, 3.05f}, FontCase{"Height555", 555, 19.75f},
                                         FontCase{"Negative", -500, 3},
                                         FontCase{"NotANumber", std::numeric_limits<float>::quiet_NaN(), 3},
                                         FontCase{"Infinity", std::numeric_limits<float>::infinity(),
                                                  std::numeric_limits<float>::infinity()}),
                         CaseName<FontCase>);

}  // namespace
}  // namespace orvo
