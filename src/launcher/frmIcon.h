#pragma once
// The start-up form "GPL Running" and its launch sequence.
#include <chrono>
#include <string>
#include <vector>

#include "launcher/ProcessRoutines.h"
#include "platform/startup_form.h"

namespace orvo {

class frmIcon {
 public:
  // The form as it is drawn: client area 4080 x 1485 twips, label "GPL Running" in Arial
  // 21.75 pt, the one-shot 1 ms timer.
  static platform::StartupFormLayout Layout();

  // Loads the form; its timer's first tick runs the launch sequence, after which the form
  // unloads and this returns.
  void Show();

  // The timer tick: the whole launch sequence, once.
  void tmrStart_Timer();

  // After the sequence: "" when it reached the kills, else the step at which its handler
  // took over and the failure's description.
  const std::string& LaunchFailure() const { return failure_; }

  // Replaces a file's content with the text and CR LF; any error closes the file and
  // returns without a report.
  void WriteFile(const std::string& fileName, const std::string& content);

  // Slot 0 stays empty; slot k holds the program of profile section k - 1.
  const std::vector<PROCESS_INFORMATION>& ProcessList() const { return processList_; }

  // The folder of the program path (up to its first ".EXE") and its drive become current,
  // each logged; ends silently at the first error.
  static void SetWorkingFolder(const std::string& path);

  // One profile program's end: in test mode (a value in the debug settings' [Debug]
  // TestMode) the box "Kill process <handle>" first, then the kill (of its tree, given one)
  // and its log entry, "Killed Process<id>" and the note. Failures pass to the caller, whose
  // handler ends the kills quietly.
  static void KillProfileProgram(PROCESS_INFORMATION& record, platform::NativeHandle tree = 0,
                                 const std::string& note = "");

 private:
  void RunGameAndWait(const std::string& command);
  void StartProfilePrograms(const std::string& profileName);
  void KillProfilePrograms();
  void WaitForClosing(const std::vector<std::size_t>& asked) const;
  void EndAskedProgram(std::size_t k);

  bool timerEnabled_ = true;
  std::string failure_;
  std::vector<PROCESS_INFORMATION> processList_;
  // Beside each slot, how the clean-up ends its program: the handle of its tree ("tree" in
  // its "kill" entry), else 0, and whether it is asked to close first ("close").
  struct Ending {
    platform::NativeHandle tree = 0;
    bool close = false;
  };
  std::vector<Ending> endings_;
  // How long the programs asked to close are given, all of them together.
  std::chrono::milliseconds closeWait_{0};
};

}  // namespace orvo
