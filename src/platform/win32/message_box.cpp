#include "platform/message_box.h"

#include <windows.h>

namespace orvo::platform {

void ShowNativeMessageBox(const std::string& text, const std::string& title) {
  // Modal for the whole program: one OK button, no icon.
  MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace orvo::platform
