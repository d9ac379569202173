#include "platform/message_box.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace orvo::platform {

void ShowNativeMessageBox(const std::string& text, const std::string& title) {
  std::cerr << "[" << title << "] " << text << std::endl;
  if (isatty(STDIN_FILENO)) {
    std::cerr << "Press Enter to continue." << std::endl;
    std::string ignored;
    std::getline(std::cin, ignored);
  }
}

}  // namespace orvo::platform
