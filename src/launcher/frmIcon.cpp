#include "launcher/frmIcon.h"

#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"
#include "vocabulary/TextOps.h"
#include "launcher/CommonDefinitions.h"
#include "launcher/LaunchCommand.h"
#include "platform/current_directory.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/program_info.h"

namespace orvo {

platform::StartupFormLayout frmIcon::Layout() {
  platform::StartupFormLayout layout;
  layout.clientWidthTwips = 4080;
  layout.clientHeightTwips = 1485;
  layout.labelLeftTwips = 60;
  layout.labelTopTwips = 60;
  layout.labelWidthTwips = 3975;
  layout.labelHeightTwips = 555;
  layout.caption = "GPL Running";
  layout.fontName = "Arial";
  layout.fontPoints = 21.75;
  layout.timerIntervalMs = 1;
  return layout;
}

void frmIcon::Show() {
  platform::RunStartupForm(Layout(), [this] { tmrStart_Timer(); });
}

void frmIcon::tmrStart_Timer() {
  if (!timerEnabled_) return;
  timerEnabled_ = false;

  const std::string ownFolder = platform::OwnFolder();
  LaunchCommand fields;
  // What the sequence is doing, for the report of a failure. Only the steps below that can
  // fail set one: the command line is read without failing, and setting the folders, the
  // profile's programs, the log entries and the kills end quietly at a failure of their own.
  std::string step;
  try {
    const std::string logFile = LoaderLogPath();
    step = "replacing the old log " + logFile;
    if (Common().FileExists(logFile)) platform::RemoveFile(logFile);
    const std::string commandLine = platform::CommandLine();
    WriteLoaderLog("Started");
    WriteLoaderLog(commandLine);
    step = "splitting the command line '" + commandLine + "' at its first two ';'";
    SplitCommandLine(commandLine, fields);
    SetWorkingFolder(fields.gameCommand);
    StartProfilePrograms(fields.profileName);
    step = "starting the game '" + fields.gameCommand + "'";
    WriteLoaderLog("Calling GPL:" + commandLine + "\r\n" + fields.gameCommand + "\r\n" + fields.followUpCommand +
                   "\r\n" + fields.profileName + "\r\n");
    RunGameAndWait(fields.gameCommand);
    WriteLoaderLog("Out of GPL");
    KillProfilePrograms();
  } catch (...) {
    // Any failure of the steps above lands here, at the hand-off, without a log entry of
    // its own: programs already started keep running. The log stays as it is; the caller
    // learns of the failure through the program's exit status.
    failure_ = step + ": " + CurrentFailure().description;
  }

  // Hand-off. "x.exe" only lets SetWorkingFolder find ".EXE" and take the folder before it.
  SetWorkingFolder(ownFolder + "\\x.exe");
  // A follow-up that cannot be started (an empty command after a short command line, or a
  // program that does not exist) is skipped: the loader ends all the same.
  failure::Quietly([&] { platform::ShellStart(fields.followUpCommand, platform::kShowMinimised); });
}

void frmIcon::SetWorkingFolder(const std::string& path) {
  failure::Quietly([&] {
    const std::size_t exe = text::Upper(path).find(".EXE");
    if (exe == std::string::npos || exe == 0) return;
    const std::string beforeExe = path.substr(0, exe);
    // A backslash as the very first character leaves an empty folder, whose setting fails
    // and so skips the drive step too.
    const std::size_t slash = beforeExe.rfind('\\');
    if (slash != std::string::npos) {
      const std::string folder = beforeExe.substr(0, slash);
      platform::ChangeDirectory(folder);
      WriteLoaderLog("Set Dir to " + folder);
    }
    if (path.size() >= 2 && path[1] == ':') {
      platform::ChangeDrive(path[0]);
      WriteLoaderLog(std::string("Set Drive to ") + path[0]);
    }
  });
}

void frmIcon::RunGameAndWait(const std::string& command) {
  WriteLoaderLog("RunApp:" + command);
  // Blocks the form's only thread: the window is not serviced while the game runs.
  platform::ShellStartAndWait(command, platform::kShowNormal);
}

void frmIcon::WriteFile(const std::string& fileName, const std::string& content) {
  failure::Quietly([&] { platform::WriteFileBytes(fileName, content + "\r\n"); });
}

}  // namespace orvo
