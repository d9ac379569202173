#pragma once
// orvo's driver: parses the command line, puts the diagnostics in place, runs the chosen
// command and prints its lines. Returns the exit status (see Outcome.h).
namespace orvo::cli {

int Run(int argc, char** argv);

}  // namespace orvo::cli
