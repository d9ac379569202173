#pragma once
// Shared pieces of the INI engine's tests: objects made from a text, the index as the index
// file shows it, and fixtures that record the loader log and the error box.
#include <gtest/gtest.h>

#include "ini/INIFile.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

namespace orvo::test {

inline INIFile WithText(const std::string& text) {
  INIFile ini;
  ini.SetIniString(text);
  return ini;
}

// The index text as Save writes it to the index file, without the CR LF the file adds.
inline std::string SavedIndex(const std::string& text) {
  TempDir dir;
  INIFile ini;
  ini.SetFilename(dir.Text("probe.ini"));
  ini.SetIniString(text);
  ini.BuildIndex();
  ini.SetSaveIndex(true);
  ini.SetChanged(true);
  ini.Save(false);
  const std::string file = ReadBytes(dir / "probe.gix");
  return file.size() >= 2 ? file.substr(0, file.size() - 2) : "<no index file>";
}

struct ByName {
  template <class P>
  std::string operator()(const testing::TestParamInfo<P>& info) const { return info.param.name; }
};

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
