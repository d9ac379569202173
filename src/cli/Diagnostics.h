#pragma once
// Where orvo's diagnostics go. The loader log belongs to the loader, so the engine's log
// entries (the "Indexing <name>" line, the dump and parameter lines of a failure) go nowhere
// unless asked: to a file with --log FILE, to stderr with --verbose, or both. The engine's
// error box must never wait for a key in a script: each box becomes one line on stderr, and
// the command is then taken as failed.
#include <string>

#include "launcher/CommonDefinitions.h"
#include "platform/message_box.h"
#include "storage/Notices.h"

namespace orvo::cli {

struct DiagnosticsOptions {
  std::string logFile;  // as given on the command line; "" for none
  bool verbose = false;
};

// UsageError when options name a log file that cannot be appended to (a missing folder, a
// folder's name): the engine's own appends would drop every entry without a word. The file
// is created when missing, as the first entry would create it.
void RequireWritableLog(const DiagnosticsOptions& options);

// Installs the log sink and the box receiver for its lifetime.
class Diagnostics {
 public:
  explicit Diagnostics(const DiagnosticsOptions& options);
  ~Diagnostics();
  Diagnostics(const Diagnostics&) = delete;
  Diagnostics& operator=(const Diagnostics&) = delete;


 private:
  LoaderLogSink previousSink_;
  platform::MessageBoxReceiver previousReceiver_;
  storage::NoticeSink previousNotices_;
};

// True once the engine or a member has shown an error box while a Diagnostics lives; a
// command then writes nothing more and fails.
bool FailureReported();

// One line on stderr: "orvo: " and the message, line ends inside it turned into blanks.
void Complain(const std::string& message);
// The same, "orvo: warning: ", for what a command does not refuse but the user should know.
void Warn(const std::string& message);

}  // namespace orvo::cli
