#include "support/Recorders.h"

namespace orvo::test {

BoxRecorder::BoxRecorder()
    : previous_(platform::SetMessageBoxReceiver(
          [this](const std::string& text, const std::string& title) { boxes_.push_back({text, title}); })) {}

BoxRecorder::~BoxRecorder() { platform::SetMessageBoxReceiver(previous_); }

std::vector<std::string> BoxRecorder::texts() const {
  std::vector<std::string> result;
  for (const auto& b : boxes_) result.push_back(b.text);
  return result;
}

LogCapture::LogCapture()
    : previous_(SetLoaderLogSink([this](const std::string& entry) { entries_.push_back(WithoutTimestamp(entry)); })) {}

LogCapture::~LogCapture() { SetLoaderLogSink(previous_); }

std::string WithoutTimestamp(const std::string& entry) { return entry.size() >= 18 ? entry.substr(18) : entry; }

}  // namespace orvo::test
