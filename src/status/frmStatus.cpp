#include "status/frmStatus.h"

#include <utility>

namespace orvo {
namespace {
StatusMessageObserver& Observer() {
  static StatusMessageObserver observer;
  return observer;
}
}  // namespace

StatusMessageObserver SetStatusMessageObserver(StatusMessageObserver observer) {
  return std::exchange(Observer(), std::move(observer));
}

// Placeholder until the window and its layout land: keeps the message only.
std::string frmStatus::Message() { return message_; }
void frmStatus::SetMessage(const std::string& text) {
  message_ = text;
  if (Observer()) Observer()(text);
}

frmStatus& StatusWindow() {
  static frmStatus window;
  return window;
}

}  // namespace orvo
