#pragma once
// The close wait of a profile: how long the clean-up gives the programs with "kill = close"
// to close, all of them together, before it ends those still there. One entry for the whole
// profile, "close wait" in the section [Loader], in seconds.
#include <chrono>
#include <string>

namespace orvo {

inline constexpr const char* kLoaderSection = "Loader";
inline constexpr const char* kCloseWaitEntry = "close wait";
inline constexpr std::chrono::milliseconds kDefaultCloseWait{5000};
// Longer would keep the player at the "GPL Running" window for no good: a program that has
// not closed within a minute waits for someone to answer it.
inline constexpr std::chrono::milliseconds kLongestCloseWait{60000};

struct CloseWait {
  // Given: the value as written; Default: no value. NotANumber gives the default, TooLong the
  // longest wait.
  enum class Reading { Given, Default, NotANumber, TooLong };
  std::chrono::milliseconds wait = kDefaultCloseWait;
  Reading reading = Reading::Default;
};

// Seconds as digits, optionally with a decimal point and up to three digits after it that
// count ("2.5"); blanks around them pass.
CloseWait ReadCloseWait(const std::string& value);

// "5", "2.5", "0.125": a wait in seconds, as the log and orvo write it.
std::string SecondsText(std::chrono::milliseconds wait);

}  // namespace orvo
