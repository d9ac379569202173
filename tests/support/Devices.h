#pragma once
// Names that are no plain file, as the program's path texts.
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace orvo::test {

// Devices that read as empty: NUL and CON on Windows, /dev/null on POSIX.
std::vector<std::string> EmptyDevices();
// A pipe nobody writes into: a FIFO in dir on POSIX; on Windows a named pipe whose server,
// this test program, keeps an instance free for each of a test's openings until it ends.
std::string MakePipe(const TempDir& dir);

}  // namespace orvo::test
