// The index builder's stop search both ways, wide and plain: a stop in every lane of a
// sixteen-character block and in the tail after the last whole block.
#include <gtest/gtest.h>

#include <string>

#include "ini/StopSearch.h"

namespace orvo::test {
namespace {

TEST(StopSearch, WideSearchFindsEveryStopInEveryLane) {
  const ini::StopSet stops{'\r', '\n', ';', '\t'};
  for (const char stop : {'\r', '\n', ';', '\t'}) {
    for (std::size_t at = 0; at <= 40; ++at) {
      std::string s(41, 'x');
      s[at] = stop;
      const char* const end = s.data() + s.size();
      EXPECT_EQ(ini::FindStop(s.data(), end, stops) - s.data(), static_cast<std::ptrdiff_t>(at)) << at;
      EXPECT_EQ(ini::FindStopBytes(s.data(), end, stops) - s.data(), static_cast<std::ptrdiff_t>(at)) << at;
    }
  }
  const std::string none(40, 'x');
  EXPECT_EQ(ini::FindStop(none.data(), none.data() + none.size(), stops), none.data() + none.size());
}

}  // namespace
}  // namespace orvo::test
