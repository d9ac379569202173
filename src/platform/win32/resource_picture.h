#pragma once
// Win32 only: a picture decoded from an RCDATA resource of the running program by the
// system's own picture loader (OleLoadPicture, which reads JPEG, GIF and BMP).
#include <windows.h>
// After windows.h, which they need.
#include <ocidl.h>
#include <olectl.h>

namespace orvo::platform::win32 {

class ResourcePicture {
 public:
  // Empty when the program carries no such resource or it cannot be decoded: the window
  // then shows a plain background instead of failing.
  explicit ResourcePicture(int resourceId);
  ~ResourcePicture();
  ResourcePicture(const ResourcePicture&) = delete;
  ResourcePicture& operator=(const ResourcePicture&) = delete;

  bool Loaded() const { return picture_ != nullptr; }
  // Draws the whole picture stretched to the rectangle.
  void Draw(HDC dc, const RECT& target) const;

 private:
  IPicture* picture_ = nullptr;
  bool comStarted_ = false;
};

}  // namespace orvo::platform::win32
