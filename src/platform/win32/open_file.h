#pragma once
// Win32 only: one open file of the save primitives, and what a look at a file reads as.
#include <windows.h>

#include "platform/save_primitives.h"

namespace orvo::platform::win32 {

// What the open handle is; nullopt where the system does not say.
std::optional<Node> NodeOf(HANDLE h);

class Win32File : public OpenFile {
 public:
  // fresh: a file this save made, whose bytes take new room on the device; an existing file
  // is written over what it holds, and TakeRoom takes the rest first.
  Win32File(HANDLE h, bool fresh) : h_(h), fresh_(fresh) {}
  ~Win32File() override;
  HANDLE handle() const { return h_; }

  Node Facts() override;
  std::string ReadAt(std::int64_t offset, std::size_t count) override;
  void WriteAt(std::int64_t offset, const std::string& bytes) override;
  void TakeRoom(std::int64_t oldSize, const std::string& tail) override;
  void Cut(std::int64_t length) override;
  void Flush() override;
  // A name a handle was opened by leads to it until the file is deleted through one.
  bool IsNamed(const std::string& name) override;
  bool RemoveName(const std::string& name) override;

 private:
  HANDLE h_;
  bool fresh_;
};

}  // namespace orvo::platform::win32
