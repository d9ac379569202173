#include "status/frmStatus.h"

namespace orvo {

// Placeholder until the window and its layout land: keeps the message only.
std::string frmStatus::Message() { return message_; }
void frmStatus::SetMessage(const std::string& text) { message_ = text; }

frmStatus& StatusWindow() {
  static frmStatus window;
  return window;
}

}  // namespace orvo
