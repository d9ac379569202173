#include "launcher/CommonDefinitions.h"

#include <cstdio>
#include <utility>

#include "common/OrvoCommon.h"
#include "platform/local_time.h"
#include "platform/program_info.h"

namespace orvo {
namespace {

LoaderLogSink& Sink() {
  static LoaderLogSink sink;
  return sink;
}

std::string TwoDigits(int n) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d", n % 100);
  return buffer;
}

std::string Timestamp() {
  const platform::LocalDateTime now = platform::Now();
  const std::string d = platform::DateSeparator();
  const std::string t = platform::TimeSeparator();
  return TwoDigits(now.day) + d + TwoDigits(now.month) + d + TwoDigits(now.year) + " " + TwoDigits(now.hour) + t +
         TwoDigits(now.minute) + t + TwoDigits(now.second) + " ";
}

}  // namespace

std::string LoaderLogPath() { return platform::OwnFolder() + "\\LoaderLog.txt"; }

void WriteLoaderLog(const std::string& text) {
  const std::string entry = Timestamp() + text;
  if (const auto& sink = Sink()) {
    sink(entry);
  } else {
    Common().AppendToFile(LoaderLogPath(), entry);
  }
}

void WriteLoaderLogNFE(const std::string& text) { WriteLoaderLog("NFE:" + text); }

void WriteLoaderLogLine(const std::string& text) { WriteLoaderLog(text); }

LoaderLogSink SetLoaderLogSink(LoaderLogSink sink) { return std::exchange(Sink(), std::move(sink)); }

}  // namespace orvo
