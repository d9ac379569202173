// The index builder's masks and the line-pair table's words, wide and plain, for every byte
// value in every lane: a byte above 127 read as negative, or a lane out of order, shows.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "ini/LineClasses.h"
#include "ini/NameWords.h"
#include "vocabulary/TextOps.h"

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

// Every pair of byte values side by side, in names of every length up to a word.
TEST(NameWords, AWordAtATimeIsACharacterAtATime) {
  for (int b = 0; b < 256; ++b) {
    for (int c = 0; c < 256; ++c) {
      for (std::size_t n = 1; n <= 8; ++n) {
        std::string name;
        std::uint64_t upper = 0;
        for (std::size_t i = 0; i < n; ++i) {
          name += static_cast<char>(i % 2 ? c : b);
          upper |= std::uint64_t{static_cast<unsigned char>(text::UpperAscii(name[i]))} << 8 * i;
        }
        const std::uint64_t w = ini::LoadWord(name.data(), n);
        if (ini::UpperWord(w) != upper || ini::HoldsLf(w) != (name.find('\n') != std::string::npos))
          FAIL() << b << " beside " << c << " in " << n << " characters";
      }
    }
  }
}

}  // namespace
}  // namespace orvo::test
