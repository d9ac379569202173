// orvo time ...: the time and lap-time members of OrvoCommon.
#include <CLI/CLI.hpp>

#include "cli/Conversion.h"
#include "cli/Numbers.h"
#include "common/OrvoCommon.h"

namespace orvo::cli {

void AddTimeCommands(CLI::App& app, Invocation& invocation) {
  CLI::App* time = app.add_subcommand("time", "Minutes-and-seconds texts and lap times");
  time->require_subcommand(1);
  using Args = std::vector<std::string>;
  AddConversion(*time, invocation, "hhmmss", "Seconds as m:ss.ffff", {{"SECONDS", "Decimal number of seconds"}},
                [](const Args& a) { return Common().HHMMSS(ParseDouble(a[0], "SECONDS")); });
  AddConversion(*time, invocation, "lap", "Seconds as the lap time m:ss.fff",
                {{"SECONDS", "Decimal number of seconds"}},
                [](const Args& a) { return Common().FormatLaptime(ParseDouble(a[0], "SECONDS")); });
  AddConversion(*time, invocation, "parse", "The lap time in seconds that follows the first blank of TEXT",
                {{"TEXT", "For example '12/05/2004 83.456'"}}, [](const Args& a) {
                  double date = 0, laptime = 0;
                  Common().ParseLaptime(a[0], date, laptime);
                  return ShortestText(laptime);
                });
}

}  // namespace orvo::cli
