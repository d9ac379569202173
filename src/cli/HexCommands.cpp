// orvo hex ...: the hex and binary conversions of OrvoCommon, one member per command. The
// results print exactly as the members return them; a member's overflow is a failure of
// the command (exit status 1). The members read any character as some digit, so an argument
// that is not entirely digits of the command's kind is refused before they see it.
#include <CLI/CLI.hpp>

#include "cli/Conversion.h"
#include "cli/Numbers.h"
#include "cli/Outcome.h"
#include "common/OrvoCommon.h"

namespace orvo::cli {

void AddHexCommands(CLI::App& app, Invocation& invocation) {
  CLI::App* hex = app.add_subcommand("hex", "Hex and binary encodings (least significant byte first)");
  hex->require_subcommand(1);
  using Args = std::vector<std::string>;
  AddConversion(*hex, invocation, "float", "A number as its 4-byte float encoding, 8 hex digits",
                {{"NUMBER", "Decimal number, point as separator"}},
                [](const Args& a) { return Common().Num2HexFloat(ParseDouble(a[0], "NUMBER")); });
  AddConversion(*hex, invocation, "int", "A 32-bit whole number as 8 hex digits",
                {{"NUMBER", "Whole number, -2147483648 to 2147483647"}},
                [](const Args& a) { return Common().Num2HexInteger(ParseInt32(a[0], "NUMBER")); });
  AddConversion(*hex, invocation, "value", "Hex digits, most significant first, as a whole number",
                {{"HEX", "Hex digits, either case"}},
                [](const Args& a) {
                  RequireHexDigits(a[0], "HEX");
                  return std::to_string(Common().Hex2Integer(a[0]));
                });
  AddConversion(*hex, invocation, "text", "A text as two hex digits per byte", {{"TEXT", "Any text"}},
                [](const Args& a) { return Common().String2Hex(a[0]); });
  AddConversion(*hex, invocation, "untext", "Two hex digits per byte back into text",
                {{"HEX", "An even number of hex digits"}}, [](const Args& a) {
                  // The member answers an odd count with the empty text, which a script
                  // could not tell from the hex form of the empty text.
                  RequireHexDigits(a[0], "HEX", true);
                  if (a[0].size() % 2 != 0) throw UsageError("HEX '" + a[0] + "' has an odd number of digits");
                  return Common().Hex2String(a[0]);
                });
  AddConversion(*hex, invocation, "bin", "Binary digits of a number's magnitude, with a binary point",
                {{"NUMBER", "Decimal number, point as separator"},
                 {"WIDTH", "Pad or cut on the left to this many characters", false}},
                [](const Args& a) {
                  const std::int32_t width = a.size() > 1 ? ParseInt32(a[1], "WIDTH") : 0;
                  return Common().Dec2Bin(ParseDouble(a[0], "NUMBER"), width);
                });
  AddConversion(*hex, invocation, "bin2hex", "The last 32 binary digits as 8 hex digits",
                {{"BITS", "Binary digits"}}, [](const Args& a) {
                  RequireBinaryDigits(a[0], "BITS");
                  return Common().Bin2Hex(a[0]);
                });
}

}  // namespace orvo::cli
