#pragma once
// Running a console program from a test and capturing what it prints.
#include <filesystem>
#include <string>
#include <vector>

namespace orvo::test {

struct Captured {
  int exitCode = -1;
  std::string out;  // stdout, byte for byte
  std::string err;  // stderr, byte for byte
};

// Starts program with each argument passed unchanged as one argument (no shell in between),
// in the working folder folder, with stdin empty, and waits for its end.
Captured RunCapturing(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder);

}  // namespace orvo::test
