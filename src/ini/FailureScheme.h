#pragma once
// The failure scheme that every guarded member of INIFile shares, written once: dump the
// object, write the member's parameter lines, show the error box with the member's suffix,
// then go on as the member says (return its default, or try a step of Refresh again).
// Included only by the files that implement INIFile.
#include <string>
#include <string_view>
#include <vector>

#include "vocabulary/Failure.h"
#include "ini/INIFile.h"
// The engine's handlers write their diagnostics to the launcher's loader log.
#include "launcher/CommonDefinitions.h"

namespace orvo::ini {

using DiagnosticLines = std::vector<std::string>;

// One parameter line: the label immediately followed by the value, numbers in decimal
// without blanks, Booleans as the words True and False.
inline std::string Diag(std::string_view label, const std::string& value) { return std::string(label) + value; }
inline std::string Diag(std::string_view label, std::int32_t value) {
  return std::string(label) + std::to_string(value);
}
inline std::string Diag(std::string_view label, bool value) {
  return std::string(label) + (value ? "True" : "False");
}

// For the members that write no parameter lines.
inline DiagnosticLines NoDiagnostics() { return {}; }

}  // namespace orvo::ini

namespace orvo {

template <class Diagnostics, class Body, class T>
T INIFile::Guard(std::string_view suffix, Diagnostics&& diagnostics, Body&& body, T fallback) {
  return failure::Guarded(std::forward<Body>(body), [&](const Failure& f) -> T {
    ReportFailure(f, suffix, diagnostics());
    return std::move(fallback);
  });
}

template <class Diagnostics, class Body>
void INIFile::Guard(std::string_view suffix, Diagnostics&& diagnostics, Body&& body) {
  failure::Guarded(std::forward<Body>(body), [&](const Failure& f) { ReportFailure(f, suffix, diagnostics()); });
}

template <class Step>
void INIFile::RetryStep(Step&& step) {
  failure::BoxThenRetry(" in inifile.Refresh", [&] {
    try {
      step();
    } catch (const failure::StepAbandoned&) {
      throw;
    } catch (...) {
      IniFileDump();  // before the box that BoxThenRetry shows
      throw;
    }
  });
}

}  // namespace orvo
