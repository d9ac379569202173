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

TEST(RunApp, ReturnsAfterTheProgramEndedOrWithTheNotFoundBox) {
  test::TempDir dir;
  test::BoxRecorder boxes;
  const auto begin = std::chrono::steady_clock::now();
  Common().RunApp(test::Quoted(test::HelperExe()) + " record " + dir.Text("r.txt") + " 700");
  EXPECT_GE(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(700));
  const auto record = test::ReadRecord(dir / "r.txt");
  EXPECT_EQ(record.at("show"), "1");  // a normal, focused window
  EXPECT_FALSE(test::ProcessIsRunning(static_cast<unsigned>(std::stoul(record.at("pid")))));
  EXPECT_TRUE(boxes.boxes().empty());
  // A command that names no program at all is a program not found too, on every port.
  for (const std::string& command : {dir.Text("no-such-program") + test::ExeSuffix() + " a b", std::string(), std::string("  ")})
    Common().RunApp(command);
  const test::RecordedBox notFound{"utilNotFound", platform::ProgramTitle() + " Error"};
  EXPECT_EQ(boxes.boxes(), (std::vector<test::RecordedBox>{notFound, notFound, notFound}));
}

TEST(Ping, NumbersFromZeroToBelowOneThatAreTheSameInEveryRun) {
  double lowest = 1, highest = 0;
  for (int k = 0; k < 10000; ++k) {
    const double x = Common().Ping(k % 2 ? "127.0.0.1" : "");
    lowest = std::min(lowest, x);
    highest = std::max(highest, x);
  }
  EXPECT_TRUE(lowest >= 0 && lowest < 0.01 && highest > 0.99 && highest < 1) << lowest << " " << highest;
  // Each run of the helper starts the sequence afresh and writes its first numbers.
  test::TempDir dir;
  for (const char* out : {"first.txt", "second.txt"}) test::RunAndWait(test::Quoted(test::HelperExe()) + " ping 20 " + dir.Text(out));
  const std::string first = test::ReadBytes(dir / "first.txt");
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 20);
  EXPECT_EQ(test::ReadBytes(dir / "second.txt"), first);
}

}  // namespace
}  // namespace orvo
