#include "vocabulary/Failure.h"

#include <new>

namespace orvo {

Failure CurrentFailure() {
  try {
    throw;
  } catch (const OrvoError& e) {
    return {e.kind(), e.description()};
  } catch (const std::bad_alloc&) {
    return {OrvoError::Kind::System, "Out of memory"};
  } catch (const std::length_error&) {
    return {OrvoError::Kind::System, "Out of string space"};
  } catch (const std::out_of_range&) {
    return {OrvoError::Kind::InvalidArgument, OrvoError::InvalidArgument().description()};
  } catch (const std::overflow_error&) {
    return {OrvoError::Kind::Overflow, OrvoError::Overflow().description()};
  } catch (const std::exception& e) {
    return {OrvoError::Kind::System, e.what()};
  } catch (...) {
    return {OrvoError::Kind::System, "Unexpected failure"};
  }
}

}  // namespace orvo
