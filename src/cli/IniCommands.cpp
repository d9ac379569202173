#include "cli/IniCommands.h"

#include <CLI/CLI.hpp>

namespace orvo::cli {

void AddIniCommands(CLI::App& app, Invocation& invocation) {
  CLI::App* ini = app.add_subcommand("ini", "Read and change INI files, keeping comments and spacing");
  ini->require_subcommand(1);
  AddIniReadCommands(*ini, invocation);
  AddIniEditCommands(*ini, invocation);
}

}  // namespace orvo::cli
