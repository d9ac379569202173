#include "cli/NumberArguments.h"

#include <CLI/CLI.hpp>

#include "cli/Numbers.h"

namespace orvo::cli {
namespace {

// A number the parser would take for a short option; "-5" it reads as a number itself.
bool LooksLikeOption(const std::string& argument) {
  return argument.size() > 1 && argument[0] == '-' && argument[1] != '-' && (argument[1] < '0' || argument[1] > '9') &&
         IsNumberText(argument);
}

CLI::App* Subcommand(CLI::App& level, const std::string& name) {
  const auto found = level.get_subcommands([&](CLI::App* sub) { return sub->check_name(name); });
  return found.empty() ? nullptr : found.front();
}

// Whether argument is a long option without "=" that takes a value, on level or above.
bool TakesValue(const CLI::App* level, const std::string& argument) {
  if (argument.rfind("--", 0) != 0 || argument.size() < 3 || argument.find('=') != std::string::npos) return false;
  for (; level != nullptr; level = level->get_parent())
    if (const CLI::Option* option = level->get_option_no_throw(argument)) return option->get_expected_max() > 0;
  return false;
}

}  // namespace

std::vector<std::string> WithNumbersAsArguments(CLI::App& app, const std::vector<std::string>& arguments) {
  std::vector<std::string> before, movedOptions, positionals;
  CLI::App* level = &app;
  bool marked = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (a == "--") {
      // The user's own mark: everything after it is positional already.
      if (marked) positionals.insert(positionals.end(), arguments.begin() + i + 1, arguments.end());
      else before.insert(before.end(), arguments.begin() + i, arguments.end());
      break;
    }
    if (!marked) {
      if (CLI::App* sub = Subcommand(*level, a)) {
        level = sub;
        before.push_back(a);
        if (sub->get_prefix_command()) {
          before.insert(before.end(), arguments.begin() + i + 1, arguments.end());
          break;
        }
        continue;
      }
      if (!LooksLikeOption(a)) {
        before.push_back(a);
      } else if (!before.empty() && TakesValue(level, before.back())) {
        before.back() += "=" + a;
      } else {
        marked = true;
        positionals.push_back(a);
      }
      continue;
    }
    if (a.size() > 1 && a[0] == '-' && !IsNumberText(a)) {
      movedOptions.push_back(a);
      if (TakesValue(level, a) && i + 1 < arguments.size()) movedOptions.back() += "=" + arguments[++i];
    } else {
      positionals.push_back(a);
    }
  }
  before.insert(before.end(), movedOptions.begin(), movedOptions.end());
  if (marked) before.push_back("--");
  before.insert(before.end(), positionals.begin(), positionals.end());
  return before;
}

}  // namespace orvo::cli
