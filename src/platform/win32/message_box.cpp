#include "platform/message_box.h"

#include <windows.h>

namespace orvo::platform {

bool ShowNativeMessageBox(const std::string& text, const std::string& title) {
  // Modal for the whole program: one OK button, no icon. It returns only when a person
  // pressed OK; a box that could not be shown at all waited for no one.
  return MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND) != 0;
}

}  // namespace orvo::platform
