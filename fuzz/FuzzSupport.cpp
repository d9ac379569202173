#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "launcher/CommonDefinitions.h"
#include "platform/message_box.h"

namespace orvo::fuzz {
namespace {
int gBoxes = 0;
}

void Silence() {
  static const bool done = [] {
    platform::SetMessageBoxReceiver([](const std::string&, const std::string&) {
      ++gBoxes;
      return false;
    });
    SetLoaderLogSink([](const std::string&) {});
    return true;
  }();
  (void)done;
}
int BoxesShown() { return gBoxes; }
void ResetBoxes() { gBoxes = 0; }

// The folder goes with the process; a failed check aborts and leaves it for a look.
struct Scratch {
  std::string path;
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const std::string& ScratchFolder() {
  static const Scratch folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvo-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) Fail("cannot make a scratch folder", pattern);
    return Scratch{pattern};
  }();
  return folder.path;
}

void Fail(std::string_view what, std::string_view detail) {
  std::fprintf(stderr, "FUZZ CHECK FAILED: %.*s\n", static_cast<int>(what.size()), what.data());
  for (unsigned char c : detail) std::fprintf(stderr, c >= 32 && c < 127 ? "%c" : "\\x%02X", c);
  std::fprintf(stderr, "\n");
  std::abort();
}

}  // namespace orvo::fuzz
