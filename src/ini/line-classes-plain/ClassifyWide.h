#pragma once
// The masks of a whole window where the build knows of no wide instructions for the processor
// (any but x86 with SSE2, which both Windows builds are made for): the plain loop, window for
// window.
#include "ini/LineClassesPlain.h"

namespace orvo::ini {

// The masks of the kClassWindow characters from p, all of which must be readable.
inline LineClasses ClassifyWide(const char* p) { return ClassifyPlain(p, kClassWindow); }

}  // namespace orvo::ini
