#pragma once
// orvo profile check --command: the loader's command line as a player types it into a
// shortcut, read by the loader's own code.
#include <string>

#include "cli/Outcome.h"

namespace orvo::cli {

// The summary line when the loader would do all that the command asks; ProblemsFound with
// one line per finding otherwise. loaderFolder is the folder argument as given, "" for
// orvo's own. Changes orvo's current folder, as the loader changes its own.
PrintedLines CheckLaunchCommand(const std::string& command, const std::string& loaderFolder);

}  // namespace orvo::cli
