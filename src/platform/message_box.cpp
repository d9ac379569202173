#include "platform/message_box.h"

#include <utility>

namespace orvo::platform {
namespace {
MessageBoxReceiver& Receiver() {
  static MessageBoxReceiver receiver;
  return receiver;
}
}  // namespace

void ShowMessageBox(const std::string& text, const std::string& title) {
  if (const auto& receiver = Receiver()) {
    receiver(text, title);
  } else {
    ShowNativeMessageBox(text, title);
  }
}

MessageBoxReceiver SetMessageBoxReceiver(MessageBoxReceiver receiver) {
  return std::exchange(Receiver(), std::move(receiver));
}

}  // namespace orvo::platform
