#pragma once
// The start-up form: a small captionless window with one label, and a one-shot timer whose
// first tick runs the program's work. Win32 shows the real window; POSIX has no window and
// runs the work at once.
#include <functional>
#include <string>

namespace orvo::platform {

struct StartupFormLayout {
  int clientWidthTwips = 0;
  int clientHeightTwips = 0;
  int labelLeftTwips = 0, labelTopTwips = 0, labelWidthTwips = 0, labelHeightTwips = 0;
  std::string caption;
  std::string fontName;
  double fontPoints = 0;
  int timerIntervalMs = 1;
};

// Shows the form, and on the timer's first tick disables the timer and runs onFirstTick;
// when it returns the form is unloaded and this function returns.
void RunStartupForm(const StartupFormLayout& layout, const std::function<void()>& onFirstTick);

}  // namespace orvo::platform
