// The log's entries: each starts with the local date and time in the regional pattern.
#include <gtest/gtest.h>

#include <regex>

#include "launcher/CommonDefinitions.h"
#include "platform/local_time.h"

namespace orvo {
namespace {

TEST(LoaderLog, EntriesStartWithTheLocalTimeInTheRegionalPattern) {
  std::vector<std::string> entries;
  const auto previous = SetLoaderLogSink([&](const std::string& e) { entries.push_back(e); });
  const platform::LocalDateTime now = platform::Now();
  WriteLoaderLog("Started");
  WriteLoaderLogNFE("pSection = Car");
  WriteLoaderLogLine("Indexing core.ini");
  WriteLoaderLog("a;b\r\na\r\n");
  SetLoaderLogSink(previous);
  auto escaped = [](const std::string& s) { return std::regex_replace(s, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)"); };
  const std::string d = escaped(platform::DateSeparator()), t = escaped(platform::TimeSeparator());
  const std::string stamp = "\\d\\d" + d + "\\d\\d" + d + "\\d\\d \\d\\d" + t + "\\d\\d" + t + "\\d\\d ";
  const std::vector<std::string> texts = {"Started", "NFE:pSection = Car", "Indexing core.ini", "a;b\r\na\r\n"};
  ASSERT_EQ(entries.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_TRUE(std::regex_match(entries[i], std::regex(stamp + escaped(texts[i])))) << entries[i];
  // Day first, the two-digit year third (a run across midnight is not expected).
  EXPECT_EQ(std::stoi(entries[0].substr(0, 2)) * 100 + std::stoi(entries[0].substr(6, 2)), now.day * 100 + now.year % 100);
}

}  // namespace
}  // namespace orvo
