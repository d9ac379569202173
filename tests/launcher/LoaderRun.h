#pragma once
// A loader installed in a folder of its own, beside a game folder holding the helper program
// as "gpl.exe", for the tests that run the real loader binary.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/Programs.h"
#include "support/TempDir.h"

namespace orvo::test {

class LaunchEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override;

  // Its exit status and what it wrote to stderr.
  Captured RunLoader(const std::string& commandLine) {
    return RunCapturingCommandLine(Quoted(loader) + " " + commandLine, dir.path());
  }
  std::filesystem::path Log() const { return dir / "loader" / "LoaderLog.txt"; }
  // The helper's command line in mode, recording to <dir>/<record>.txt, then the rest.
  std::string Helper(const std::string& mode, const std::string& record, const std::string& rest = "") const {
    return PathText(HelperExe()) + " " + mode + " " + dir.Text(record + ".txt") + rest;
  }

  TempDir dir;
  std::filesystem::path loader;
  std::string game;      // runs 300 ms in the game folder, records to game.txt
  std::string followUp;  // records to followup.txt
};

}  // namespace orvo::test
