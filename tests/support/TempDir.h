#pragma once
// A fresh folder per test, removed with everything in it when the test ends.
#include <filesystem>
#include <string>

namespace orvo::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder, or a name inside it, as the program's path text.
  std::string Text(const std::string& name = {}) const;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Whole files as bytes.
std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// A host path as the program's path text.
std::string PathText(const std::filesystem::path& path);

}  // namespace orvo::test
