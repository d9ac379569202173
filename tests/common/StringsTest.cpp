// The text and path-text members of OrvoCommon: one row per call.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/OrvoCommon.h"
#include "vocabulary/Failure.h"

namespace orvo {
namespace {

using namespace std::string_literals;
const OrvoCommon c;

// Takes fields off the text until it is used up; the fields joined by '|'.
std::string Fields(std::string text) {
  std::string joined = c.GetNextField(text);
  for (int guard = 0; !text.empty() && guard < 100; ++guard) joined += "|" + c.GetNextField(text);
  return joined;
}
std::string Find(const std::string& s, const std::string& chars, std::int32_t start) { return std::to_string(c.FindCharInString(s, chars, start)); }

TEST(Strings, EachCallGivesItsText) {
  struct Row { const char* what; std::string got, want; };
  const Row rows[] = {
      {"ProperCase trims", c.ProperCase("  hello world  "), "Hello World"}, {"ProperCase of blanks", c.ProperCase("   "), ""},
      {"ProperCase never lower-cases", c.ProperCase("mcLAREN f1"), "McLAREN F1"}, {"ProperCase inner runs", c.ProperCase("a  b"), "A  B"},
      {"ProperCase tab is no break", c.ProperCase("ab\tcd"), "Ab\tcd"}, {"ProperCase ASCII only", c.ProperCase("\xe9t\xe9 \xe0 rome"), "\xe9t\xe9 \xe0 Rome"},
      {"StripSpaces", c.StripSpaces(" a\t b "), "a\tb"}, {"StripTabs", c.StripTabs("\t a\t b "), " a b "},
      {"String2Nulled", c.String2Nulled("a\xff"), "a\0\xff\0"s}, {"Nulled2String any even byte", c.Nulled2String("aXbY"), "ab"},
      {"Nulled2String odd length", c.Nulled2String("a\0b"s), "ab"}, {"Find earliest of several", Find("a;b,c", ",;", 1), "2"},
      {"Find from a later start", Find("a;b,c", ",;", 3), "4"}, {"Find none", Find("abc", ",;", 1), "4"}, {"Find no chars", Find("abc", "", 0), "4"},
      {"Find beyond end", Find("abc", "c", 5), "4"}, {"Find case-sensitive", Find("abC", "c", 1), "4"},
      {"Find null byte", Find("a\0\xff"s, "\xff\0"s, 1), "2"}, {"Centre pad truncated", c.CentreString("abc", 8), "  abc"},
      {"Centre pad below one", c.CentreString("abc", 4), "abc"}, {"Centre never cuts", c.CentreString("abcdef", -4), "abcdef"},
      {"Expand pads", c.ExpandString("abc", 5), "abc  "}, {"Expand cuts", c.ExpandString("abcdef", 3), "abc"},
      {"Expand to zero", c.ExpandString("abc", 0), ""}, {"Fields quoted", Fields("\"x\",y"), "x|y"}, {"Fields no separator", Fields("ab"), "ab"},
      {"Fields leading comma", Fields(",b"), "|b"}, {"Fields one separator at a time", Fields("a,,b"), "a||b"},
      {"Fields quotes do not protect", Fields("\"a,b\",c"), "a|b|c"}, {"Fields CR LF is an empty field", Fields("a\r\nb"), "a||b"},
      {"Fields trailing comma", Fields("a,,"), "a|"}, {"Fields doubled quotes stay", Fields("\"a\"\"b\""), "a\"\"b"}, {"Fields lone quote", Fields("\""), ""},
      {"Hash last char not added", c.HashKey("ab", 8), "I"}, {"Hash length ignored", c.HashKey("ab", 0), "I"}, {"Hash two added", c.HashKey("abc", 8), "i"},
      {"Hash one char", c.HashKey("x", 4), " "}, {"Hash empty", c.HashKey("", 4), " "}, {"Hash remainder 1", c.HashKey("?x", 4), "a"},
      {"Hash remainder 61", c.HashKey("=x", 4), "8"}, {"Hash multiple of 62", c.HashKey("|x", 4), "9"}, {"Hash bytes unsigned", c.HashKey("\xf8x", 4), "9"},
      {"Hash long text", c.HashKey(std::string(1000, 'z') + "!", 1), "T"}};
  for (const Row& r : rows) EXPECT_EQ(r.got, r.want) << r.what;
}

// The path texts: one row per call (the one-folder GetPath and the extensions have no caller here).
TEST(Paths, EachCallGivesItsText) {
  const auto split = [](const std::string& full) { std::string path, file; c.GetPath(full, path, file); return path + "|" + file; };
  const auto folder = [](const std::string& full) { std::string path = "unset"; c.GetPath(full, path); return path; };
  struct Row { const char* what; std::string got, want; };
  const Row rows[] = {
      {"GetPath bare name", split("file.txt"), "|file.txt"}, {"GetPath folder and name", split("C:\\a\\b.txt"), "C:\\a\\|b.txt"},
      {"GetPath one backslash", split("\\"), "|"}, {"GetPath removes one backslash only", split("C:\\a\\\\"), "C:\\a\\|"},
      {"GetPath without the last part", folder("C:\\Games\\GPL\\"), "C:\\Games\\"}, {"MakeFilePath of nothing", c.MakeFilePath(""), "\\"},
      {"MakeFilePath trims and ends", c.MakeFilePath("  C:\\Games "), "C:\\Games\\"}, {"MakeFilePath keeps two", c.MakeFilePath("C:\\a\\\\"), "C:\\a\\\\"},
      {"FilePath", c.FilePath("C:\\a\\b.txt"), "C:\\a\\"}, {"FilePath bare", c.FilePath("b.txt"), ""}, {"StripPath", c.StripPath("C:\\a\\b.txt"), "b.txt"},
      {"StripPath bare", c.StripPath("b.txt"), ""}, {"StripPath folder", c.StripPath("C:\\a\\"), ""}, {"FilePart", c.FilePart("C:\\a\\core.ini"), "C:\\a\\core"},
      {"FilePart point in folder", c.FilePart("C:\\a.b\\core"), "C:\\a"}, {"FilePart none", c.FilePart("core"), ""},
      {"FileExtension", c.FileExtension("core.ini"), "ini"}, {"FileExtension trailing point", c.FileExtension("core."), ""},
      {"FileExtension point in folder", c.FileExtension("C:\\a.b\\core"), "b\\core"}, {"FileExtension none", c.FileExtension("core"), ""},
      {"StripFileExtension", c.StripFileExtension("archive.tar.gz"), "archive.tar"}, {"StripFileExtension none", c.StripFileExtension("readme"), "readme"}};
  for (const Row& r : rows) EXPECT_EQ(r.got, r.want) << r.what;
}

TEST(Strings, WholeNumbersThatLeaveTheirRangeOverflow) {
  EXPECT_THAT([] { c.CentreString("ab", -2147483647); },
              testing::Throws<OrvoError>(testing::Property(&OrvoError::kind, OrvoError::Kind::Overflow)));
  EXPECT_EQ(c.CentreString("", -2147483647 - 1), "");  // the difference itself still fits
}

}  // namespace
}  // namespace orvo
