#include "platform/console.h"

namespace orvo::platform {

// POSIX streams never translate bytes.
void UseBinaryStandardOutput() {}

std::string_view ConsoleLineEnd() { return "\n"; }

}  // namespace orvo::platform
