#pragma once
// Shared pieces of the INI engine's tests: objects made from a text, and fixtures that record
// the loader log and the error box.
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

struct ByName {
  template <class P>
  std::string operator()(const testing::TestParamInfo<P>& info) const { return info.param.name; }
};

class IniTest : public testing::Test {
 protected:
  LogCapture log;
  BoxRecorder boxes;
};

template <class Param>
class IniCases : public IniTest, public testing::WithParamInterface<Param> {};

}  // namespace orvo::test
