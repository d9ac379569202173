// Minutes-and-seconds texts and lap times read from texts.
#include <gtest/gtest.h>

#include <cmath>

#include "common/Failure.h"
#include "common/OrvoCommon.h"

namespace orvo {
namespace {

struct TimeCase {
  const char* name;
  double seconds;
  const char* expected;
};

std::string CaseName(const testing::TestParamInfo<TimeCase>& info) { return info.param.name; }

class HHMMSSTest : public testing::TestWithParam<TimeCase> {};
TEST_P(HHMMSSTest, ShowsMinutesSecondsAndFourDecimals) {
  const double t = GetParam().seconds;
  EXPECT_EQ(Common().HHMMSS(t), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Times, HHMMSSTest,
    testing::Values(TimeCase{"Zero", 0, "0:00.0000"}, TimeCase{"OneMinute", 83.25, "1:23.2500"},
                    TimeCase{"BelowAMinute", 59.7, "0:59.7000"}, TimeCase{"NoHourField", 3725.5, "62:05.5000"},
                    TimeCase{"RoundsToFourPlaces", 1.23456, "0:01.2346"},
                    TimeCase{"FractionCarriesIntoSeconds", 12.99996, "0:13.0000"},
                    TimeCase{"CarryReachesTheMinute", 59.99996, "1:00.0000"},
                    TimeCase{"CarryAtAnHour", 3599.99999, "60:00.0000"},
                    TimeCase{"JustBelowTheCarry", 59.99994, "0:59.9999"},
                    TimeCase{"LargestWholePart", 2147483647.5, "35791394:07.5000"},
                    TimeCase{"NegativeKeepsItsSecondsField", -83.25, "-1:23.2500"},
                    TimeCase{"NegativeBelowAMinute", -0.5, "-0:00.5000"},
                    TimeCase{"NegativeRoundingToZero", -0.00001, "0:00.0000"},
                    TimeCase{"SmallestWholePart", -2147483648.25, "-35791394:08.2500"}),
    CaseName);

TEST(HHMMSS, WholePartOutsideThe32BitRangeIsAnOverflow) {
  for (double t : {2147483648.0, -2147483649.0, 1e300, HUGE_VAL, -HUGE_VAL, std::nan("")}) {
    try {
      Common().HHMMSS(t);
      ADD_FAILURE() << "no failure for " << t;
    } catch (const OrvoError& e) {
      EXPECT_EQ(e.kind(), OrvoError::Kind::Overflow) << t;
    }
  }
}

class FormatLaptimeTest : public testing::TestWithParam<TimeCase> {};
TEST_P(FormatLaptimeTest, ShowsMinutesSecondsAndThreeDecimals) {
  EXPECT_EQ(Common().FormatLaptime(GetParam().seconds), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Times, FormatLaptimeTest,
    testing::Values(TimeCase{"RoundsUp", 83.4567, "1:23.457"}, TimeCase{"WholeMinute", 60, "1:00.000"},
                    TimeCase{"BinaryFractionBelowTheDecimal", 5.05, "0:05.050"},
                    TimeCase{"TenMinutes", 600.5, "10:00.500"}, TimeCase{"Zero", 0, "0:00.000"},
                    TimeCase{"NegativeCountsDownward", -0.5, "-1:59.500"},
                    TimeCase{"NegativeWholeMinutes", -61.25, "-2:58.750"},
                    TimeCase{"CarryIntoSeconds", 9.9996, "0:10.000"},
                    TimeCase{"CarryIntoMinutes", 119.9999, "2:00.000"},
                    TimeCase{"NegativeCarryToZero", -0.0001, "0:00.000"},
                    TimeCase{"BeyondThe32BitRange", 6e9, "100000000:00.000"}),
    CaseName);

TEST(FormatLaptime, NeverFailsOnSpecialNumbers) {
  for (double t : {HUGE_VAL, -HUGE_VAL, std::nan(""), 1e300, -1e300}) {
    const std::string text = Common().FormatLaptime(t);
    EXPECT_NE(text.find(':'), std::string::npos) << t;
    EXPECT_EQ(text.size() - text.find(':'), 7u) << text;  // ":ss.fff"
  }
}

struct ParseCase {
  const char* name;
  const char* text;
  double laptime;
  bool setsZeroDate;
};

class ParseLaptimeTest : public testing::TestWithParam<ParseCase> {};
TEST_P(ParseLaptimeTest, ReadsTheNumberAfterTheFirstSpace) {
  const double callersDate = 38000.5;
  double date = callersDate, laptime = -7;
  Common().ParseLaptime(GetParam().text, date, laptime);
  EXPECT_DOUBLE_EQ(laptime, GetParam().laptime);
  EXPECT_EQ(date, GetParam().setsZeroDate ? 0.0 : callersDate);
}
INSTANTIATE_TEST_SUITE_P(
    Texts, ParseLaptimeTest,
    testing::Values(ParseCase{"DateThenTime", "12/05/2004 83.456", 83.456, false},
                    ParseCase{"NoSpace", "83.456", 0, true}, ParseCase{"NoSpaceWord", "lap", 0, true},
                    ParseCase{"StopsAtTheColon", "lap 1:23.456", 1, false},
                    ParseCase{"NoNumber", "lap x", 0, false}, ParseCase{"NothingAfterTheSpace", "lap ", 0, false},
                    ParseCase{"OnlyTheFirstSpaceCounts", "a b 5", 0, false},
                    ParseCase{"BlanksBeforeTheNumber", "a  \t 42.5", 42.5, false},
                    ParseCase{"BlanksInsideTheNumber", "a 1 2.5", 12.5, false},
                    ParseCase{"SignAndExponent", "a -1.5E2", -150, false},
                    ParseCase{"ExponentWithD", "a 25d-1", 2.5, false},
                    ParseCase{"ExponentWithoutDigits", "a 7e", 7, false},
                    ParseCase{"PointWithoutLeadingDigit", "a .25", 0.25, false},
                    ParseCase{"LoneSign", "a -x", 0, false}, ParseCase{"LonePoint", "a .", 0, false},
                    ParseCase{"CommaIsNoDecimalSeparator", "a 1,5", 1, false},
                    ParseCase{"HugeExponent", "a 1e999", INFINITY, false},
                    ParseCase{"TinyExponent", "a 1e-999", 0, false}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo
