#pragma once
// The program's one error mechanism.
//
// Every failure travels as an OrvoError carrying the description that the error box shows
// (the platform's own message where the platform reported it). A member takes one of five
// ways when something inside it fails; each way is written here once, and a member names
// its way and the suffix of its box text instead of writing a handler of its own:
//
//   1  QuietDefault        return a fixed default, show and log nothing
//   2  BoxThenReturn       error box "<description><suffix>", then return the default
//   3  BoxThenRetry        error box, then try the failed step again (see below how often)
//   4  Guarded             the member's own reaction, given the failure
//   5  (no wrapper)        the failure goes on to the caller's handler
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace orvo {

class OrvoError : public std::runtime_error {
 public:
  enum class Kind {
    InvalidArgument,  // a text or number operation was given an argument it cannot take
    Overflow,         // arithmetic left the 32-bit range
    FileNotFound,     // a program or file to open does not exist
    AlreadyExists,    // a rename or create found its target present
    System,           // any other failure that the platform reported
  };

  OrvoError(Kind kind, const std::string& description) : std::runtime_error(description), kind_(kind) {}
  Kind kind() const noexcept { return kind_; }
  std::string description() const { return what(); }

  static OrvoError InvalidArgument() { return {Kind::InvalidArgument, "Invalid procedure call or argument"}; }
  static OrvoError Overflow() { return {Kind::Overflow, "Overflow"}; }

 private:
  Kind kind_;
};

// What the handler of a member learns about the failure it caught.
struct Failure {
  OrvoError::Kind kind;
  std::string description;
};

// Describes the exception being handled (call only inside a catch block).
Failure CurrentFailure();

// The error box of the launcher (title "Fatal Orvo+ Error"); declared here so that every way
// that shows it goes through the one seam. Returns whether a person dismissed it.
bool ShowFatalError(const std::string& message);

namespace failure {

// How often a step of way 3 is tried. The user sees the box after each failed attempt.
//  - Bounded: a step of the updater or of a refresh that keeps failing (a read-only target, a
//    folder that still holds files) must not hold the user in an endless chain of boxes, so
//    after the third box the step is abandoned and the member returns as in way 2.
//  - WhileDismissed: the box comes back after every dismissal, for as long as the failure
//    lasts: the person at the box can remove its cause (reconnect the drive, close the other
//    program) and the step then goes on. Where the box returns without waiting for anyone (a
//    console program, the Linux port without a terminal) this would spin, so there the step
//    is abandoned after the third box that nobody dismissed.
enum class Retries { Bounded, WhileDismissed };
inline constexpr int kRetryAttempts = 3;

// Thrown by BoxThenRetry when a step is given up; the member's RetryBoundary ends there.
struct StepAbandoned {};

// Way 4 and the base of the others: run body; on failure hand the failure to onFailure,
// whose result becomes the member's result.
template <class Body, class OnFailure>
auto Guarded(Body&& body, OnFailure&& onFailure) -> decltype(body()) {
  try {
    return std::forward<Body>(body)();
  } catch (const StepAbandoned&) {
    throw;  // belongs to the RetryBoundary of the member that retried
  } catch (...) {
    return std::forward<OnFailure>(onFailure)(CurrentFailure());
  }
}

// Way 1.
template <class T, class Body>
T QuietDefault(T fallback, Body&& body) {
  return Guarded(std::forward<Body>(body), [&](const Failure&) -> T { return std::move(fallback); });
}
template <class Body>
void Quietly(Body&& body) {
  Guarded(std::forward<Body>(body), [](const Failure&) {});
}

// Way 2.
template <class T, class Body>
T BoxThenReturn(std::string_view suffix, T fallback, Body&& body) {
  return Guarded(std::forward<Body>(body), [&](const Failure& f) -> T {
    ShowFatalError(f.description + std::string(suffix));
    return std::move(fallback);
  });
}
template <class Body>
void BoxThenReturn(std::string_view suffix, Body&& body) {
  Guarded(std::forward<Body>(body), [&](const Failure& f) { ShowFatalError(f.description + std::string(suffix)); });
}

// Way 3, for one step: after each failure the box is shown and the step tried again, as
// often as retries allows; then StepAbandoned ends the member at its RetryBoundary.
template <class Step>
auto BoxThenRetry(std::string_view suffix, Step&& step, Retries retries = Retries::Bounded) -> decltype(step()) {
  for (int counted = 0;;) {
    try {
      return step();
    } catch (const StepAbandoned&) {
      throw;
    } catch (...) {
      const bool dismissed = ShowFatalError(CurrentFailure().description + std::string(suffix));
      if (retries == Retries::Bounded || !dismissed) ++counted;
      if (counted >= kRetryAttempts) throw StepAbandoned{};
    }
  }
}

// The body of a member whose steps use way 3: a given-up step ends the member quietly (the
// box has been shown already); the member's caller goes on.
template <class Body>
void RetryBoundary(Body&& body) {
  try {
    std::forward<Body>(body)();
  } catch (const StepAbandoned&) {
  }
}

}  // namespace failure
}  // namespace orvo
