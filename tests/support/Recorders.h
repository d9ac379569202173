#pragma once
// Recorders that stand in for the real message box and for the loader log file.
#include <string>
#include <vector>

#include "launcher/CommonDefinitions.h"
#include "platform/message_box.h"

namespace orvo::test {

struct RecordedBox {
  std::string text;
  std::string title;
  bool operator==(const RecordedBox&) const = default;
};

// Every box shown while the recorder lives is recorded instead of shown.
class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();
  const std::vector<RecordedBox>& boxes() const { return boxes_; }
  std::vector<std::string> texts() const;

 private:
  std::vector<RecordedBox> boxes_;
  platform::MessageBoxReceiver previous_;
};

// Every loader-log entry written while the capture lives, timestamp cut off.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  const std::vector<std::string>& entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
  LoaderLogSink previous_;
};

}  // namespace orvo::test
