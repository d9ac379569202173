// How the text members of OrvoCommon fail: FindCharInString raises to its caller,
// ExpandString shows the box, HashKey logs its arguments and then shows the box.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "common/Failure.h"
#include "common/OrvoCommon.h"
#include "support/Recorders.h"

namespace orvo {
namespace {

using test::BoxRecorder;
using test::LogCapture;
using test::RecordedBox;
constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();

TEST(StringFailures, FindCharInStringRaisesForAStartBelowOne) {
  for (std::int32_t start : {0, -3, kLowest}) {
    BoxRecorder boxes;
    try {
      OrvoCommon().FindCharInString(start == 0 ? "" : "abc", "c", start);
      ADD_FAILURE() << "no error for start " << start;
    } catch (const OrvoError& e) {
      EXPECT_EQ(e.kind(), OrvoError::Kind::InvalidArgument);
    }
    EXPECT_TRUE(boxes.boxes().empty());
  }
}

TEST(StringFailures, ExpandStringShowsTheBoxForANegativeWidthAndReturnsEmpty) {
  for (std::int32_t width : {-1, kLowest}) {
    BoxRecorder boxes;
    LogCapture log;
    EXPECT_EQ(OrvoCommon().ExpandString("abc", width), "");
    const std::vector<RecordedBox> expected = {
        {"Invalid procedure call or argument in ExpandString", "Fatal Orvo+ Error"}};
    EXPECT_EQ(boxes.boxes(), expected);
    EXPECT_TRUE(log.entries().empty());
  }
}

// 8,421,506 bytes of code 255 is the shortest text whose sum (all but the last byte)
// passes 2^31 - 1: 8,421,505 x 255 = 2,147,483,775. One byte less still fits.
TEST(StringFailures, HashKeyLogsValueAndLengthThenShowsTheBoxWhenTheSumOverflows) {
  struct Case {
    std::size_t bytes;
    char fill;
    std::int32_t length;
  };
  for (Case c : {Case{8'421'505, '\xff', 8}, Case{8'421'506, '\xff', 8}, Case{8'421'506, '\xff', -12},
                 Case{20'000'000, 'z', 20'000'000}}) {
    const std::string value(c.bytes, c.fill);
    BoxRecorder boxes;
    LogCapture log;
    const std::string key = OrvoCommon().HashKey(value, c.length);
    if (c.bytes == 8'421'505) {
      EXPECT_EQ(key.size(), 1u);
      EXPECT_TRUE(boxes.boxes().empty() && log.entries().empty());
      continue;
    }
    EXPECT_EQ(key, "");
    ASSERT_EQ(log.entries().size(), 2u);
    EXPECT_TRUE(log.entries()[0] == "pValue = " + value) << log.entries()[0].substr(0, 20) << "...";
    EXPECT_EQ(log.entries()[1], "pLength =" + std::to_string(c.length));
    const std::vector<RecordedBox> expected = {{"Overflow in HashKey", "Fatal Orvo+ Error"}};
    EXPECT_EQ(boxes.boxes(), expected);
  }
}

}  // namespace
}  // namespace orvo
