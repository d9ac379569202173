#include "launcher/DebugSettings.h"

#include "common/OrvoCommon.h"
#include "platform/program_info.h"

namespace orvo {

INIFile& DebugSettings() {
  static INIFile document = [] {
    INIFile d;
    const std::string file = platform::OwnFolder() + "\\" + kDebugSettingsFileName;
    if (Common().FileExists(file)) d.SetFilename(file);
    return d;
  }();
  return document;
}

}  // namespace orvo
