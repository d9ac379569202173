#pragma once
// The program's whole numbers are 32-bit signed. Arithmetic on them is done wider and then
// brought back through Checked, so that a result outside the range raises the overflow the
// members' callers expect, never a silent wrap and never a quietly wider answer.
#include <cstdint>
#include <limits>

#include "vocabulary/Failure.h"

namespace orvo::whole32 {

inline std::int32_t Checked(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    throw OrvoError::Overflow();
  return static_cast<std::int32_t>(value);
}

// A text's length as a whole number.
inline std::int32_t LengthOf(std::size_t size) { return Checked(static_cast<std::int64_t>(size)); }

}  // namespace orvo::whole32
