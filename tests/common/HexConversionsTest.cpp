// Texts and integers as hex digits and back; numbers as binary digits.
#include <gtest/gtest.h>

#include <cmath>

#include "common/Failure.h"
#include "common/OrvoCommon.h"

namespace orvo {
namespace {

struct TextCase {
  std::string input, expected;
};

void ExpectOverflow(const std::function<void()>& call, const std::string& what) {
  try {
    call();
    ADD_FAILURE() << "no failure for " << what;
  } catch (const OrvoError& e) {
    EXPECT_EQ(e.kind(), OrvoError::Kind::Overflow) << what;
  }
}

TEST(String2Hex, TwoUpperCaseDigitsPerCharacterAndBack) {
  const TextCase cases[] = {{"", ""}, {"AZ", "415A"}, {std::string(1, '\0'), "00"}, {"\xFF", "FF"}, {"a\r\n\x80", "610D0A80"}};
  for (const auto& c : cases) EXPECT_EQ(Common().String2Hex(c.input), c.expected) << c.expected;
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Common().Hex2String(Common().String2Hex(all)), all);
}

TEST(Hex2String, OneCharacterPerPair) {
  const TextCase cases[] = {{"", ""}, {"ABC", ""}, {"415a", "AZ"}, {"00", std::string(1, '\0')}, {"ff", "\xFF"},
                            {"G1", std::string(1, '\0')}, {"1G", "\x01"}, {" 1\t2\n3", "\x01\x02\x03"},
                            {"  41", std::string("\0A", 2)}};
  for (const auto& c : cases) EXPECT_EQ(Common().Hex2String(c.input), c.expected) << c.input;
}

TEST(Dec2Bin, DigitsOfTheMagnitudeWithAndWithoutWidth) {
  struct Case {
    double number;
    std::int32_t width;
    std::string expected;
  };
  const Case cases[] = {{5, 0, "101"}, {-5, 0, "101"}, {0, 0, "0"}, {0.5, 0, "0.1"}, {2.5, 0, "10.1"}, {1.5, 0, "01.1"},
                        {3.7, 0, "011.10110011001100110011001100110011001100110011001101"},
                        {0.1, 0, "0.0001100110011001100110011001100110011001100110011001101"},
                        {127, 8, "01111111"}, {300, 8, "00101100"}, {2.5, 8, "000010.1"}, {6, 2, "10"}, {0, 4, "0000"},
                        {6, -3, "110"}, {2147483647, 0, std::string(31, '1')},
                        {2147483646.5, 0, std::string(30, '1') + "0.1"}};
  for (const auto& c : cases) EXPECT_EQ(Common().Dec2Bin(c.number, c.width), c.expected) << c.number << " " << c.width;
  for (double x : {2147483647.5, -2147483648.0, 1e20, HUGE_VAL, std::nan("")})
    ExpectOverflow([&] { Common().Dec2Bin(x); }, std::to_string(x));
}

TEST(Bin2Hex, ThirtyTwoDigitsToEight) {
  const TextCase cases[] = {{"", "00000000"}, {"1", "00000001"}, {"101", "00000005"},
                            {"00111111100000000000000000000000", "3F800000"},
                            {"1111" + std::string(28, '0') + "0101", "00000005"}, {"1x1", "00000005"},
                            {std::string(28, '0') + "2222", "0000000"}};
  for (const auto& c : cases) EXPECT_EQ(Common().Bin2Hex(c.input), c.expected) << c.input;
}

TEST(IntegerHex, LittleEndianOutMostSignificantFirstIn) {
  struct Case {
    std::int32_t value;
    const char* hex;
  };
  const Case written[] = {{1, "01000000"},  {255, "FF000000"}, {305419896, "78563412"},      {0, "00000000"},
                          {-1, "FFFFFFFF"}, {-2, "FEFFFFFF"},  {INT32_MIN, "00000080"}};
  for (const auto& c : written) EXPECT_EQ(Common().Num2HexInteger(c.value), c.hex) << c.value;
  const Case read[] = {{0, ""},   {0, "g"},    {16, "1G"},  {16, "10"},        {255, "FF"},
                       {171, "ab"}, {256, "1 0"}, {INT32_MAX, "7FFFFFFF"}, {16777216, "01000000"},
                       {INT32_MAX, "000000007fffffff"}};
  for (const auto& c : read) EXPECT_EQ(Common().Hex2Integer(c.hex), c.value) << c.hex;
  for (const char* hex : {"80000000", "FFFFFFFF", "100000000", "7FFFFFFF0"})
    ExpectOverflow([&] { Common().Hex2Integer(hex); }, hex);
}

}  // namespace
}  // namespace orvo
