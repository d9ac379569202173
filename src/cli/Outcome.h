#pragma once
// How a command of orvo ends. A command returns the lines it prints; it ends early by
// throwing one of the two failures below, which the driver turns into a message on stderr
// and the exit status that command-line users expect.
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace orvo::cli {

enum ExitStatus : int {
  kSuccess = 0,
  kFailed = 1,       // the engine or a member reported a failure, or the answer is "none"
  kUsageError = 2,   // the command line itself is wrong; nothing was read or written
};

// The command line names something that cannot work (a bad number, a value the INI format
// would cut). Exit status 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The command ran and could not do what was asked (no such entry, a file that cannot be
// read or saved). Exit status 1.
struct CommandFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A member's box has already said, as the one line on stderr, why the command cannot go on
// (a file that cannot be bound). Exit status 1, nothing more said.
struct AlreadyReported {};

// What a command prints: each line goes to stdout byte for byte, followed by one line end.
using PrintedLines = std::vector<std::string>;

// The command ran and found problems (a check): one line each, printed to stdout like an
// answer, and exit status 1.
struct ProblemsFound : std::runtime_error {
  explicit ProblemsFound(PrintedLines found) : std::runtime_error("problems found"), lines(std::move(found)) {}
  PrintedLines lines;
};

}  // namespace orvo::cli
