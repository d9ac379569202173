// Num2HexFloat: the 4-byte single-precision encoding, least significant byte first, with
// ties rounded away from zero, checked against the machine's own conversion over a sweep.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"
#include "support/FloatReference.h"

namespace orvo {
namespace {

TEST(Num2HexFloat, Examples) {
  const std::pair<double, const char*> cases[] = {
      {-0.0, "00000000"}, {std::nan(""), "00000000"}, {-2.0, "000000C0"}, {0.1, "CDCCCC3D"}, {-0.15625, "000020BE"},
      {2147483647.0, "0000004F"}, {-16777217.0, "010080CB"}, {33554431.0, "0000004C"}, {0x1p-127, "00004000"},
      {0x1p-150, "01000000"}, {1e-300, "00000000"}, {-1e-300, "00000080"}, {0x1.fffffffp-127, "00008000"}};
  for (const auto& [number, hex] : cases) EXPECT_EQ(Common().Num2HexFloat(number), hex) << std::hexfloat << number;
  for (double x : {2147483647.5, -3e9, HUGE_VAL}) EXPECT_THROW(Common().Num2HexFloat(x), OrvoError) << x;
  // The oracle itself, on a hand-worked tie: 2^24 + 5 lies between 2^24 + 4 and 2^24 + 6.
  EXPECT_EQ(test::NearestFloatTiesAway(-16777221.0), -16777222.0f);
}

// Random doubles over the whole range the encoding covers, exact ties made from random
// floats, and the powers of two with their neighbours.
TEST(Num2HexFloat, AgreesWithTheMachineEncodingOverASweep) {
  std::mt19937_64 random(20261206);
  std::vector<double> numbers;
  std::uniform_int_distribution<int> exponent(-149, 30);
  std::uniform_int_distribution<std::uint64_t> mantissa(0, (std::uint64_t{1} << 52) - 1);
  std::uniform_int_distribution<std::uint32_t> floatBits(0x00000001u, 0x4EFFFFFFu);
  for (int k = 0; k < 100000; ++k) {
    const double x = std::ldexp(1.0 + std::ldexp(static_cast<double>(mantissa(random)), -52), exponent(random));
    numbers.push_back(k % 2 ? -x : x);
    const std::uint32_t bits = floatBits(random);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    const double tie = (static_cast<double>(f) + static_cast<double>(std::nextafter(f, INFINITY))) / 2;
    numbers.push_back(k % 2 ? -tie : tie);
  }
  for (int e = -149; e <= 30; ++e) {
    const double p = std::ldexp(1.0, e);
    for (double x : {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300), p - std::ldexp(p, -25), p * 1.5}) numbers.push_back(x);
  }
  int mismatches = 0;
  for (double x : numbers) {
    const std::string got = Common().Num2HexFloat(x), expected = test::HexBytesOf(test::NearestFloatTiesAway(x));
    if (got != expected && ++mismatches <= 10) ADD_FAILURE() << std::hexfloat << x << ": " << got << " not " << expected;
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace orvo
