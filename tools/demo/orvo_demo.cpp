// The demo's stand-ins for the game and its companion programs.
//
//   orvo-demo companion NAME   says where it runs, then keeps running until it is ended
//   orvo-demo game             "races" for about two seconds, then ends
//   orvo-demo followup         says that it was started, then ends
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/current_directory.h"

int main(int argc, char** argv) {
  using namespace std::chrono_literals;
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "companion") {
    std::printf("companion %s running in %s\n", argc > 2 ? argv[2] : "?", orvo::platform::CurrentDirectory().c_str());
    std::fflush(stdout);
    for (;;) std::this_thread::sleep_for(1s);
  }
  if (mode == "game") {
    std::printf("game: racing in %s\n", orvo::platform::CurrentDirectory().c_str());
    std::fflush(stdout);
    std::this_thread::sleep_for(2s);
    std::printf("game: chequered flag\n");
    return 0;
  }
  if (mode == "followup") {
    std::printf("follow-up started in %s\n", orvo::platform::CurrentDirectory().c_str());
    return 0;
  }
  std::fprintf(stderr, "usage: orvo-demo companion NAME | game | followup\n");
  return 2;
}
