#include "platform/startup_form.h"

namespace orvo::platform {

// No window on POSIX: the form's work runs at once.
void RunStartupForm(const StartupFormLayout&, const std::function<void()>& onFirstTick) { onFirstTick(); }

}  // namespace orvo::platform
