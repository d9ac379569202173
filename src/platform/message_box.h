#pragma once
// The modal message box: one OK button, no icon; returns when OK is pressed. Win32 shows a
// real MessageBoxA; POSIX writes the box to stderr and waits for Enter only when stdin is a
// terminal. Every box of the program goes through ShowMessageBox, so a test or a console
// program can put its own receiver in place of the real box.
//
// Each box answers whether a person dismissed it: a step that is tried again after every
// dismissal may go on as long as someone is there to dismiss the box, but must not spin
// where the box returns at once.
#include <functional>
#include <string>

namespace orvo::platform {

bool ShowMessageBox(const std::string& text, const std::string& title);

// Returns whether it stands for a person who dismissed the box.
using MessageBoxReceiver = std::function<bool(const std::string& text, const std::string& title)>;
// An empty receiver restores the real box. Returns the receiver that was in place.
MessageBoxReceiver SetMessageBoxReceiver(MessageBoxReceiver receiver);

// The platform's own box, bypassing any receiver.
bool ShowNativeMessageBox(const std::string& text, const std::string& title);

}  // namespace orvo::platform
