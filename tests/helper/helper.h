#pragma once
// What the helper program asks of the platform it runs on.
#include <string>

namespace orvo::test::helper {
// The window style the program was started with, -1 when none was given.
int ShowWindowValue();
unsigned ProcessId();
}  // namespace orvo::test::helper
