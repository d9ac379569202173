#pragma once
// The tree mode of a profile program: the program and every process it starts end together,
// for companions that are only a starter of the real tool (a script, an updater stub, a tray
// program that forks and exits).
//
// Win32: the program starts suspended, is put into a job object of its own and is resumed,
// so that every process it starts belongs to the job; the job is made to end its processes
// when its last handle closes, so a loader that dies takes the tree with it. POSIX: the
// program leads a session of its own, whose process group ends as a whole; every process it
// leaves behind is re-parented to the loader (a child subreaper) and ended with it, told apart
// by a mark in its environment (ORVO_TREE); a loader ended by SIGTERM, SIGINT or SIGHUP ends
// its trees before it goes.
#include <string>

#include "platform/process.h"

namespace orvo::platform {

// Starts the command line as CreateNewProcess does and gives the tree's handle in tree. The
// program still runs when the tree cannot be made; tree is 0 then, and the program is ended
// alone. Returns false, info all zero and tree 0, when the start fails.
bool CreateProcessTree(const std::string& commandLine, ProcessInformation& info, NativeHandle& tree,
                       bool closable = false);

// Ends every process of the tree at once (exit code 0 on Windows); 0 passes.
void TerminateTree(NativeHandle tree);

// Asks every process of the tree, the program included, to close as AskProcessToClose
// (platform/process_close.h) asks one; 0 passes.
void AskTreeToClose(NativeHandle tree);

// Whether every process of the tree, the program included, has ended; 0 has.
bool TreeHasEnded(NativeHandle tree);

// Releases the tree's handle; 0 passes.
void CloseTree(NativeHandle tree);

}  // namespace orvo::platform
