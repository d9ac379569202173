#pragma once
// Shared pieces of the INI engine's tests: objects made from a text, the index as the index
// file shows it, and a fixture that keeps the loader log and the error box out of the way.
#include <gtest/gtest.h>

#include <string>

#include "ini/INIFile.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

namespace orvo::test {

inline INIFile WithText(const std::string& text) {
  INIFile ini;
  ini.SetIniString(text);
  return ini;
}

// The index text, read back from the index file that Save writes (without the CR LF that
// the file adds).
inline std::string SavedIndex(INIFile& ini) {
  TempDir dir;
  const std::string text = ini.IniString();
  ini.SetFilename(dir.Text("probe.ini"));
  ini.SetIniString(text);
  ini.BuildIndex();
  ini.SetSaveIndex(true);
  ini.SetChanged(true);
  ini.Save(false);
  const std::string file = ReadBytes(dir / "probe.gix");
  return file.size() >= 2 ? file.substr(0, file.size() - 2) : "<no index file>";
}

// Parameterised tests name each case by its own name field.
struct ByName {
  template <class P>
  std::string operator()(const testing::TestParamInfo<P>& info) const {
    return info.param.name;
  }
};

// Log entries and boxes are recorded, never written or shown.
template <class Param>
class IniCases : public testing::TestWithParam<Param> {
 protected:
  LogCapture log;
  BoxRecorder boxes;
};
class IniTest : public testing::Test {
 protected:
  LogCapture log;
  BoxRecorder boxes;
};

}  // namespace orvo::test
