#pragma once
// Shared by the orvo tests: running the built program, and INI texts written with each of
// the three line-end styles.
#include <ostream>
#include <string>
#include <vector>

#include "platform/console.h"
#include "support/Programs.h"
#include "support/TempDir.h"

namespace orvo::test {

inline std::filesystem::path OrvoExe() { return BinFolder() / ("orvo" + ExeSuffix()); }

// Runs orvo in folder (the folder of the INI files the arguments name).
inline Captured Orvo(const std::vector<std::string>& arguments, const std::filesystem::path& folder) {
  return RunCapturing(OrvoExe(), arguments, folder);
}

// Every failure of orvo is one line on stderr, whatever path it took.
inline bool OneFailureLine(const std::string& err) {
  return err.rfind("orvo: ", 0) == 0 && err.find('\n') == err.size() - 1;
}

// The printed lines as they reach stdout: each with the platform's line end.
inline std::string Printed(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += line + std::string(platform::ConsoleLineEnd());
  return out;
}

struct LineEndStyle { const char* name; const char* lineEnd; };
inline void PrintTo(const LineEndStyle& style, std::ostream* os) { *os << style.name; }
inline const LineEndStyle kLineEndStyles[] = {{"CrLf", "\r\n"}, {"Lf", "\n"}, {"Cr", "\r"}};

// A text in which '|' stands for the file's own line end; the CR LF that the engine writes
// itself is written out as "\r\n".
inline std::string InStyle(const std::string& text, const LineEndStyle& style) {
  std::string out;
  for (char c : text) c == '|' ? out += style.lineEnd : out += c;
  return out;
}

}  // namespace orvo::test
