#pragma once
// Win32 only: the open files of the save primitives, and what a look at a file reads as.
#include <windows.h>

#include <memory>

#include "platform/save_primitives.h"

namespace orvo::platform::win32 {

// What the open handle is; nullopt where the system does not say.
std::optional<Node> NodeOf(HANDLE h);
// The open file of a handle, which it closes. fresh: a file this save made, whose bytes take
// new room on the device; an existing file is written over what it holds, and TakeRoom takes
// the rest first.
std::unique_ptr<OpenFile> FileOf(HANDLE h, bool fresh);
HANDLE HandleOf(OpenFile& file);
// The same for a handle that its owner goes on holding and closes itself.
std::unique_ptr<OpenFile> BorrowedFileOf(HANDLE h);

}  // namespace orvo::platform::win32
