// orvo hex ... and orvo time ...: the members' results reach stdout unchanged, numbers are
// read with the point whatever the locale, and bad input is refused with status 2 while a
// member's overflow is a failure with status 1.
#include <gtest/gtest.h>

#include "cli/CliRun.h"

namespace orvo::test {
namespace {

struct ConversionCase {
  const char* name;
  std::vector<std::string> arguments;
  int exitCode;
  std::string result;  // printed with one line end when exitCode is 0; nothing printed otherwise
  std::string message = {};  // part of the stderr line when exitCode is not 0
};

class ConversionCli : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionCli, PrintsTheMembersResultOrRefuses) {
  const ConversionCase& c = GetParam();
  TempDir dir;
  const Captured run = Orvo(c.arguments, dir.path());
  EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
  if (c.exitCode == 0) {
    EXPECT_EQ(run.out, Printed({c.result}));
    EXPECT_EQ(run.err, "");
  } else {
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
  }
}

const ConversionCase kConversions[] = {
    {"FloatTenth", {"hex", "float", "0.1"}, 0, "CDCCCC3D"},
    {"FloatNegative", {"hex", "float", "-0.15625"}, 0, "000020BE"},
    {"FloatExponentAndPlus", {"hex", "float", "+1e2"}, 0, "0000C842"},
    {"FloatTieAwayFromZero", {"hex", "float", "16777217"}, 0, "0100804B"},
    {"FloatOverflow", {"hex", "float", "2147483648"}, 1, "", "Overflow"},
    {"FloatCommaIsNoDecimalSeparator", {"hex", "float", "0,5"}, 2, "", "'0,5' is not a number"},
    {"IntNegative", {"hex", "int", "-2"}, 0, "FEFFFFFF"},
    {"IntSmallest", {"hex", "int", "-2147483648"}, 0, "00000080"},
    {"IntOutOfRange", {"hex", "int", "2147483648"}, 2, "", "out of range"},
    {"ValueMostSignificantFirst", {"hex", "value", "01000000"}, 0, "16777216"},
    {"ValueOverflow", {"hex", "value", "80000000"}, 1, "", "Overflow"},
    {"TextBytes", {"hex", "text", "A Z\xE9="}, 0, "41205AE93D"},
    {"UntextBytes", {"hex", "untext", "41205ae93d"}, 0, "A Z\xE9="},
    {"UntextOddCount", {"hex", "untext", "ABC"}, 2, "", "odd number of digits"},
    {"BinWithPoint", {"hex", "bin", "2.5"}, 0, "10.1"},
    {"BinWidthCutsLeft", {"hex", "bin", "300", "8"}, 0, "00101100"},
    {"Bin2HexOneFloat", {"hex", "bin2hex", "00111111100000000000000000000000"}, 0, "3F800000"},
    {"HhmmssMinutesWithoutLimit", {"time", "hhmmss", "3725.5"}, 0, "62:05.5000"},
    {"HhmmssOverflow", {"time", "hhmmss", "3e9"}, 1, "", "Overflow"},
    {"LapRounds", {"time", "lap", "83.4567"}, 0, "1:23.457"},
    {"ParseAfterFirstBlank", {"time", "parse", "12/05/2004 83.456"}, 0, "83.456"},
    {"ParseStopsAtColon", {"time", "parse", "lap 1:23.456"}, 0, "1"},
    {"ParseWithoutBlank", {"time", "parse", "83.456"}, 0, "0"},
    {"MissingArgument", {"time", "lap"}, 2, "", "SECONDS is required"},
    {"ExtraArgument", {"hex", "text", "a", "b"}, 2, "", "not expected"},
    {"MisspeltCommand", {"hex", "flaot", "1"}, 2, "", "unknown command 'flaot'"},
    {"NoCommand", {}, 2, "", "subcommand is required"},
};

INSTANTIATE_TEST_SUITE_P(Commands, ConversionCli, ::testing::ValuesIn(kConversions),
                         [](const auto& info) { return std::string(info.param.name); });

// --help works on every level and is not a failure.
TEST(OrvoHelp, EveryLevelAnswersWithUsage) {
  TempDir dir;
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"}, {"ini", "--help"}, {"ini", "set", "--help"}, {"hex", "--help"},
        {"time", "parse", "--help"}}) {
    const Captured run = Orvo(arguments, dir.path());
    EXPECT_EQ(run.exitCode, 0) << arguments.back();
    EXPECT_NE(run.out.find("Usage: orvo"), std::string::npos) << run.out;
  }
}

}  // namespace
}  // namespace orvo::test
