// OrvoCommon: starting a program and waiting for it; the pseudo-random numbers of Ping.
#include <random>

#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/program_info.h"

namespace orvo {

void OrvoCommon::RunApp(const std::string& pAppName) const {
  failure::Guarded(
      [&] {
        // Blocks the program's one thread until the started program has ended: intended,
        // the caller relies on the program having finished when RunApp returns.
        platform::ShellStartAndWait(pAppName, platform::kShowNormal);
      },
      [](const Failure& f) {
        if (f.kind == OrvoError::Kind::FileNotFound)
          platform::ShowMessageBox("utilNotFound", platform::ProgramTitle() + " Error");
        else
          ShowFatalError(f.description + " in RunApp");
      });
}

double OrvoCommon::Ping(const std::string& /*sAddress*/) const {
  // One program-wide sequence that is never seeded, so every run sees the same numbers.
  // The engine is fully defined by the language, hence the same on every platform.
  static std::minstd_rand sequence;
  return static_cast<double>(sequence() - std::minstd_rand::min()) /
         static_cast<double>(std::minstd_rand::max() - std::minstd_rand::min() + 1);
}

}  // namespace orvo
