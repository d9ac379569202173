#pragma once
// Numbers of the resources that every Windows program of the project carries (see
// resources/program.rc.in, which includes this file) and that the Win32 platform code
// loads. Plain #defines: the resource compiler reads this file too.

// The status window's 800 x 600 JPEG picture, as RCDATA.
#define ORVO_STATUS_PICTURE 201
