#pragma once
// The reference for the single-precision float encoding, taken from the machine's own
// conversion and neighbours rather than from the member's bit arithmetic: the nearest
// float, and at an exact tie between two neighbours the one farther from zero.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace orvo::test {

inline float NearestFloatTiesAway(double x) {
  float lo = static_cast<float>(x);
  if (std::fabs(static_cast<double>(lo)) > std::fabs(x)) lo = std::nextafter(lo, 0.0f);
  const float hi = std::nextafter(lo, x < 0 ? -INFINITY : INFINITY);
  return std::fabs(x - lo) < std::fabs(hi - x) || static_cast<double>(lo) == x ? lo : hi;
}

// The float's four bytes in hex, least significant byte first.
inline std::string HexBytesOf(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  char hex[9];
  std::snprintf(hex, sizeof hex, "%02X%02X%02X%02X", bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF, bits >> 24);
  return hex;
}

}  // namespace orvo::test
