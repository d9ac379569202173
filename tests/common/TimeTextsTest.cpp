// Times as texts and back: minutes-and-seconds, lap times.
#include <gtest/gtest.h>

#include <cmath>

#include "common/OrvoCommon.h"
#include "support/Regional.h"
#include "vocabulary/Failure.h"

namespace orvo {
namespace {

const OrvoCommon c;

TEST(TimeTexts, MinutesSecondsWithTheCarryTaken) {
  const std::pair<double, const char*> hhmmss[] = {{83.25, "1:23.2500"}, {3725.5, "62:05.5000"}, {1.23456, "0:01.2346"},
                                                   {59.99996, "1:00.0000"}, {59.99994, "0:59.9999"}, {-0.5, "-0:00.5000"},
                                                   {-0.00001, "0:00.0000"}, {2147483647.5, "35791394:07.5000"},
                                                   {-2147483648.25, "-35791394:08.2500"}};
  for (const auto& [t, text] : hhmmss) EXPECT_EQ(c.HHMMSS(t), text) << t;
  for (double t : {2147483648.0, -2147483649.0, HUGE_VAL, std::nan("")}) EXPECT_THROW(c.HHMMSS(t), OrvoError) << t;
  const std::pair<double, const char*> laps[] = {{83.4567, "1:23.457"}, {5.05, "0:05.050"}, {600.5, "10:00.500"}, {-0.5, "-1:59.500"},
                                                 {-61.25, "-2:58.750"}, {119.9999, "2:00.000"}, {-0.0001, "0:00.000"},
                                                 {6e9, "100000000:00.000"}};
  for (const auto& [t, text] : laps) EXPECT_EQ(c.FormatLaptime(t), text) << t;
  for (double t : {HUGE_VAL, std::nan(""), -1e300}) {
    const std::string text = c.FormatLaptime(t);
    EXPECT_EQ(text.size() - text.find(':'), 7u) << text;  // ":ss.fff" whatever the minutes
  }
}

// The fraction follows the user's decimal separator; the lap-time reader keeps the point.
TEST(TimeTexts, TheFractionFollowsTheRegionalDecimalSeparator) {
  const test::DecimalSeparatorSet comma(",");
  EXPECT_EQ(c.HHMMSS(83.25) + " " + c.FormatLaptime(83.4567) + " " + c.HHMMSS(-0.00001), "1:23,2500 1:23,457 0:00,0000");
  double date = 0, laptime = 0;
  c.ParseLaptime("a 1,5", date, laptime);
  EXPECT_EQ(laptime, 1);
}

TEST(TimeTexts, ParseLaptimeReadsTheNumberAfterTheFirstSpace) {
  struct Case { const char* text; double laptime; bool zeroDate; };
  const Case cases[] = {{"12/05/2004 83.456", 83.456, false}, {"83.456", 0, true}, {"lap 1:23.456", 1, false}, {"lap ", 0, false},
                        {"a b 5", 0, false}, {"a  \t 42.5", 42.5, false}, {"a 1 2.5", 12.5, false}, {"a  -1.5E2", -150, false},
                        {"a 25d-1", 2.5, false}, {"a 7e", 7, false}, {"a .25", 0.25, false}, {"a 1,5", 1, false},
                        {"a 1e999", HUGE_VAL, false}, {"a 1e-999", 0, false}, {"a 10.05", 10.05, false}};
  for (const auto& k : cases) {
    double date = 38000.5, laptime = -7;
    c.ParseLaptime(k.text, date, laptime);
    EXPECT_DOUBLE_EQ(laptime, k.laptime) << k.text;
    EXPECT_EQ(date, k.zeroDate ? 0.0 : 38000.5) << k.text;  // the caller's date stays otherwise
  }
}

}  // namespace
}  // namespace orvo
