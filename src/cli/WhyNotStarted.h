#pragma once
// Why a program that the process start finds would still not start, in the words of a player
// who has to mend it: a shortcut, an internet link, a document or a file that is no program.
#include <optional>
#include <string>

namespace orvo::cli {

// "'C:\GPL\mine.lnk' is a shortcut, which the loader cannot start (give the program it leads
// to: ...)"; nullopt where the program starts.
std::optional<std::string> WhyNotStarted(const std::string& program);

// The path a Windows shortcut's bytes lead to, where they say (a file on a drive); nullopt
// where they do not.
std::optional<std::string> ShortcutTarget(const std::string& bytes);

}  // namespace orvo::cli
