#pragma once
// The status window: picture, title with the version, two credits lines and one status line.
#include <functional>
#include <string>

namespace orvo {

class frmStatus {
 public:
  // Setting makes the text the status line and repaints the window at once; reading returns
  // the status line. Either loads the window first (without showing it).
  std::string Message();
  void SetMessage(const std::string& text);

 private:
  std::string message_;
};

// The program-wide status window.
frmStatus& StatusWindow();

// Every text set through SetMessage of any status window is also handed to the observer, so
// that a caller can follow a long walk message by message. An empty observer removes it.
// Returns the observer that was in place.
using StatusMessageObserver = std::function<void(const std::string&)>;
StatusMessageObserver SetStatusMessageObserver(StatusMessageObserver observer);

}  // namespace orvo
