// orvo hex ... and orvo time ...: the members' results reach stdout unchanged, numbers are
// read with the point whatever the locale, and bad input (an argument that is not wholly of
// the command's form, a number the member has no text for) is refused with status 2 while a
// member's overflow is a failure with status 1. The members' own answers are proven with
// the members; one case per command shows that it reaches the right one.
#include <gtest/gtest.h>

#include "cli/CliRun.h"

namespace orvo::test {
namespace {

const CliCase kConversions[] = {
    {"FloatExponentAndPlus", {"hex", "float", "+1e2"}, 0, {"0000C842"}},
    {"FloatOverflow", {"hex", "float", "2147483648"}, 1, {"Overflow"}},
    {"FloatComma", {"hex", "float", "0,5"}, 2, {"'0,5' is not a number"}},
    {"FloatNotANumber", {"hex", "float", "nan"}, 2, {"NUMBER 'nan' is not a finite number"}},
    {"LapNegativeInfinity", {"time", "lap", "-inf"}, 2, {"SECONDS '-inf' is not a finite number"}},
    {"IntNegativeInfinity", {"hex", "int", "-inf"}, 2, {"'-inf' is not a 32-bit whole number"}},
    {"IntSmallest", {"hex", "int", "-2147483648"}, 0, {"00000080"}},
    {"IntOutOfRange", {"hex", "int", "2147483648"}, 2, {"out of range"}},
    {"Value", {"hex", "value", "01000000"}, 0, {"16777216"}},
    {"ValueNotHex", {"hex", "value", "g"}, 2, {"HEX 'g' is not a hex number"}},
    {"ValueEmpty", {"hex", "value", ""}, 2, {"HEX '' is not a hex number"}},
    {"TextBytes", {"hex", "text", "A Z\xE9="}, 0, {"41205AE93D"}},
    {"UntextBytes", {"hex", "untext", "41205ae93d"}, 0, {"A Z\xE9="}},
    {"UntextOddCount", {"hex", "untext", "ABC"}, 2, {"odd number of digits"}},
    {"UntextNotHex", {"hex", "untext", "zz"}, 2, {"HEX 'zz' is not a hex number"}},
    {"BinWidthCutsLeft", {"hex", "bin", "300", "8"}, 0, {"00101100"}},
    // A negative number as it is, though the parser would take it for an option.
    {"BinNegativeBeforeWidth", {"hex", "bin", "-.5", "8"}, 0, {"000000.1"}},
    {"Bin2Hex", {"hex", "bin2hex", "00111111100000000000000000000000"}, 0, {"3F800000"}},
    {"Bin2HexNotBinary", {"hex", "bin2hex", "1x1"}, 2, {"BITS '1x1' is not a binary number"}},
    {"Bin2HexEmpty", {"hex", "bin2hex", ""}, 2, {"is not a binary number"}},
    {"Hhmmss", {"time", "hhmmss", "3725.5"}, 0, {"62:05.5000"}},
    {"Lap", {"time", "lap", "83.4567"}, 0, {"1:23.457"}},
    {"Parse", {"time", "parse", "12/05/2004 83.456"}, 0, {"83.456"}},
    {"MissingArgument", {"time", "lap"}, 2, {"SECONDS is required"}},
    {"ExtraArgument", {"hex", "text", "a", "b"}, 2, {"not expected"}},
    {"MisspeltCommand", {"hex", "flaot", "1"}, 2, {"unknown command 'flaot'"}},
    {"NoCommand", {}, 2, {"subcommand is required"}},
    // A log that cannot be written is refused before anything is done.
    {"LogFolderMissing", {"--log", "no-such-folder/x.log", "hex", "float", "1"}, 2, {"cannot write the log file"}},
    {"LogIsAFolder", {"--log", ".", "hex", "float", "1"}, 2, {"cannot write the log file ."}},
};

// Run by the table test of IniCliTest.cpp, which sees too that no file is touched; one
// line-end style of those files is enough.
INSTANTIATE_TEST_SUITE_P(Conversions, OrvoCli,
                         testing::Combine(testing::ValuesIn(kConversions), testing::Values(kLineEndStyles[0])),
                         CaseAndStyle);

}  // namespace
}  // namespace orvo::test
