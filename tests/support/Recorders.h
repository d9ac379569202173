#pragma once
// Recorders that stand in for the real message box and for the loader log file.
#include <functional>
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

// Every box shown while the recorder lives is recorded instead of shown, and dismissed unless
// the optional call, given the count so far, says that nobody dismissed this one.
class BoxRecorder {
 public:
  BoxRecorder();
  explicit BoxRecorder(std::function<bool(std::size_t)> dismiss) : BoxRecorder() { dismiss_ = std::move(dismiss); }
  ~BoxRecorder();
  const std::vector<RecordedBox>& boxes() const { return boxes_; }
  std::vector<std::string> texts() const;

 private:
  std::vector<RecordedBox> boxes_;
  std::function<bool(std::size_t)> dismiss_;
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
