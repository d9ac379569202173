#include "cli/Run.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>

#include "cli/Commands.h"
#include "cli/Diagnostics.h"
#include "cli/NumberArguments.h"
#include "vocabulary/Failure.h"
#include "platform/console.h"

namespace orvo::cli {
namespace {

void Print(const PrintedLines& lines) {
  const std::string_view lineEnd = platform::ConsoleLineEnd();
  for (const std::string& line : lines) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fwrite(lineEnd.data(), 1, lineEnd.size(), stdout);
  }
  std::fflush(stdout);
}

// A failure is one line: where a member's box has already been that line, the command's own
// word on the same failure is not added.
void ComplainOnce(const std::string& message) {
  if (!FailureReported()) Complain(message);
}

// The command's own failures and the members' exceptions (way 5: overflow and the like)
// become one line on stderr. Nothing is printed to stdout after a failure, so that a script
// never reads half an answer.
int RunAction(const Invocation& invocation) {
  try {
    PrintedLines lines = invocation.action();
    if (FailureReported()) return kFailed;
    Print(lines);
    return kSuccess;
  } catch (const ProblemsFound& found) {
    Print(found.lines);
    return kFailed;
  } catch (const UsageError& e) {
    ComplainOnce(e.what());
    return kUsageError;
  } catch (const CommandFailed& e) {
    ComplainOnce(e.what());
    return kFailed;
  } catch (const AlreadyReported&) {
    return kFailed;
  } catch (...) {
    ComplainOnce(CurrentFailure().description);
    return kFailed;
  }
}

}  // namespace

int Run(int argc, char** argv) {
  platform::UseBinaryStandardOutput();
  CLI::App app("orvo: INI files, encodings and the loader's profiles from the command line", "orvo");
  DiagnosticsOptions diagnostics;
  app.add_option("--log", diagnostics.logFile, "Append the engine's log entries to this file");
  app.add_flag("--verbose", diagnostics.verbose, "Write the engine's log entries to stderr");
  app.require_subcommand(1);
  Invocation invocation;
  AddIniCommands(app, invocation);
  AddHexCommands(app, invocation);
  AddTimeCommands(app, invocation);
  AddProfileCommands(app, invocation);

  try {
    std::vector<std::string> arguments = WithNumbersAsArguments(app, {argv + 1, argv + argc});
    std::reverse(arguments.begin(), arguments.end());  // the parser takes them last first
    app.parse(arguments);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);  // --help
    // A misspelt command is left over rather than taken; name it instead of saying only
    // that a command is missing.
    const std::vector<std::string> leftOver = app.remaining(true);
    if (!leftOver.empty() && e.get_name() == "RequiredError")
      Complain("unknown command '" + leftOver.front() + "' (see --help)");
    else
      Complain(e.what());
    return kUsageError;
  }
  try {
    RequireWritableLog(diagnostics);
  } catch (const UsageError& e) {
    Complain(e.what());
    return kUsageError;
  }
  const Diagnostics installed(diagnostics);
  return RunAction(invocation);
}

}  // namespace orvo::cli
