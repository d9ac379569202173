#pragma once
// What a call raised, for tables that mix good and failing inputs.
#include <functional>
#include <optional>

#include "vocabulary/Failure.h"

namespace orvo::test {

// The kind of OrvoError the call raised; nullopt when it returned normally.
inline std::optional<OrvoError::Kind> ThrownKind(const std::function<void()>& call) {
  try {
    call();
  } catch (const OrvoError& e) {
    return e.kind();
  }
  return std::nullopt;
}

}  // namespace orvo::test
