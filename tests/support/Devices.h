#pragma once
// Names that are no plain file, as the program's path texts.
#include <string>

#include "support/TempDir.h"

namespace orvo::test {

// The null device (NUL, /dev/null), and the console (CON, /dev/tty), which opens only where
// the program has one: under Wine or in CI it is a name that cannot be opened.
std::string NullDevice();
std::string Console();
// A pipe nobody writes into: a FIFO in dir on POSIX; on Windows a named pipe whose server,
// this test program, keeps an instance free for each of a test's openings until it ends.
std::string MakePipe(const TempDir& dir);

}  // namespace orvo::test
