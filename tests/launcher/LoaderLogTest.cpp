// The loader log's entry format.
#include <gtest/gtest.h>

#include <regex>

#include "launcher/CommonDefinitions.h"
#include "platform/local_time.h"

namespace orvo {
namespace {

class RawLog {
 public:
  RawLog() : previous_(SetLoaderLogSink([this](const std::string& e) { entries.push_back(e); })) {}
  ~RawLog() { SetLoaderLogSink(previous_); }
  std::vector<std::string> entries;

 private:
  LoaderLogSink previous_;
};

std::string Escaped(const std::string& s) { return std::regex_replace(s, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)"); }

TEST(LoaderLog, EntriesCarryTheTimestampPatternWithTheRegionalSeparators) {
  RawLog log;
  WriteLoaderLog("Started");
  WriteLoaderLog("");
  WriteLoaderLogNFE("pSection = Car");
  WriteLoaderLogLine("Indexing core.ini");
  WriteLoaderLog("Calling GPL:a;b;c\r\na\r\nb\r\nc\r\n");
  const std::string d = Escaped(platform::DateSeparator()), t = Escaped(platform::TimeSeparator());
  const std::string stamp = "\\d\\d" + d + "\\d\\d" + d + "\\d\\d \\d\\d" + t + "\\d\\d" + t + "\\d\\d ";
  const std::vector<std::string> texts = {"Started", "", "NFE:pSection = Car", "Indexing core.ini",
                                          "Calling GPL:a;b;c\r\na\r\nb\r\nc\r\n"};
  ASSERT_EQ(log.entries.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_TRUE(std::regex_match(log.entries[i], std::regex(stamp + Escaped(texts[i])))) << log.entries[i];
  }
}

TEST(LoaderLog, TimestampIsTheCurrentLocalTime) {
  RawLog log;
  const platform::LocalDateTime before = platform::Now();
  WriteLoaderLog("x");
  ASSERT_EQ(log.entries.size(), 1u);
  char expectedDay[16];
  std::snprintf(expectedDay, sizeof expectedDay, "%02d", before.day);
  char expectedYear[16];
  std::snprintf(expectedYear, sizeof expectedYear, "%02d", before.year % 100);
  // Day first, then month, then the two-digit year (a run across midnight is not expected).
  EXPECT_EQ(log.entries[0].substr(0, 2), expectedDay);
  EXPECT_EQ(log.entries[0].substr(6, 2), expectedYear);
}

}  // namespace
}  // namespace orvo
