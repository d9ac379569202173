// Starting a program and waiting for its end; the pseudo-random numbers of Ping.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "common/OrvoCommon.h"
#include "platform/program_info.h"
#include "support/Programs.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

namespace orvo {
namespace {

using Clock = std::chrono::steady_clock;

struct RunCase {
  const char* name;
  int sleepMs;
};

class RunAppTest : public testing::TestWithParam<RunCase> {};
TEST_P(RunAppTest, ReturnsOnlyAfterTheProgramHasEnded) {
  test::TempDir dir;
  const std::string record = dir.Text("record.txt");
  test::BoxRecorder boxes;
  const auto begin = Clock::now();
  // The helper writes its record, then sleeps; RunApp must not return before it ends.
  Common().RunApp(test::Quoted(test::HelperExe()) + " record " + record + " " + std::to_string(GetParam().sleepMs));
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin).count();
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_GE(elapsed, GetParam().sleepMs);
  const auto fields = test::ReadRecord(dir / "record.txt");
  ASSERT_EQ(fields.count("pid"), 1u);
  EXPECT_EQ(fields.at("show"), "1");  // a normal, focused window
  EXPECT_FALSE(test::ProcessIsRunning(static_cast<unsigned>(std::stoul(fields.at("pid")))));
}
INSTANTIATE_TEST_SUITE_P(Programs, RunAppTest, testing::Values(RunCase{"ExitsAtOnce", 0}, RunCase{"SleepsAMoment", 700}),
                         [](const testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

TEST(RunApp, AMissingProgramShowsTheNotFoundBoxAndReturns) {
  test::TempDir dir;
  test::BoxRecorder boxes;
  Common().RunApp(dir.Text("no-such-program") + test::ExeSuffix() + " a b");
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0], (test::RecordedBox{"utilNotFound", platform::ProgramTitle() + " Error"}));
}

TEST(Ping, NumbersFromZeroToBelowOneThatVary) {
  double lowest = 1, highest = 0;
  for (int k = 0; k < 10000; ++k) {
    const double x = Common().Ping(k % 2 ? "127.0.0.1" : "");
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
    lowest = std::min(lowest, x);
    highest = std::max(highest, x);
  }
  EXPECT_LT(lowest, 0.01);
  EXPECT_GT(highest, 0.99);
}

TEST(Ping, TheSequenceIsTheSameInEveryRun) {
  // Each run of the helper starts the program-wide sequence afresh and writes its first
  // numbers: two runs must agree.
  test::TempDir dir;
  for (const char* out : {"first.txt", "second.txt"})
    test::RunAndWait(test::Quoted(test::HelperExe()) + " ping 20 " + dir.Text(out));
  const std::string first = test::ReadBytes(dir / "first.txt");
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 20);
  EXPECT_EQ(test::ReadBytes(dir / "second.txt"), first);
}

}  // namespace
}  // namespace orvo
