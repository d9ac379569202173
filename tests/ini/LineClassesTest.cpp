// The index builder's masks of a window both ways, wide and plain: every byte value in every
// lane of a window, so that a compare the wide version gets wrong (a byte above 127 read as
// negative, a lane out of order) shows.
#include <gtest/gtest.h>

#include <string>

#include "ini/LineClasses.h"

namespace orvo::test {
namespace {

TEST(LineClasses, WideMasksAreThePlainOnesForEveryByteInEveryLane) {
  for (int c = 0; c < 256; ++c) {
    for (std::size_t lane = 0; lane < ini::kClassWindow; ++lane) {
      std::string s(ini::kClassWindow, 'x');
      s[lane] = static_cast<char>(c);
      const ini::LineClasses wide = ini::ClassifyWide(s.data());
      const ini::LineClasses plain = ini::ClassifyPlain(s.data(), s.size());
      const std::uint64_t bit = std::uint64_t{1} << lane;
      const bool end = c == '\r' || c == '\n';
      EXPECT_EQ(plain.lineEnd, end ? bit : 0) << c;
      EXPECT_EQ(plain.cut, end || c == ';' || c == '\t' ? bit : 0) << c;
      EXPECT_EQ(plain.equals, c == '=' ? bit : 0) << c;
      EXPECT_EQ(wide.lineEnd, plain.lineEnd) << c << " in lane " << lane;
      EXPECT_EQ(wide.cut, plain.cut) << c << " in lane " << lane;
      EXPECT_EQ(wide.equals, plain.equals) << c << " in lane " << lane;
    }
  }
}

}  // namespace
}  // namespace orvo::test
