#pragma once
// POSIX only: the start of a profile program, shared by the plain and the tree mode.
#include <string>

#include "platform/process.h"

namespace orvo::platform::posix {

// Starts the command line in a session of its own, with "NAME=value" in extraEnvironment (or
// nothing) in place of the inherited NAME, and fills info; false and info as it was when the
// start fails.
bool StartCompanion(const std::string& commandLine, const char* extraEnvironment, ProcessInformation& info);

}  // namespace orvo::platform::posix
