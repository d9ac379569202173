#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

#include "helper/helper.h"

namespace orvo::test::helper {
int ShowWindowValue() {
  const char* style = std::getenv("ORVO_SHOW_WINDOW");
  return style ? std::atoi(style) : -1;
}
unsigned ProcessId() { return static_cast<unsigned>(getpid()); }

namespace {
char gClosedFile[4096];
void WriteAndGo(int) {
  const int fd = ::open(gClosedFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd >= 0) ::close(fd);
  ::_exit(0);
}
}  // namespace

void CloseWhenAsked(const std::string& file) {
  std::strncpy(gClosedFile, file.c_str(), sizeof gClosedFile - 1);
  std::signal(SIGTERM, WriteAndGo);
}
void IgnoreRequestsToClose() { std::signal(SIGTERM, SIG_IGN); }
}  // namespace orvo::test::helper
