// Num2HexFloat: the 4-byte single-precision encoding, least significant byte first, with
// ties rounded away from zero (the fuzz target compares it with the machine's own encoding).
#include <gtest/gtest.h>

#include <cmath>

#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"

namespace orvo {
namespace {

TEST(Num2HexFloat, Examples) {
  const std::pair<double, const char*> cases[] = {
      {-0.0, "00000000"}, {std::nan(""), "00000000"}, {-2.0, "000000C0"}, {0.1, "CDCCCC3D"}, {-0.15625, "000020BE"},
      {2147483647.0, "0000004F"}, {-16777217.0, "010080CB"}, {33554431.0, "0000004C"}, {0x1p-127, "00004000"},
      {0x1p-150, "01000000"}, {1e-300, "00000000"}, {-1e-300, "00000080"}, {0x1.fffffffp-127, "00008000"}};
  for (const auto& [number, hex] : cases) EXPECT_EQ(Common().Num2HexFloat(number), hex) << std::hexfloat << number;
  for (double x : {2147483647.5, -3e9, HUGE_VAL}) EXPECT_THROW(Common().Num2HexFloat(x), OrvoError) << x;
  // Ties away from zero, by the 25th bit alone: 2^24 + 5 lies between 2^24 + 4 and 2^24 + 6.
  EXPECT_EQ(Common().Num2HexFloat(-16777221.0), "030080CB");
}

}  // namespace
}  // namespace orvo
