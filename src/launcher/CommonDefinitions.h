#pragma once
// The loader log: LoaderLog.txt in the own folder, one timestamped entry per call, the file
// opened, appended to and closed for every entry so that other programs can read it at any
// time. Entries that cannot be written are dropped without a word.
#include <functional>
#include <string>

namespace orvo {

// "dd/mm/yy hh:nn:ss " & text, appended with CR LF.
void WriteLoaderLog(const std::string& text);
// "NFE:" & text: the diagnostic lines of the INI engine's handlers.
void WriteLoaderLogNFE(const std::string& text);
// The text unchanged, for the index builder and HashKey.
void WriteLoaderLogLine(const std::string& text);

// <own folder>\LoaderLog.txt
std::string LoaderLogPath();

// Where entries go. By default (an empty sink) they are appended to LoaderLogPath(); a
// program that is not the loader, or a test, can send them elsewhere. The sink receives the
// whole entry, timestamp included, without the line end. Returns the previous sink.
using LoaderLogSink = std::function<void(const std::string& entry)>;
LoaderLogSink SetLoaderLogSink(LoaderLogSink sink);

}  // namespace orvo
