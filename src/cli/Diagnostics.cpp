#include "cli/Diagnostics.h"

#include <algorithm>
#include <cstdio>

#include "cli/AbsolutePath.h"
#include "cli/Outcome.h"
#include "common/OrvoCommon.h"
#include "platform/files.h"
#include "platform/host_path.h"
#include "vocabulary/Failure.h"

namespace orvo::cli {
namespace {
bool gFailureReported = false;
std::string gLastComplaint;  // the text of the box shown last
}  // namespace

bool FailureReported() { return gFailureReported; }

void Complain(const std::string& message) {
  std::string line = "orvo: " + message;
  std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

void Warn(const std::string& message) { Complain("warning: " + message); }

void RequireWritableLog(const DiagnosticsOptions& options) {
  if (options.logFile.empty()) return;
  try {
    platform::AppendFileBytes(platform::FromHostPath(options.logFile), "");
  } catch (...) {
    throw UsageError("cannot write the log file " + options.logFile + " (" + CurrentFailure().description + ")");
  }
}

Diagnostics::Diagnostics(const DiagnosticsOptions& options) {
  gFailureReported = false;
  gLastComplaint.clear();
  // The log stays the file named, wherever a command makes its current folder.
  const std::string logFile = Anchored(platform::FromHostPath(options.logFile));
  const bool verbose = options.verbose;
  previousSink_ = SetLoaderLogSink([logFile, verbose](const std::string& entry) {
    // The entry goes to the file as the loader would append it: with CR LF, created when
    // missing, dropped without a word when it cannot be written.
    if (!logFile.empty()) Common().AppendToFile(logFile, entry);
    if (verbose) {
      std::fwrite(entry.data(), 1, entry.size(), stderr);
      std::fputc('\n', stderr);
    }
  });
  previousReceiver_ = platform::SetMessageBoxReceiver([](const std::string& text, const std::string&) {
    gFailureReported = true;
    // A step that is tried again after its box shows the same box again: one line says it.
    if (text != gLastComplaint) Complain(text);
    gLastComplaint = text;
    return false;  // a line on stderr: nobody dismisses it
  });
  previousNotices_ = storage::SetNoticeSink(Warn);
}

Diagnostics::~Diagnostics() {
  SetLoaderLogSink(std::move(previousSink_));
  platform::SetMessageBoxReceiver(std::move(previousReceiver_));
  storage::SetNoticeSink(std::move(previousNotices_));
}

}  // namespace orvo::cli
