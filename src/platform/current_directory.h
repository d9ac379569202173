#pragma once
// The process's current directory and drive. Both setters throw OrvoError on failure.
#include <string>

namespace orvo::platform {

std::string CurrentDirectory();
void ChangeDirectory(const std::string& path);
// POSIX has no drives: the change succeeds and changes nothing.
void ChangeDrive(char driveLetter);

}  // namespace orvo::platform
