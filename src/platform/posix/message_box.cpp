#include "platform/message_box.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace orvo::platform {

bool ShowNativeMessageBox(const std::string& text, const std::string& title) {
  std::cerr << "[" << title << "] " << text << std::endl;
  if (!isatty(STDIN_FILENO)) return false;
  std::cerr << "Press Enter to continue." << std::endl;
  std::string ignored;
  return static_cast<bool>(std::getline(std::cin, ignored));  // end of input: nobody there
}

}  // namespace orvo::platform
