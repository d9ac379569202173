// The index builder's wide search for the characters that end a line's parts, on lines long
// enough that the stops fall in every lane of a sixteen-character block, and the records of
// names longer than one block.
#include <gtest/gtest.h>

#include "IniTestSupport.h"
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

TEST(IndexBuild, LongLinesAndNames) {
  const std::string text =
      "[ Section Of Some Length ]\r\nAn_Entry_Name_Longer = value longer than sixteen ;c\r\n\tx=1\r\n";
  INIFile ini = WithText(text);
  ini.BuildIndex();
  EXPECT_EQ(ini.IndexString(),
            "\r\nAN_ENTRY_NAME_LONGER\r\nSECTION OF SOME LENGTH\r\nvalue longer than sixteen\r\n52\r\n"
            "\r\nX\r\nSECTION OF SOME LENGTH\r\n1\r\n85\r\n");
}

}  // namespace
}  // namespace orvo::test
