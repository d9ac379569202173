// Minutes-and-seconds texts and lap times read from texts.
#include <gtest/gtest.h>

#include <cmath>

#include "common/Failure.h"
#include "common/OrvoCommon.h"

namespace orvo {
namespace {

struct TimeCase {
  double seconds;
  const char* expected;
};

TEST(HHMMSS, MinutesSecondsAndFourDecimalsWithTheCarryTaken) {
  const TimeCase cases[] = {
      {0, "0:00.0000"}, {83.25, "1:23.2500"}, {59.7, "0:59.7000"}, {3725.5, "62:05.5000"}, {1.23456, "0:01.2346"},
      {12.99996, "0:13.0000"}, {59.99996, "1:00.0000"}, {59.99994, "0:59.9999"}, {3599.99999, "60:00.0000"},
      {2147483647.5, "35791394:07.5000"}, {-83.25, "-1:23.2500"}, {-0.5, "-0:00.5000"}, {-0.00001, "0:00.0000"},
      {-2147483648.25, "-35791394:08.2500"}};
  for (const auto& c : cases) EXPECT_EQ(Common().HHMMSS(c.seconds), c.expected) << c.seconds;
  for (double t : {2147483648.0, -2147483649.0, 1e300, HUGE_VAL, std::nan("")})
    EXPECT_THROW(Common().HHMMSS(t), OrvoError) << t;
}

TEST(FormatLaptime, MinutesSecondsAndThreeDecimalsCountedDownward) {
  const TimeCase cases[] = {{83.4567, "1:23.457"}, {60, "1:00.000"}, {5.05, "0:05.050"}, {600.5, "10:00.500"},
                            {0, "0:00.000"}, {-0.5, "-1:59.500"}, {-61.25, "-2:58.750"}, {9.9996, "0:10.000"},
                            {119.9999, "2:00.000"}, {-0.0001, "0:00.000"}, {-0.0, "0:00.000"}, {6e9, "100000000:00.000"}};
  for (const auto& c : cases) EXPECT_EQ(Common().FormatLaptime(c.seconds), c.expected) << c.seconds;
  for (double t : {HUGE_VAL, std::nan(""), -1e300}) {
    const std::string text = Common().FormatLaptime(t);
    EXPECT_EQ(text.size() - text.find(':'), 7u) << text;  // ":ss.fff" whatever the minutes
  }
}

TEST(ParseLaptime, ReadsTheNumberAfterTheFirstSpace) {
  struct Case {
    const char* text;
    double laptime;
    bool zeroDate;
  };
  const Case cases[] = {{"12/05/2004 83.456", 83.456, false}, {"83.456", 0, true}, {"lap", 0, true},
                        {"lap 1:23.456", 1, false}, {"lap x", 0, false}, {"lap ", 0, false}, {"a b 5", 0, false},
                        {"a  \t 42.5", 42.5, false}, {"a 1 2.5", 12.5, false}, {"a -1.5E2", -150, false},
                        {"a 25d-1", 2.5, false}, {"a 7e", 7, false}, {"a .25", 0.25, false}, {"a -x", 0, false},
                        {"a .", 0, false}, {"a 1,5", 1, false}, {"a 1e999", HUGE_VAL, false}, {"a 1e-999", 0, false}};
  for (const auto& c : cases) {
    double date = 38000.5, laptime = -7;
    Common().ParseLaptime(c.text, date, laptime);
    EXPECT_DOUBLE_EQ(laptime, c.laptime) << c.text;
    EXPECT_EQ(date, c.zeroDate ? 0.0 : 38000.5) << c.text;  // the caller's date stays otherwise
  }
}

}  // namespace
}  // namespace orvo
