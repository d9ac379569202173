#pragma once
// What the INI text can hold. It cuts a line at ";", at a TAB and at its end, and an entry
// line at its first "="; a name or value holding one of them would be written but read back
// as something else, so the edit commands refuse it before anything is touched (UsageError).
#include <string>
#include <string_view>

namespace orvo::cli {

inline constexpr std::string_view kLineCutters = ";\t\r\n";
inline constexpr std::string_view kEntryCutters = ";\t\r\n=";

// UsageError naming what and the first cutter in text.
void RequireStorable(const std::string& text, std::string_view cutters, const std::string& what);
// As RequireStorable, and not empty, and without blanks at either end (the format drops
// them, so the name would not be found again).
void RequireName(const std::string& name, std::string_view cutters, const std::string& what);

}  // namespace orvo::cli
