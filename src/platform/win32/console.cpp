#include "platform/console.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace orvo::platform {

// In text mode the runtime would turn every LF of a value or of the index text into CR LF.
void UseBinaryStandardOutput() {
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
}

std::string_view ConsoleLineEnd() { return "\r\n"; }

}  // namespace orvo::platform
