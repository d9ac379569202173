#pragma once
// What the helper program asks of the platform it runs on.
#include <string>

namespace orvo::test::helper {
// The window style the program was started with, -1 when none was given.
int ShowWindowValue();
unsigned ProcessId();
// From now on a request to close (SIGTERM; on Windows WM_CLOSE to the program's window, which
// this makes, or its console's close or break event) writes the file and ends the program.
void CloseWhenAsked(const std::string& file);
// From now on a request to close is ignored (on Windows, its console's events).
void IgnoreRequestsToClose();
}  // namespace orvo::test::helper
