#pragma once
// Small byte-text operations shared by the components. Only the space character (32) counts
// as a blank for trimming, as everywhere in the program; case conversion is ASCII-only and
// independent of the locale, so every byte above 127 stays as it is.
#include <string>
#include <string_view>

namespace orvo::text {

inline std::string_view TrimSpacesView(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return s.substr(b, e - b);
}
inline std::string TrimSpaces(std::string_view s) { return std::string(TrimSpacesView(s)); }
inline std::string_view TrimTrailingSpacesView(std::string_view s) {
  std::size_t e = s.size();
  while (e > 0 && s[e - 1] == ' ') --e;
  return s.substr(0, e);
}

// The blanks that the readers of hex pairs and lap times pass over, also inside a number:
// space, TAB and LF.
inline bool IsReaderBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

inline char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
inline std::string Upper(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = UpperAscii(c);
  return r;
}
inline std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = LowerAscii(c);
  return r;
}
inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

// Up to and including the last separator; "" without one.
inline std::string UpToLast(std::string_view s, char sep) {
  std::size_t i = s.rfind(sep);
  return i == std::string_view::npos ? std::string() : std::string(s.substr(0, i + 1));
}
// After the last separator; "" without one.
inline std::string AfterLast(std::string_view s, char sep) {
  std::size_t i = s.rfind(sep);
  return i == std::string_view::npos ? std::string() : std::string(s.substr(i + 1));
}
// Before the last separator; "" without one.
inline std::string BeforeLast(std::string_view s, char sep) {
  std::size_t i = s.rfind(sep);
  return i == std::string_view::npos ? std::string() : std::string(s.substr(0, i));
}

}  // namespace orvo::text
