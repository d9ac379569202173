#include "launcher/CommonDefinitions.h"

#include <string_view>
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

// The last two digits of n (0 or more), with a leading zero, and what follows the field: every
// index build writes a stamped line, and a formatted print of each field took half of its time.
void AppendField(std::string& out, int n, std::string_view after) {
  const int last = n % 100;
  out += static_cast<char>('0' + last / 10);
  out += static_cast<char>('0' + last % 10);
  out += after;
}

std::string Timestamp() {
  const platform::LocalDateTime now = platform::Now();
  const std::string d = platform::DateSeparator();
  const std::string t = platform::TimeSeparator();
  std::string stamp;
  stamp.reserve(24);
  for (const auto& [n, after] : {std::pair<int, std::string_view>{now.day, d}, {now.month, d}, {now.year, " "},
                                 {now.hour, t}, {now.minute, t}, {now.second, " "}})
    AppendField(stamp, n, after);
  return stamp;
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
