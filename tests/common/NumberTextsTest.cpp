// Numbers as texts and back: hex and binary digits, minutes-and-seconds, lap times.
#include <gtest/gtest.h>

#include <cmath>

#include "common/OrvoCommon.h"
#include "support/Thrown.h"

namespace orvo {
namespace {

using test::ThrownKind;
const OrvoCommon c;
const auto kOverflow = OrvoError::Kind::Overflow;

TEST(HexTexts, TextsAndIntegersBothWays) {
  const std::pair<std::string, std::string> toHex[] = {{"", ""}, {"AZ", "415A"}, {std::string(1, '\0'), "00"}, {"a\r\n\x80\xFF", "610D0A80FF"}};
  for (const auto& [text, hex] : toHex) EXPECT_EQ(c.String2Hex(text), hex) << hex;
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(c.Hex2String(c.String2Hex(all)), all);
  const std::pair<std::string, std::string> fromHex[] = {{"ABC", ""}, {"415a", "AZ"}, {"G1", std::string(1, '\0')}, {"1G", "\x01"},
                                                         {" 1\t2\n3", "\x01\x02\x03"}, {"  41", std::string("\0A", 2)}};
  for (const auto& [hex, text] : fromHex) EXPECT_EQ(c.Hex2String(hex), text) << hex;
  const std::pair<std::int32_t, const char*> written[] = {{255, "FF000000"}, {305419896, "78563412"}, {-2, "FEFFFFFF"}, {INT32_MIN, "00000080"}};
  for (const auto& [value, hex] : written) EXPECT_EQ(c.Num2HexInteger(value), hex) << value;
  const std::pair<std::int32_t, const char*> read[] = {{0, ""}, {0, "g"}, {16, "1G"}, {171, "ab"}, {256, "1 0"},
                                                       {16777216, "01000000"}, {INT32_MAX, "000000007fffffff"}};
  for (const auto& [value, hex] : read) EXPECT_EQ(c.Hex2Integer(hex), value) << hex;
  for (const char* hex : {"80000000", "FFFFFFFF", "7FFFFFFF0"}) EXPECT_EQ(ThrownKind([&] { c.Hex2Integer(hex); }), kOverflow) << hex;
}

TEST(BinaryTexts, DigitsOfTheMagnitudeAndThirtyTwoDigitsToEight) {
  struct Case { double number; std::int32_t width; std::string expected; };
  const Case cases[] = {{-5, 0, "101"}, {0, 0, "0"}, {0.5, 0, "0.1"}, {2.5, 0, "10.1"}, {1.5, 0, "01.1"},
                        {0.1, 0, "0.0001100110011001100110011001100110011001100110011001101"},
                        {127, 8, "01111111"}, {300, 8, "00101100"}, {2.5, 8, "000010.1"}, {6, 2, "10"}, {0, 4, "0000"},
                        {6, -3, "110"}, {2147483646.5, 0, std::string(30, '1') + "0.1"}};
  for (const auto& k : cases) EXPECT_EQ(c.Dec2Bin(k.number, k.width), k.expected) << k.number << " " << k.width;
  for (double x : {2147483647.5, -2147483648.0, HUGE_VAL, std::nan("")}) EXPECT_EQ(ThrownKind([&] { c.Dec2Bin(x); }), kOverflow) << x;
  const std::pair<std::string, std::string> toHex[] = {{"", "00000000"}, {"101", "00000005"}, {"00111111100000000000000000000000", "3F800000"},
                                                       {"1111" + std::string(28, '0') + "0101", "00000005"}, {"1x1", "00000005"},
                                                       {std::string(28, '0') + "2222", "0000000"}};
  for (const auto& [bits, hex] : toHex) EXPECT_EQ(c.Bin2Hex(bits), hex) << bits;
}

TEST(TimeTexts, MinutesSecondsWithTheCarryTaken) {
  const std::pair<double, const char*> hhmmss[] = {{83.25, "1:23.2500"}, {3725.5, "62:05.5000"}, {1.23456, "0:01.2346"},
                                                   {59.99996, "1:00.0000"}, {59.99994, "0:59.9999"}, {-0.5, "-0:00.5000"},
                                                   {-0.00001, "0:00.0000"}, {2147483647.5, "35791394:07.5000"},
                                                   {-2147483648.25, "-35791394:08.2500"}};
  for (const auto& [t, text] : hhmmss) EXPECT_EQ(c.HHMMSS(t), text) << t;
  for (double t : {2147483648.0, -2147483649.0, HUGE_VAL, std::nan("")}) EXPECT_TRUE(ThrownKind([&] { c.HHMMSS(t); })) << t;
  const std::pair<double, const char*> laps[] = {{83.4567, "1:23.457"}, {5.05, "0:05.050"}, {600.5, "10:00.500"}, {-0.5, "-1:59.500"},
                                                 {-61.25, "-2:58.750"}, {119.9999, "2:00.000"}, {-0.0001, "0:00.000"},
                                                 {6e9, "100000000:00.000"}};
  for (const auto& [t, text] : laps) EXPECT_EQ(c.FormatLaptime(t), text) << t;
  for (double t : {HUGE_VAL, std::nan(""), -1e300}) {
    const std::string text = c.FormatLaptime(t);
    EXPECT_EQ(text.size() - text.find(':'), 7u) << text;  // ":ss.fff" whatever the minutes
  }
}

TEST(TimeTexts, ParseLaptimeReadsTheNumberAfterTheFirstSpace) {
  struct Case { const char* text; double laptime; bool zeroDate; };
  const Case cases[] = {{"12/05/2004 83.456", 83.456, false}, {"83.456", 0, true}, {"lap 1:23.456", 1, false}, {"lap ", 0, false},
                        {"a b 5", 0, false}, {"a  \t 42.5", 42.5, false}, {"a 1 2.5", 12.5, false}, {"a  -1.5E2", -150, false},
                        {"a 25d-1", 2.5, false}, {"a 7e", 7, false}, {"a .25", 0.25, false}, {"a 1,5", 1, false},
                        {"a 1e999", HUGE_VAL, false}, {"a 1e-999", 0, false}, {"a 10.05", 10.05, false}};
  for (const auto& k : cases) {
    double date = 38000.5, laptime = -7;
    c.ParseLaptime(k.text, date, laptime);
    EXPECT_DOUBLE_EQ(laptime, k.laptime) << k.text;
    EXPECT_EQ(date, k.zeroDate ? 0.0 : 38000.5) << k.text;  // the caller's date stays otherwise
  }
}

}  // namespace
}  // namespace orvo
