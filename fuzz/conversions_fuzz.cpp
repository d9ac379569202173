// The conversions: Hex2String undoes String2Hex for any bytes, and Num2HexFloat writes the
// machine's single-precision encoding (least significant byte first) for every double in
// the range it covers, except at exact ties, where it rounds away from zero.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <string>

#include "FloatReference.h"
#include "FuzzSupport.h"
#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"

using namespace orvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Silence();
  FuzzedDataProvider in(data, size);
  const OrvoCommon common;
  while (in.remaining_bytes() >= 8) {
    double x;
    const auto raw = in.ConsumeIntegral<std::uint64_t>();
    std::memcpy(&x, &raw, sizeof x);
    const double magnitude = std::fabs(x);
    if (std::isnan(x) || x == 0) {
      fuzz::Check(common.Num2HexFloat(x) == "00000000", "zero or not-a-number");
    } else if (magnitude < 2147483647.5) {
      const std::string got = common.Num2HexFloat(x), want = test::HexBytesOf(test::NearestFloatTiesAway(x));
      char shown[64];
      std::snprintf(shown, sizeof shown, "%a", x);
      fuzz::Check(got == want, "Num2HexFloat differs from the machine encoding", std::string(shown) + " " + got + " " + want);
    } else {
      bool raised = false;
      try {
        common.Num2HexFloat(x);
      } catch (const OrvoError& e) {
        raised = e.kind() == OrvoError::Kind::Overflow;
      }
      fuzz::Check(raised, "no overflow for a magnitude past the 32-bit range");
    }
  }
  const std::string bytes = in.ConsumeRemainingBytesAsString();
  const std::string hex = common.String2Hex(bytes);
  fuzz::Check(hex.size() == 2 * bytes.size(), "String2Hex length", hex);
  fuzz::Check(common.Hex2String(hex) == bytes, "Hex2String does not undo String2Hex", bytes);
  common.Hex2String(bytes);  // arbitrary digits: no crash
  return 0;
}
