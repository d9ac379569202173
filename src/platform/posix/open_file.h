#pragma once
// POSIX only: the open files of the save primitives, and what a look at a file reads as.
#include <sys/stat.h>

#include <memory>

#include "platform/save_primitives.h"

namespace orvo::platform::posix {

Node NodeOf(const struct stat& st);
// The open file of a descriptor, which it closes. fresh: a file this save made, whose bytes
// take new room on the device; an existing file is written over blocks it holds, or that
// TakeRoom reserved.
std::unique_ptr<OpenFile> FileOf(int fd, bool fresh);
int DescriptorOf(OpenFile& file);
// The same for a descriptor that its owner goes on holding and closes itself.
std::unique_ptr<OpenFile> BorrowedFileOf(int fd);

}  // namespace orvo::platform::posix
