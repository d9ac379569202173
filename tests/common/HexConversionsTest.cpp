// Texts and integers as hex digits and back; numbers as binary digits.
#include <gtest/gtest.h>

#include <cmath>

#include "common/Failure.h"
#include "common/OrvoCommon.h"

namespace orvo {
namespace {

struct TextCase {
  const char* name;
  std::string input;
  std::string expected;
};
std::string TextCaseName(const testing::TestParamInfo<TextCase>& info) { return info.param.name; }

class String2HexTest : public testing::TestWithParam<TextCase> {};
TEST_P(String2HexTest, TwoUpperCaseDigitsPerCharacter) {
  EXPECT_EQ(Common().String2Hex(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Texts, String2HexTest,
                         testing::Values(TextCase{"Empty", "", ""}, TextCase{"Letters", "AZ", "415A"},
                                         TextCase{"CodeZero", std::string(1, '\0'), "00"},
                                         TextCase{"Code255", "\xFF", "FF"}, TextCase{"Mixed", "a\r\n\x80", "610D0A80"}),
                         TextCaseName);

class Hex2StringTest : public testing::TestWithParam<TextCase> {};
TEST_P(Hex2StringTest, OneCharacterPerPair) { EXPECT_EQ(Common().Hex2String(GetParam().input), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(
    Texts, Hex2StringTest,
    testing::Values(TextCase{"Empty", "", ""}, TextCase{"OddLength", "ABC", ""}, TextCase{"LowerCase", "415a", "AZ"},
                    TextCase{"CodeZero", "00", std::string(1, '\0')}, TextCase{"Code255", "ff", "\xFF"},
                    TextCase{"PairWithoutLeadingDigit", "G1", std::string(1, '\0')},
                    TextCase{"ReadingStopsAtANonDigit", "1G", "\x01"},
                    TextCase{"BlanksArePassedOver", " 1\t2\n3", std::string("\x01\x02\x03")},
                    TextCase{"BlankPair", "  41", std::string("\0A", 2)}),
    TextCaseName);

TEST(Hex2String, GivesBackEveryByteThatString2HexConverted) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Common().Hex2String(Common().String2Hex(all)), all);
}

struct BinCase {
  const char* name;
  double number;
  std::int32_t width;
  std::string expected;
};

class Dec2BinTest : public testing::TestWithParam<BinCase> {};
TEST_P(Dec2BinTest, DigitsOfTheMagnitude) {
  EXPECT_EQ(Common().Dec2Bin(GetParam().number, GetParam().width), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Numbers, Dec2BinTest,
    testing::Values(BinCase{"Five", 5, 0, "101"}, BinCase{"SignDropped", -5, 0, "101"}, BinCase{"Zero", 0, 0, "0"},
                    BinCase{"Half", 0.5, 0, "0.1"}, BinCase{"TwoAndAHalf", 2.5, 0, "10.1"},
                    BinCase{"RoundingReachesAPowerOfTwo", 1.5, 0, "01.1"},
                    BinCase{"ThreePointSeven", 3.7, 0, "011.10110011001100110011001100110011001100110011001101"},
                    BinCase{"OneTenth", 0.1, 0, "0." + std::string("0001100110011001100110011001100110011001100110011001101")},
                    BinCase{"PaddedToWidth", 127, 8, "01111111"}, BinCase{"CutFromTheLeft", 300, 8, "00101100"},
                    BinCase{"PointCountsInTheWidth", 2.5, 8, "000010.1"}, BinCase{"SixInTwo", 6, 2, "10"},
                    BinCase{"ZeroInFour", 0, 4, "0000"}, BinCase{"NegativeWidthIsNone", 6, -3, "110"},
                    BinCase{"Largest", 2147483647, 0, std::string(31, '1')},
                    BinCase{"TieToEvenStaysBelow", 2147483646.5, 0, std::string(30, '1') + "0.1"}),
    [](const testing::TestParamInfo<BinCase>& info) { return std::string(info.param.name); });

TEST(Dec2Bin, MagnitudesRoundingAboveThe32BitRangeOverflow) {
  for (double x : {2147483647.5, 2147483648.0, -2147483648.0, 1e20, HUGE_VAL, -HUGE_VAL, std::nan("")}) {
    try {
      Common().Dec2Bin(x);
      ADD_FAILURE() << "no failure for " << x;
    } catch (const OrvoError& e) {
      EXPECT_EQ(e.kind(), OrvoError::Kind::Overflow) << x;
    }
  }
}

class Bin2HexTest : public testing::TestWithParam<TextCase> {};
TEST_P(Bin2HexTest, ThirtyTwoDigitsToEight) { EXPECT_EQ(Common().Bin2Hex(GetParam().input), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(
    Texts, Bin2HexTest,
    testing::Values(TextCase{"Empty", "", "00000000"}, TextCase{"One", "1", "00000001"},
                    TextCase{"Five", "101", "00000005"},
                    TextCase{"EncodingOfOne", "00111111100000000000000000000000", "3F800000"},
                    TextCase{"LongerUsesTheLast32", "1111" + std::string(28, '0') + "0101", "00000005"},
                    TextCase{"OtherCharactersCountAsZero", "1x1", "00000005"},
                    TextCase{"GroupAbove15GivesNothing", "0000000000000000000000000000" "2222", "0000000"}),
    TextCaseName);

struct IntCase {
  const char* name;
  std::int32_t value;
  const char* hex;
};

class Num2HexIntegerTest : public testing::TestWithParam<IntCase> {};
TEST_P(Num2HexIntegerTest, LeastSignificantByteFirst) {
  EXPECT_EQ(Common().Num2HexInteger(GetParam().value), GetParam().hex);
}
INSTANTIATE_TEST_SUITE_P(
    Values, Num2HexIntegerTest,
    testing::Values(IntCase{"One", 1, "01000000"}, IntCase{"Byte", 255, "FF000000"},
                    IntCase{"FourBytes", 305419896, "78563412"}, IntCase{"Zero", 0, "00000000"},
                    IntCase{"MinusOne", -1, "FFFFFFFF"}, IntCase{"MinusTwo", -2, "FEFFFFFF"},
                    IntCase{"Smallest", INT32_MIN, "00000080"}),
    [](const testing::TestParamInfo<IntCase>& info) { return std::string(info.param.name); });

class Hex2IntegerTest : public testing::TestWithParam<IntCase> {};
TEST_P(Hex2IntegerTest, FirstDigitMostSignificant) {
  EXPECT_EQ(Common().Hex2Integer(GetParam().hex), GetParam().value);
}
INSTANTIATE_TEST_SUITE_P(
    Texts, Hex2IntegerTest,
    testing::Values(IntCase{"Empty", 0, ""}, IntCase{"NonDigit", 0, "g"}, IntCase{"NonDigitCountsZero", 16, "1G"},
                    IntCase{"Sixteen", 16, "10"}, IntCase{"Byte", 255, "FF"}, IntCase{"LowerCase", 171, "ab"},
                    IntCase{"BlankCountsZero", 256, "1 0"}, IntCase{"Largest", INT32_MAX, "7FFFFFFF"},
                    IntCase{"NotByteReversed", 16777216, "01000000"},
                    IntCase{"LeadingZerosDoNotCount", INT32_MAX, "000000007fffffff"}),
    [](const testing::TestParamInfo<IntCase>& info) { return std::string(info.param.name); });

TEST(Hex2Integer, ValuesBeyond31BitsOverflow) {
  for (const char* hex : {"80000000", "FFFFFFFF", "100000000", "7FFFFFFF0"}) {
    try {
      Common().Hex2Integer(hex);
      ADD_FAILURE() << "no failure for " << hex;
    } catch (const OrvoError& e) {
      EXPECT_EQ(e.kind(), OrvoError::Kind::Overflow) << hex;
    }
  }
}

}  // namespace
}  // namespace orvo
