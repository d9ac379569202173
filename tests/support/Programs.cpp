#include "support/Programs.h"

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/host_path.h"
#include "platform/program_info.h"
#include "support/TempDir.h"

namespace orvo::test {

std::filesystem::path BinFolder() { return platform::ToHostPath(platform::OwnFolder()); }
std::string ExeSuffix() { return ORVO_EXE_SUFFIX; }
std::filesystem::path HelperExe() { return BinFolder() / ("orvo-test-helper" + ExeSuffix()); }

std::filesystem::path InstallLoader(const std::filesystem::path& folder) {
  const std::string loader = "orvo-loader" + ExeSuffix();
  std::filesystem::copy_file(BinFolder() / loader, folder / loader, std::filesystem::copy_options::overwrite_existing);
  return folder / loader;
}

std::string Quoted(const std::filesystem::path& path) { return "\"" + PathText(path) + "\""; }

std::string Replaced(std::string text, const std::vector<std::pair<std::string, std::string>>& marks) {
  for (const auto& [mark, by] : marks)
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at + by.size()))
      text.replace(at, mark.size(), by);
  return text;
}

bool WaitForFile(const std::filesystem::path& file, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!std::filesystem::exists(file)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

bool WaitForProcessEnd(unsigned processId, int timeoutMs) {
  for (int waited = 0; ProcessIsRunning(processId); waited += 20) {
    if (waited >= timeoutMs) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::map<std::string, std::string> ReadRecord(const std::filesystem::path& file) {
  std::map<std::string, std::string> record;
  std::ifstream in(file, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    const auto eq = line.find('=');
    if (eq != std::string::npos) record[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return record;
}

}  // namespace orvo::test
