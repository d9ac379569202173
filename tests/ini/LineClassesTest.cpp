// The index builder's masks, wide and plain, for every byte value in every lane of a window:
// a byte above 127 read as negative, or a lane out of order, shows.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "ini/LineClasses.h"

namespace orvo::test {
namespace {

std::tuple<std::uint64_t, std::uint64_t, std::uint64_t> Masks(const ini::LineClasses& m) { return {m.lineEnd, m.cut, m.equals}; }

TEST(LineClasses, WideMasksAreThePlainOnesForEveryByteInEveryLane) {
  for (int c = 0; c < 256; ++c) {
    for (std::size_t lane = 0; lane < ini::kClassWindow; ++lane) {
      std::string s(ini::kClassWindow, 'x');
      s[lane] = static_cast<char>(c);
      const auto plain = Masks(ini::ClassifyPlain(s.data(), s.size()));
      const std::uint64_t bit = std::uint64_t{1} << lane;
      const bool end = c == '\r' || c == '\n';
      EXPECT_EQ(plain, std::tuple(end ? bit : 0, end || c == ';' || c == '\t' ? bit : 0, c == '=' ? bit : 0)) << c;
      EXPECT_EQ(Masks(ini::ClassifyWide(s.data())), plain) << c << " in lane " << lane;
    }
  }
}

}  // namespace
}  // namespace orvo::test
