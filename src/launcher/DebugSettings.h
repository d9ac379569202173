#pragma once
// The debug settings document: one program-wide INIFile, created on first use. Its
// [Debug] TestMode, when it holds any value, makes the loader confirm each kill of a profile
// program with a box. The document is bound to OrvoDebug.ini in the loader's own folder
// when that file exists at first use, and otherwise stays empty and bound to no file, so a
// normal installation never confirms kills.
#include "ini/INIFile.h"

namespace orvo {

inline constexpr const char* kDebugSettingsFileName = "OrvoDebug.ini";

INIFile& DebugSettings();

}  // namespace orvo
