#pragma once
// The status window: picture, title with the version, two credits lines and one status line.
// It is loaded on first use and laid out once then; nothing in the program shows it, a
// caller that wants it seen calls Show().
#include <functional>
#include <memory>
#include <string>

#include "platform/status_window.h"
#include "status/StatusLayout.h"

namespace orvo {

class frmStatus {
 public:
  using WindowFactory = std::function<std::unique_ptr<platform::StatusWindow>()>;
  // The real window of the platform; tests give a window of their own.
  frmStatus();
  explicit frmStatus(WindowFactory factory);

  // Setting makes the text the status line and repaints the window at once; reading returns
  // the status line. Either loads the window first (without showing it). No handler: a
  // failure of the window goes to the caller.
  std::string Message();
  void SetMessage(const std::string& text);

  // Loads the window if needed and makes it visible.
  void Show();
  bool Loaded() const { return window_ != nullptr; }

 private:
  platform::StatusWindow& Window();

  WindowFactory factory_;
  std::unique_ptr<platform::StatusWindow> window_;
  StatusLayout layout_;
};

// The program-wide status window.
frmStatus& StatusWindow();

// Every text set through SetMessage of any status window is also handed to the observer, so
// that a caller can follow a long walk message by message. An empty observer removes it.
// Returns the observer that was in place.
using StatusMessageObserver = std::function<void(const std::string&)>;
StatusMessageObserver SetStatusMessageObserver(StatusMessageObserver observer);

}  // namespace orvo
