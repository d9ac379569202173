#pragma once
// Asking a profile program to close as a player closes it, before the clean-up ends it: a
// program that writes its work when it closes (a lap logger, a recorder) keeps it.
//
// Win32: WM_CLOSE is posted to each top-level window of the process, as its close button
// does; a process with a console of its own has the console window closed too, which gives it
// the console's close event.
// POSIX: SIGTERM. Nothing waits for an answer here: the caller waits for the end.
#include "platform/process.h"

namespace orvo::platform {

// Asks the process of the record to close; a zero record or an ended process passes.
void AskProcessToClose(const ProcessInformation& info);

// Whether the process behind the handle has ended, without waiting; 0 has.
bool ProcessHasEnded(NativeHandle process);

}  // namespace orvo::platform
