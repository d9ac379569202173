#pragma once
// Standard output of a console program, byte for byte. Printed results must reach a pipe or
// a redirected file exactly as the members returned them, so the platform's text-mode
// translation of line ends is switched off and each result is ended with the platform's
// own line end.
#include <string_view>

namespace orvo::platform {

// Makes standard output pass bytes unchanged (nothing to do where that is already so).
void UseBinaryStandardOutput();

// The line end that ends one printed line: CR LF on Windows, LF on POSIX.
std::string_view ConsoleLineEnd();

}  // namespace orvo::platform
