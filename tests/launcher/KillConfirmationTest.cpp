// With a value in the debug settings' [Debug] TestMode each kill of a profile program is
// confirmed with a box first; without one it is not. The document is filled here directly,
// as nothing in a run ever fills it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "launcher/DebugSettings.h"
#include "launcher/frmIcon.h"
#include "platform/program_info.h"
#include "support/Programs.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

namespace orvo::test {
namespace {

TEST(KillProfileProgram, ConfirmsEachKillOnlyInTestMode) {
  TempDir dir;
  for (const char* testMode : {"1", ""}) {
    SCOPED_TRACE(std::string("TestMode=") + testMode);
    {
      LogCapture indexing;  // the document's index build has its own entry, before the kill's
      DebugSettings().SetIniValue("Debug", "TestMode", testMode, true);
      DebugSettings().GetIniValue("Debug", "TestMode");
    }
    const std::string record = std::string("r") + testMode + ".txt";
    PROCESS_INFORMATION program = prCreateNewProcess(Quoted(HelperExe()) + " record " + dir.Text(record) + " forever");
    // No early return: the kill below is what ends the helper either way.
    EXPECT_TRUE(WaitForFile(dir / record));
    const std::uintptr_t handle = program.hProcess;
    const std::uint32_t pid = program.dwProcessId;
    BoxRecorder boxes;
    LogCapture log;
    frmIcon::KillProfileProgram(program);
    std::vector<RecordedBox> expected;
    if (*testMode) expected.push_back({"Kill process " + std::to_string(handle), platform::ProgramTitle()});
    EXPECT_EQ(boxes.boxes(), expected);
    EXPECT_EQ(log.entries(), std::vector<std::string>{"Killed Process" + std::to_string(pid)});
    // A kill ends the program on its own time: give it a moment.
    for (int k = 0; k < 100 && ProcessIsRunning(pid); ++k) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(ProcessIsRunning(pid));
  }
}

// The form's file writer replaces the content with the text and CR LF, and gives up silently.
TEST(FormWriteFile, ReplacesTheContentOrSaysNothing) {
  TempDir dir;
  WriteBytes(dir / "f.txt", "an older and longer content");
  BoxRecorder boxes;
  frmIcon form;
  form.WriteFile(dir.Text("f.txt"), "new");
  form.WriteFile(dir.Text("missing\\f.txt"), "new");
  EXPECT_EQ(ReadBytes(dir / "f.txt"), "new\r\n");
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo::test
