#include "support/TempDir.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "platform/host_path.h"

namespace orvo::test {

// A random number and a counter keep parallel test programs and tests apart.
TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  const auto candidate = std::filesystem::temp_directory_path() / ("orvo-test-" + std::to_string(std::random_device()()) + "-" + std::to_string(counter++));
  if (!std::filesystem::create_directory(candidate)) throw std::runtime_error("cannot create " + candidate.string());
  path_ = std::filesystem::canonical(candidate);
}

TempDir::~TempDir() {
  std::error_code ec;
  // Files made read-only by a test must not survive it.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::Text(const std::string& name) const { return PathText(name.empty() ? path_ : path_ / name); }

std::string PathText(const std::filesystem::path& path) { return platform::FromHostPath(path.string()); }

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace orvo::test
