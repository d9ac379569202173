#pragma once
// A subcommand that turns its argument texts into one printed result: the shape of every
// "hex" and "time" command.
#include <functional>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace orvo::cli {

struct ArgumentSpec {
  std::string name;
  std::string help;
  bool required = true;  // optional ones follow the required ones
};

// fn gets the texts of the arguments given, in order (optional ones only when given), and
// returns the result that is printed with one line end.
using ConversionFn = std::function<std::string(const std::vector<std::string>& arguments)>;

void AddConversion(CLI::App& family, Invocation& invocation, const std::string& name, const std::string& description,
                   const std::vector<ArgumentSpec>& arguments, ConversionFn fn);

}  // namespace orvo::cli
