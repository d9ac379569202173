#include "cli/Conversion.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace orvo::cli {

void AddConversion(CLI::App& family, Invocation& invocation, const std::string& name, const std::string& description,
                   const std::vector<ArgumentSpec>& arguments, ConversionFn fn) {
  CLI::App* cmd = family.add_subcommand(name, description);
  auto texts = std::make_shared<std::vector<std::string>>(arguments.size());
  auto options = std::make_shared<std::vector<CLI::Option*>>();
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    CLI::Option* option = cmd->add_option(arguments[i].name, (*texts)[i], arguments[i].help);
    if (arguments[i].required) option->required();
    options->push_back(option);
  }
  cmd->callback([texts, options, fn, &invocation] {
    std::vector<std::string> given;
    for (std::size_t i = 0; i < options->size(); ++i)
      if ((*options)[i]->count() > 0) given.push_back((*texts)[i]);
    invocation.action = [fn, given] { return PrintedLines{fn(given)}; };
  });
}

}  // namespace orvo::cli
