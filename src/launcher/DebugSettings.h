#pragma once
// The debug settings document: one program-wide INIFile, created empty on first use and never
// bound to a file; the launch sequence never loads one, so a run never confirms kills. Its
// [Debug] TestMode, when it holds any value, makes the loader confirm each kill of a profile
// program with a box; only a program that puts text into the document itself (a test) sees that.
#include "ini/INIFile.h"

namespace orvo {

INIFile& DebugSettings();

}  // namespace orvo
