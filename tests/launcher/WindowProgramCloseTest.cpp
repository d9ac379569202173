// Windows only: a real window program asked to close at the clean-up. Notepad with nothing
// typed closes as its close button closes it; with unsaved text it asks whether to save it,
// nobody answers, and the loader ends it after the wait.
#include <windows.h>

#include <gtest/gtest.h>

#include "launcher/LoaderRun.h"
#include "platform/process.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

TEST_F(LaunchEndToEnd, NotepadClosesByItselfUnlessItHoldsUnsavedText) {
  fs::create_directories(dir / "loader" / "Profiles");
  const std::string endlessGame = dir.Text("game\\gpl.exe") + " record " + dir.Text("game.txt") + " forever";
  for (const bool unsaved : {false, true}) {
    SCOPED_TRACE(unsaved ? "unsaved text" : "nothing typed");
    // Notepad takes two seconds to close under Wine.
    const std::string wait = unsaved ? "1" : "10";
    WriteBytes(dir / "loader" / "Profiles" / "P.bst",
               "[Loader]\r\nclose wait = " + wait + "\r\n[0]\r\npath=notepad.exe\r\nkill = close\r\n");
    fs::remove(dir / "game.txt");
    const std::uint32_t loaderId = platform::ShellStart(Quoted(loader) + " " + endlessGame + ";;P", platform::kShowNormal);
    const platform::NativeHandle loaderHandle = platform::OpenProcessForWait(loaderId);
    ASSERT_TRUE(WaitForFile(dir / "game.txt"));
    // Notepad's id is in the log before the game starts.
    const std::string started = "Started: notepad.exe as ", log = ReadBytes(Log());
    const std::size_t at = log.find(started);
    ASSERT_NE(at, std::string::npos) << log;
    const std::string id = log.substr(at + started.size(), log.find("\r\n", at) - at - started.size());
    HWND window = nullptr;
    for (int i = 0; i < 500 && (window = FindWindowA("Notepad", nullptr)) == nullptr; ++i) Sleep(20);
    ASSERT_NE(window, nullptr) << "notepad shows no window";
    if (unsaved)
      SendMessageA(FindWindowExA(window, nullptr, "Edit", nullptr), EM_REPLACESEL, TRUE,
                   reinterpret_cast<LPARAM>("lap 1  1:23.456"));
    EndProcess(std::stoul(ReadRecord(dir / "game.txt").at("pid")));
    platform::WaitForProcess(loaderHandle);
    platform::CloseProcessHandle(loaderHandle);
    const std::string end =
        unsaved ? "Killed Process" + id + " after the wait of " + wait + " s" : "Closed Process" + id + " by itself";
    EXPECT_NE(ReadBytes(Log()).find(end + "\r\n"), std::string::npos) << ReadBytes(Log());
    EXPECT_TRUE(WaitForProcessEnd(std::stoul(id))) << "notepad outlived the loader";
  }
}

}  // namespace
}  // namespace orvo::test
