#pragma once
// The module of process routines and the error box.
#include "platform/process.h"

namespace orvo {

using PROCESS_INFORMATION = platform::ProcessInformation;

// ShowFatalError is declared with the error mechanism (vocabulary/Failure.h): a modal box with
// the message, one OK button, no icon, title "Fatal Orvo+ Error". It logs nothing and the
// program goes on.
inline constexpr const char* kFatalErrorTitle = "Fatal Orvo+ Error";

// Starts one profile program in the current directory. An empty command line or a failed
// start gives a record of four zeros. Way 2 (" in prCreateNewProcess"): the record as it
// stands. Given a tree, the program starts in tree mode and the tree's handle goes there (0
// when no tree could be made: the program then runs alone). A closable program is started so
// that prAskToClose can reach it alone.
PROCESS_INFORMATION prCreateNewProcess(const std::string& commandLine, platform::NativeHandle* tree = nullptr,
                                       bool closable = false);

// Terminates the process with exit code 0 (given a tree's handle, the whole tree in its
// place), then closes the thread handle, the process handle and the tree's handle. Results
// are ignored: an ended process or a zero record passes. Way 2 (" in prKillprocess").
void prKillprocess(PROCESS_INFORMATION& record, platform::NativeHandle tree = 0);

// Asks the program to close as its close button would (given its tree's handle, every process
// of the tree); waits for nothing. Way 2 (" in prAskToClose").
void prAskToClose(const PROCESS_INFORMATION& record, platform::NativeHandle tree = 0);

// Whether the program (given its tree's handle, every process of the tree) has ended; a zero
// record has.
bool prHasEnded(const PROCESS_INFORMATION& record, platform::NativeHandle tree = 0);

}  // namespace orvo
