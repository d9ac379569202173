#pragma once
// The status window's load routine: lays the picture and the three labels out from the
// window's own width and height, once, when the window is loaded.
#include <string>

#include "common/OrvoCommon.h"
#include "platform/program_info.h"
#include "platform/status_window.h"

namespace orvo {

// "Orvo+ " & major & "." & minor & "." & revision, plain decimals.
std::string StatusTitle(const platform::ProgramVersion& version);

// The two credits lines, separated by a single CR.
inline constexpr const char* kStatusCredits = "Orvo+ loader and tools\rfor the GPL community";

class StatusLayout {
 public:
  // Lays the window out and repaints it. All arithmetic is single precision, and every
  // value a later step uses is read back from the control that took it. A call made while
  // the layout is running (a repaint that reaches back into loading) returns at once.
  // No handler: a failure of the window goes to the caller.
  void Run(platform::StatusWindow& window, const std::string& title) const;

 private:
  mutable bool running_ = false;
  OrvoCommon common_;  // the window's own instance, for RightFontSize
};

}  // namespace orvo
