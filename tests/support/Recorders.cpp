#include "support/Recorders.h"

namespace orvo::test {

BoxRecorder::BoxRecorder()
    : previous_(platform::SetMessageBoxReceiver(
          [this](const std::string& text, const std::string& title) {
            boxes_.push_back({text, title});
            return !dismiss_ || dismiss_(boxes_.size());
          })) {}

BoxRecorder::~BoxRecorder() { platform::SetMessageBoxReceiver(previous_); }

std::vector<std::string> BoxRecorder::texts() const {
  std::vector<std::string> result;
  for (const auto& b : boxes_) result.push_back(b.text);
  return result;
}

// The "dd/mm/yy hh:nn:ss " timestamp (18 characters) is cut off each entry.
LogCapture::LogCapture()
    : previous_(SetLoaderLogSink([this](const std::string& entry) { entries_.push_back(entry.size() >= 18 ? entry.substr(18) : entry); })) {}

LogCapture::~LogCapture() { SetLoaderLogSink(previous_); }

}  // namespace orvo::test
