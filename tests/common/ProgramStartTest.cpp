// Starting a program and waiting for its end.
#include <gtest/gtest.h>

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
  Common().RunApp(test::Quoted(test::HelperExe()) + " record " + dir.Text("r.txt") + " 700 ");  // a trailing blank starts no argument
  EXPECT_GE(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(700));
  // A doubled double quote inside quotes is one double quote, at the very end too.
  Common().RunApp(test::Quoted(test::HelperExe()) + " record " + dir.Text("q.txt") + " 0 \"x\"\"");
  EXPECT_EQ(test::ReadRecord(dir / "q.txt").at("args"), "record|" + dir.Text("q.txt") + "|0|x\"");
  const auto record = test::ReadRecord(dir / "r.txt");
  EXPECT_EQ(record.at("show"), "1");  // a normal, focused window
  EXPECT_EQ(record.at("args"), "record|" + dir.Text("r.txt") + "|700");
  EXPECT_FALSE(test::ProcessIsRunning(static_cast<unsigned>(std::stoul(record.at("pid")))));
  EXPECT_TRUE(boxes.boxes().empty());
  // A command that names no program at all is a program not found too, on every port.
  for (const std::string& command : {dir.Text("no-such-program") + test::ExeSuffix() + " a b", std::string(), std::string("  ")})
    Common().RunApp(command);
  const test::RecordedBox notFound{"utilNotFound", platform::ProgramTitle() + " Error"};
  EXPECT_EQ(boxes.boxes(), (std::vector<test::RecordedBox>{notFound, notFound, notFound}));
  // A file that is no program: the system's description, any insert of it filled, no path.
  test::WriteBytes(dir / "notes.txt", "no program");
  Common().RunApp(dir.Text("notes.txt"));
  ASSERT_EQ(boxes.texts().size(), 4u);
  EXPECT_TRUE(boxes.texts().back().ends_with(" in RunApp")) << boxes.texts().back();
  EXPECT_EQ(boxes.texts().back().find('%'), std::string::npos) << boxes.texts().back();
}

}  // namespace
}  // namespace orvo
