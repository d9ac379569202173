#include "platform/message_box.h"

#include <utility>

namespace orvo::platform {
namespace {
MessageBoxReceiver& Receiver() {
  static MessageBoxReceiver receiver;
  return receiver;
}
}  // namespace

bool ShowMessageBox(const std::string& text, const std::string& title) {
  if (const auto& receiver = Receiver()) return receiver(text, title);
  return ShowNativeMessageBox(text, title);
}

MessageBoxReceiver SetMessageBoxReceiver(MessageBoxReceiver receiver) {
  return std::exchange(Receiver(), std::move(receiver));
}

}  // namespace orvo::platform
