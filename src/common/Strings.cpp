// OrvoCommon: string utilities.
#include <cmath>

#include "common/Failure.h"
#include "common/OrvoCommon.h"

namespace orvo {

float OrvoCommon::RightFontSize(float pHeight) const {
  // Computed in double and rounded once to single precision; not-a-number gives 3 too.
  const float v = static_cast<float>(static_cast<double>(pHeight) / 20.0 - 8.0);
  return (v < 3.0f || std::isnan(v)) ? 3.0f : v;
}

std::int32_t OrvoCommon::FindCharInString(const std::string& pString, const std::string& pChars,
                                          std::int32_t pStart) const {
  const auto length = static_cast<std::int32_t>(pString.size());
  std::int32_t best = length + 1;
  if (pChars.empty()) return best;
  // The position search rejects a start below 1.
  if (pStart < 1) throw OrvoError::InvalidArgument();
  if (pStart > length) return best;
  const std::size_t hit = pString.find_first_of(pChars, static_cast<std::size_t>(pStart - 1));
  if (hit != std::string::npos) best = static_cast<std::int32_t>(hit) + 1;
  return best;
}

}  // namespace orvo
