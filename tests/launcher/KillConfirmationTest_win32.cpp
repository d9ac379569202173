// With a value in [Debug] TestMode the loader asks before each kill; a presser thread finds
// each "Kill process " box of the loader and presses its OK button.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "launcher/LoaderRun.h"

namespace orvo::test {
namespace {

class BoxPresser {
 public:
  BoxPresser() : thread_([this] { Run(); }) {}
  ~BoxPresser() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::string> Texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  void Run() {
    while (!stop_) {
      EnumWindows(&BoxPresser::Visit, reinterpret_cast<LPARAM>(this));
      Sleep(50);
    }
  }
  static BOOL CALLBACK Visit(HWND hwnd, LPARAM self) {
    char className[64] = {}, title[128] = {};
    GetClassNameA(hwnd, className, sizeof className);
    GetWindowTextA(hwnd, title, sizeof title);
    if (std::string(className) != "#32770" || std::string(title) != "Orvo+ Loader" || !IsWindowVisible(hwnd)) return TRUE;
    char text[256] = {};
    GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);  // the message box's text control
    auto* presser = reinterpret_cast<BoxPresser*>(self);
    {
      std::lock_guard<std::mutex> lock(presser->mutex_);
      presser->texts_.push_back(text);
    }
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    Sleep(200);  // let the box close before the next search
    return TRUE;
  }

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::thread thread_;
};

TEST_F(LaunchEndToEnd, TestModeConfirmsEachKillWithABox) {
  std::filesystem::create_directories(dir / "loader" / "Profiles");
  const std::string companion = PathText(HelperExe()) + " record ";
  WriteBytes(dir / "loader" / "Profiles" / "P.bst",
             "[0]\r\npath=" + companion + dir.Text("a.txt") + " forever\r\n[1]\r\npath=" + companion + dir.Text("b.txt") + " forever\r\n");
  WriteBytes(dir / "loader" / "OrvoDebug.ini", "[Debug]\r\nTestMode = 1\r\n");
  std::vector<std::string> texts;
  {
    BoxPresser presser;
    RunLoader(game + ";;P");
    texts = presser.Texts();
  }
  ASSERT_EQ(texts.size(), 2u);
  for (const auto& t : texts) EXPECT_TRUE(t.starts_with("Kill process ")) << t;
  const auto lines = LogLines(Log());
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.starts_with("Killed Process"); }), 2);
  for (const char* name : {"a.txt", "b.txt"})
    EXPECT_TRUE(WaitForFile(dir / name) && !ProcessIsRunning(std::stoul(ReadRecord(dir / name).at("pid")))) << name;
}

}  // namespace
}  // namespace orvo::test
