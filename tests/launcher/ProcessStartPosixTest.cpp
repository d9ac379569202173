// Linux only: the sessions of started programs, and the PATH search for a bare program name.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "platform/process.h"
#include "support/Programs.h"
#include "support/TempDir.h"

namespace orvo {
namespace {

// A companion program runs in a session of its own, apart from the loader's terminal; a
// program the shell start starts (the follow-up) stays in the loader's session.
TEST(Sessions, CompanionsLeadTheirOwnTheFollowUpStaysInTheLoaders) {
  test::TempDir dir;
  const std::string program = test::Quoted(test::HelperExe()) + " record ";
  platform::ProcessInformation companion;
  ASSERT_TRUE(platform::CreateNewProcess(program + dir.Text("c.txt") + " forever", companion));
  const auto followUp = static_cast<pid_t>(platform::ShellStart(program + dir.Text("f.txt") + " forever", platform::kShowMinimised));
  EXPECT_EQ(::getsid(static_cast<pid_t>(companion.dwProcessId)), static_cast<pid_t>(companion.dwProcessId));
  EXPECT_EQ(::getsid(followUp), ::getsid(0));
  platform::TerminateWithExitCode(companion.hProcess, 0);
  platform::CloseProcessHandle(companion.hProcess);
  ::kill(followUp, SIGKILL);
  ::waitpid(followUp, nullptr, 0);
}

// A bare name is looked for in the folders of PATH, as the start itself looks for it.
TEST(ProgramExists, LooksInTheFoldersOfPath) {
  test::TempDir dir;
  std::filesystem::copy_file(test::HelperExe(), dir / "orvo-only-here");
  const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  ::setenv("PATH", ("/nowhere::" + dir.path().string()).c_str(), 1);
  EXPECT_TRUE(platform::ProgramExists("orvo-only-here"));
  ::setenv("PATH", path.c_str(), 1);
  EXPECT_FALSE(platform::ProgramExists("orvo-only-here"));
}

}  // namespace
}  // namespace orvo
