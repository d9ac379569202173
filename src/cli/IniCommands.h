#pragma once
// The subcommands of "orvo ini", in two groups: those that only read the file and those
// that change it.
#include "cli/Commands.h"

namespace orvo::cli {

void AddIniReadCommands(CLI::App& ini, Invocation& invocation);
void AddIniEditCommands(CLI::App& ini, Invocation& invocation);

}  // namespace orvo::cli
