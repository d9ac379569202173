// OrvoCommon: texts and integers as hex digits and back, numbers as binary digits.
#include <cmath>
#include <cstdint>
#include <limits>

#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"
#include "vocabulary/TextOps.h"

namespace orvo {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The value of a hex digit of either case, or -1.
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The 8 digits of h (most significant first) written least significant byte first.
std::string BytesReversed(const std::string& h) { return h.substr(6, 2) + h.substr(4, 2) + h.substr(2, 2) + h.substr(0, 2); }

}  // namespace

std::string OrvoCommon::String2Hex(const std::string& pString) const {
  std::string hex;
  hex.reserve(pString.size() * 2);
  for (unsigned char c : pString) {
    hex += kHexDigits[c / 16];
    hex += kHexDigits[c % 16];
  }
  return hex;
}

std::string OrvoCommon::Hex2String(const std::string& pHex) const {
  if (pHex.size() % 2 != 0) return {};
  std::string text;
  text.reserve(pHex.size() / 2);
  for (std::size_t i = 0; i < pHex.size(); i += 2) {
    // Each pair is read as a hex number: blanks are passed over, reading stops at the first
    // other character, and a pair without a leading digit reads as 0.
    int code = 0;
    for (std::size_t j = i; j < i + 2; ++j) {
      if (text::IsReaderBlank(pHex[j])) continue;
      const int v = HexValue(pHex[j]);
      if (v < 0) break;
      code = code * 16 + v;
    }
    text += static_cast<char>(code);
  }
  return text;
}

std::string OrvoCommon::Dec2Bin(double pDecimal, std::int32_t pLength) const {
  const double x = std::fabs(pDecimal);
  // Rounded to the nearest whole number, ties to the even one; the 32-bit range holds it.
  const double rounded = std::nearbyint(x);
  if (!(rounded <= std::numeric_limits<std::int32_t>::max())) throw OrvoError::Overflow();
  const auto whole = static_cast<std::int64_t>(rounded);
  int i = 0;
  while ((whole >> i) > 1) ++i;

  // Digit by digit from the top: the digit is 1 when the rest reaches the power of two of
  // its position (floor(y / 2^i) is only ever 0 or 1). Halving the power and taking it off
  // are exact in binary floating point, so the digits end at the number's last 1 bit.
  std::string digits;
  digits.reserve(64);
  double power = std::ldexp(1.0, i);
  for (double y = x; !(y == 0 && i < 0); --i, power /= 2) {
    if (i == -1) digits += '.';
    const bool one = y >= power;
    if (one) y -= power;
    digits += one ? '1' : '0';
  }
  if (pLength <= 0) return digits;
  const std::string padded = std::string(static_cast<std::size_t>(pLength), '0') + digits;
  return padded.substr(padded.size() - static_cast<std::size_t>(pLength));
}

std::string OrvoCommon::Bin2Hex(const std::string& pBinary) const {
  const std::string padded = std::string(32, '0') + pBinary;
  const std::string b = padded.substr(padded.size() - 32);
  std::string hex;
  for (std::size_t g = 0; g < 32; g += 4) {
    int v = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const char c = b[g + k];
      v = v * 2 + (c >= '0' && c <= '9' ? c - '0' : 0);
    }
    // Only digits other than 0 and 1 can push a group past 15; such a group gives nothing.
    if (v <= 15) hex += kHexDigits[v];
  }
  return hex;
}

std::string OrvoCommon::Num2HexFloat(double pNumber) const {
  if (pNumber == 0 || std::isnan(pNumber)) return "00000000";
  std::string b = Dec2Bin(pNumber, 0);
  b.erase(0, b.find_first_not_of('0'));
  const std::size_t point = b.find('.');
  const std::size_t p = point == std::string::npos ? b.size() + 1 : point + 1;  // 1-based
  int e;
  if (p == 1) {
    const std::size_t firstOne = b.find_first_not_of('0', 1);
    e = -static_cast<int>(firstOne);  // -(1 + the zeros after the point)
  } else {
    e = static_cast<int>(p) - 2;
  }
  if (point != std::string::npos) b.erase(point, 1);
  b.erase(0, b.find_first_not_of('0'));

  // Below 2^-126 the number is written as the IEEE encoding writes such small numbers: the
  // exponent field 0 and the significand shifted right by the missing exponent steps, then
  // rounded like any other. A carry out of the shifted significand reaches 2^-126 itself.
  const bool small = e < -126;
  if (small) {
    b.insert(0, static_cast<std::size_t>(-126 - e), '0');
    e = -126;
  }

  const char sign = pNumber < 0 ? '1' : '0';
  std::string m = (b + std::string(25, '0')).substr(0, 25);
  // Ties round away from zero: the 25th bit alone decides, the bits beyond it are not read.
  if (m[24] == '1') {
    m.insert(0, 1, '0');
    std::size_t k = 24;
    while (m[k] == '1') m[k--] = '0';
    m[k] = '1';
    if (k == 0)
      ++e;
    else
      m.erase(0, 1);
  }
  const bool normal = !small || m[0] == '1';
  const std::string exponentField = normal ? Dec2Bin(e + 127, 8) : std::string(8, '0');
  return BytesReversed(Bin2Hex(sign + exponentField + m.substr(1, 23)));
}

std::string OrvoCommon::Num2HexInteger(std::int32_t pValue) const {
  const auto u = static_cast<std::uint32_t>(pValue);
  std::string h(8, '0');
  for (int k = 0; k < 8; ++k) h[7 - k] = kHexDigits[(u >> (4 * k)) & 0xF];
  return BytesReversed(h);
}

std::int32_t OrvoCommon::Hex2Integer(const std::string& pHex) const {
  std::int64_t r = 0;
  for (char c : pHex) {
    const int d = HexValue(c);
    // r is never negative, so only the upper end of the 32-bit range can be left.
    if (r * 16 > std::numeric_limits<std::int32_t>::max()) throw OrvoError::Overflow();
    r = r * 16 + (d < 0 ? 0 : d);
  }
  return static_cast<std::int32_t>(r);
}

}  // namespace orvo
