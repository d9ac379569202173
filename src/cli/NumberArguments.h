#pragma once
// The command-line parser takes an argument that begins with "-" and a letter or a point
// ("-inf", "-.5") for a short option. orvo has none of those, so such an argument that reads
// as a number is a number, as "-5" already is: it is handed on as the value of the option
// before it when that option takes one ("--number=-inf"), and otherwise as a positional
// argument after "--", the options that follow it being moved before that mark. Arguments of
// a command that passes everything after its first positional on (profile add) stay as given.
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace orvo::cli {

// The arguments (without the program's name) as the parser must see them.
std::vector<std::string> WithNumbersAsArguments(CLI::App& app, const std::vector<std::string>& arguments);

}  // namespace orvo::cli
