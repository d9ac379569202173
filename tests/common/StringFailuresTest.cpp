// How the text members of OrvoCommon fail: which ones raise to the caller, which ones show
// the error box, and what HashKey writes to the loader log first.
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

const char* const kTitle = "Fatal Orvo+ Error";

// Members without a handler: the error reaches the caller, and no box is shown.
struct RaiseCase {
  std::string name;
  std::string text, chars;
  std::int32_t start;
};
class FindCharInStringRaises : public testing::TestWithParam<RaiseCase> {};

TEST_P(FindCharInStringRaises, InvalidArgumentForAStartBelowOne) {
  const RaiseCase& c = GetParam();
  BoxRecorder boxes;
  try {
    OrvoCommon().FindCharInString(c.text, c.chars, c.start);
    FAIL() << "no error raised";
  } catch (const OrvoError& e) {
    EXPECT_EQ(e.kind(), OrvoError::Kind::InvalidArgument);
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(StringFailures, FindCharInStringRaises,
                         testing::Values(RaiseCase{"Zero", "abc", "c", 0}, RaiseCase{"Negative", "abc", "c", -3},
                                         RaiseCase{"EvenOnEmptyText", "", ",", 0},
                                         RaiseCase{"Lowest", "a", "a", std::numeric_limits<std::int32_t>::min()}),
                         [](const auto& info) { return info.param.name; });

TEST(StringFailures, GetNextFieldNeverReachesTheBadStart) {
  // It always searches from 1, so no text makes it raise.
  BoxRecorder boxes;
  std::string rest = "\"";
  EXPECT_NO_THROW(OrvoCommon().GetNextField(rest));
  EXPECT_TRUE(boxes.boxes().empty());
}

// ExpandString, way 2.
struct ExpandFailCase {
  std::string name;
  std::string text;
  std::int32_t width;
};
class ExpandStringFails : public testing::TestWithParam<ExpandFailCase> {};

TEST_P(ExpandStringFails, ShowsTheBoxAndReturnsEmpty) {
  const ExpandFailCase& c = GetParam();
  BoxRecorder boxes;
  LogCapture log;
  std::string result = "unchanged";
  EXPECT_NO_THROW(result = OrvoCommon().ExpandString(c.text, c.width));
  EXPECT_EQ(result, "");
  const std::vector<RecordedBox> expected = {
      {OrvoError::InvalidArgument().description() + " in ExpandString", kTitle}};
  EXPECT_EQ(boxes.boxes(), expected);
  EXPECT_TRUE(log.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(StringFailures, ExpandStringFails,
                         testing::Values(ExpandFailCase{"MinusOne", "abc", -1},
                                         ExpandFailCase{"EmptyText", "", -1},
                                         ExpandFailCase{"Lowest", "abc", std::numeric_limits<std::int32_t>::min()}),
                         [](const auto& info) { return info.param.name; });

// HashKey, way 4. A text of 8,421,506 bytes of code 255 is the shortest whose sum (all but
// the last byte) passes 2^31 - 1: 8,421,505 x 255 = 2,147,483,775.
struct HashFailCase {
  std::string name;
  std::size_t bytes;
  char fill;
  std::int32_t length;
  bool overflows;
};
class HashKeyOverflow : public testing::TestWithParam<HashFailCase> {};

TEST_P(HashKeyOverflow, LogsValueAndLengthThenShowsTheBox) {
  const HashFailCase& c = GetParam();
  const std::string value(c.bytes, c.fill);
  BoxRecorder boxes;
  LogCapture log;
  std::string result = "unchanged";
  EXPECT_NO_THROW(result = OrvoCommon().HashKey(value, c.length));
  if (!c.overflows) {
    EXPECT_EQ(result.size(), 1u);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(log.entries().empty());
    return;
  }
  EXPECT_EQ(result, "");
  ASSERT_EQ(log.entries().size(), 2u);
  EXPECT_TRUE(log.entries()[0] == "pValue = " + value) << "first entry starts " << log.entries()[0].substr(0, 20);
  EXPECT_EQ(log.entries()[1], "pLength =" + std::to_string(c.length));
  const std::vector<RecordedBox> expected = {{OrvoError::Overflow().description() + " in HashKey", kTitle}};
  EXPECT_EQ(boxes.boxes(), expected);
}

INSTANTIATE_TEST_SUITE_P(StringFailures, HashKeyOverflow,
                         testing::Values(HashFailCase{"JustFits", 8'421'505, '\xff', 8, false},
                                         HashFailCase{"JustOverflows", 8'421'506, '\xff', 8, true},
                                         HashFailCase{"NegativeLengthLogged", 9'000'000, '\xff', -12, true},
                                         HashFailCase{"LongAsciiText", 20'000'000, 'z', 20'000'000, true}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace orvo
