// Num2HexFloat: the 4-byte single-precision encoding, least significant byte first, with
// ties rounded away from zero. Checked against the machine's own conversion over a sweep.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <random>

#include "common/Failure.h"
#include "common/OrvoCommon.h"

namespace orvo {
namespace {

std::string BytesOf(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  static const char digits[] = "0123456789ABCDEF";
  std::string hex;
  for (int byte = 0; byte < 4; ++byte) {
    const unsigned b = (bits >> (8 * byte)) & 0xFF;
    hex += digits[b >> 4];
    hex += digits[b & 0xF];
  }
  return hex;
}

// The float nearest to x with ties away from zero, worked out from the two floats around
// x (the machine's own neighbours, not the member's bit strings).
float TiesAway(double x) {
  const float nearest = static_cast<float>(x);  // ties to even
  if (static_cast<double>(nearest) == x) return nearest;
  const float towardZero = std::fabs(static_cast<double>(nearest)) < std::fabs(x)
                               ? nearest
                               : std::nextafter(nearest, 0.0f);
  const float awayFromZero = std::nextafter(towardZero, x < 0 ? -INFINITY : INFINITY);
  const double below = std::fabs(x - static_cast<double>(towardZero));
  const double above = std::fabs(static_cast<double>(awayFromZero) - x);
  return below < above ? towardZero : awayFromZero;
}

bool IsTie(double x) {
  const float nearest = static_cast<float>(x);
  const float other = std::nextafter(nearest, static_cast<double>(nearest) < x ? INFINITY : -INFINITY);
  return static_cast<double>(nearest) != x &&
         std::fabs(x - static_cast<double>(nearest)) == std::fabs(static_cast<double>(other) - x);
}

struct FloatCase {
  const char* name;
  double number;
  const char* hex;
};

class Num2HexFloatTest : public testing::TestWithParam<FloatCase> {};
TEST_P(Num2HexFloatTest, EncodesLeastSignificantByteFirst) {
  EXPECT_EQ(Common().Num2HexFloat(GetParam().number), GetParam().hex);
}
INSTANTIATE_TEST_SUITE_P(
    Numbers, Num2HexFloatTest,
    testing::Values(FloatCase{"Zero", 0.0, "00000000"}, FloatCase{"NegativeZero", -0.0, "00000000"},
                    FloatCase{"NotANumber", NAN, "00000000"}, FloatCase{"One", 1.0, "0000803F"},
                    FloatCase{"MinusOne", -1.0, "000080BF"}, FloatCase{"MinusTwo", -2.0, "000000C0"},
                    FloatCase{"Half", 0.5, "0000003F"}, FloatCase{"OneTenth", 0.1, "CDCCCC3D"},
                    FloatCase{"Hundred", 100.0, "0000C842"}, FloatCase{"SmallNegative", -0.15625, "000020BE"},
                    FloatCase{"Largest", 2147483647.0, "0000004F"},
                    FloatCase{"TieRoundsAwayFromZero", 16777217.0, "0100804B"},
                    FloatCase{"NegativeTieRoundsAwayFromZero", -16777217.0, "010080CB"},
                    FloatCase{"CarryIntoTheExponent", 33554431.0, "0000004C"},
                    FloatCase{"SmallestNormal", 0x1p-126, "00008000"},
                    FloatCase{"BelowTheSmallestNormal", 0x1p-127, "00004000"},
                    FloatCase{"SmallestSubnormal", 0x1p-149, "01000000"},
                    FloatCase{"HalfTheSmallestSubnormalRoundsUp", 0x1p-150, "01000000"},
                    FloatCase{"FarBelowTheSubnormals", 1e-300, "00000000"},
                    FloatCase{"NegativeFarBelowKeepsItsSign", -1e-300, "00000080"},
                    FloatCase{"SubnormalCarryReachesTheNormals", 0x1.fffffffp-127, "00008000"}),
    [](const testing::TestParamInfo<FloatCase>& info) { return std::string(info.param.name); });

TEST(Num2HexFloat, OutOfRangePassesTheOverflowOn) {
  for (double x : {2147483648.0, 2147483647.5, -3e9, HUGE_VAL, -HUGE_VAL}) {
    try {
      Common().Num2HexFloat(x);
      ADD_FAILURE() << "no failure for " << x;
    } catch (const OrvoError& e) {
      EXPECT_EQ(e.kind(), OrvoError::Kind::Overflow) << x;
    }
  }
}

// Random doubles over the whole range that the encoding covers, plus exact ties made from
// random floats, plus the powers of two and their neighbours. Outside ties the member must
// agree with the machine's conversion; at ties, with the independent ties-away result.
TEST(Num2HexFloat, AgreesWithTheMachineEncodingOverASweep) {
  std::mt19937_64 random(20261206);
  std::vector<double> numbers;
  std::uniform_int_distribution<int> exponent(-149, 30);
  std::uniform_int_distribution<std::uint64_t> mantissa(0, (std::uint64_t{1} << 52) - 1);
  for (int k = 0; k < 150000; ++k) {
    const double x = std::ldexp(1.0 + std::ldexp(static_cast<double>(mantissa(random)), -52), exponent(random));
    numbers.push_back(k % 2 ? -x : x);
  }
  std::uniform_int_distribution<std::uint32_t> floatBits(0x00000001u, 0x4EFFFFFFu);
  for (int k = 0; k < 50000; ++k) {
    std::uint32_t bits = floatBits(random);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    const double halfStep = (static_cast<double>(std::nextafter(f, INFINITY)) - static_cast<double>(f)) / 2;
    numbers.push_back(k % 2 ? -(f + halfStep) : f + halfStep);
  }
  for (int e = -149; e <= 30; ++e) {
    const double p = std::ldexp(1.0, e);
    for (double x : {p, std::nextafter(p, 0.0), std::nextafter(p, HUGE_VAL), p - std::ldexp(p, -25),
                     p - std::ldexp(p, -24), p * 1.5})
      numbers.push_back(x);
  }
  numbers.push_back(2147483647.0);
  numbers.push_back(2147483647.49);

  const auto begin = std::chrono::steady_clock::now();
  int ties = 0, mismatches = 0;
  for (double x : numbers) {
    const std::string got = Common().Num2HexFloat(x);
    const bool tie = IsTie(x);
    ties += tie;
    const std::string expected = BytesOf(tie ? TiesAway(x) : static_cast<float>(x));
    if (got != expected && ++mismatches <= 10)
      ADD_FAILURE() << std::hexfloat << x << (tie ? " (tie)" : "") << ": " << got << " instead of " << expected;
  }
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  EXPECT_EQ(mismatches, 0);
  EXPECT_GE(ties, 50000);  // the tie cases were really exercised
  EXPECT_LT(seconds, 3.0) << numbers.size() << " numbers";
  RecordProperty("numbers", static_cast<int>(numbers.size()));
  RecordProperty("milliseconds", static_cast<int>(seconds * 1000));
}

TEST(Num2HexFloat, TieHelpersAgreeWithHandWorkedCases) {
  // 2^24 + 1 lies halfway between 2^24 and 2^24 + 2.
  EXPECT_TRUE(IsTie(16777217.0));
  EXPECT_EQ(TiesAway(16777217.0), 16777218.0f);
  EXPECT_EQ(TiesAway(-16777221.0), -16777222.0f);  // where ties to even would give -16777220
  EXPECT_FALSE(IsTie(16777218.0));
  EXPECT_FALSE(IsTie(0.1));
}

}  // namespace
}  // namespace orvo
