#pragma once
// The four families of orvo's commands. Each family adds its subcommands to the app; the
// one the user chose leaves its work in the Invocation, which the driver runs after the
// whole command line has been parsed and the diagnostics are in place.
#include <functional>

#include "cli/Outcome.h"

namespace CLI {
class App;
}

namespace orvo::cli {

struct Invocation {
  std::function<PrintedLines()> action;
};

void AddIniCommands(CLI::App& app, Invocation& invocation);
void AddHexCommands(CLI::App& app, Invocation& invocation);
void AddTimeCommands(CLI::App& app, Invocation& invocation);
void AddProfileCommands(CLI::App& app, Invocation& invocation);

}  // namespace orvo::cli
