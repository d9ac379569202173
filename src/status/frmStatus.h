#pragma once
// The status window: picture, title with the version, two credits lines and one status line.
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

}  // namespace orvo
