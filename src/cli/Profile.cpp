#include "cli/Profile.h"

#include <algorithm>

#include "launcher/CloseWait.h"
#include "launcher/ProfileFile.h"
#include "vocabulary/TextOps.h"

namespace orvo::cli {
namespace {

// The loader names its sections by decimal numbers without leading zeros; "00" is not "0".
std::optional<unsigned long> SectionNumber(const std::string& name) {
  if (name.empty() || name.size() > 9 || (name.size() > 1 && name[0] == '0')) return std::nullopt;
  if (!std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
  return std::stoul(name);
}

// Whether a line is a header with a blank just inside a bracket ("[ 0 ]", "[ 0]"), taking the
// line as the section reader tests headers: without the control characters before it and the
// spaces at both ends, and uncut. nullopt: no header, or one with an empty name ("[]", "[ ]"),
// which shows no style.
std::optional<bool> HeaderWithBlanks(std::string_view line) {
  while (!line.empty() && static_cast<unsigned char>(line.front()) < 32) line.remove_prefix(1);
  line = text::TrimSpacesView(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  const std::string_view inside = line.substr(1, line.size() - 2);
  if (text::TrimSpacesView(inside).empty()) return std::nullopt;
  return inside.front() == ' ' || inside.back() == ' ';
}

}  // namespace

Profile ReadProfile(IniDocument& doc) {
  Profile profile;
  ForEachProfileSection(doc.engine(), [&](std::size_t, const std::string& section) {
    profile.programs.push_back({section, doc.Lookup(section, "path"), doc.Lookup(section, "kill").value_or("")});
  });
  profile.closeWait = doc.Lookup(kLoaderSection, kCloseWaitEntry);
  const unsigned long next = profile.programs.size();
  std::vector<unsigned long> later;
  for (const std::string& header : doc.SectionNames()) {
    // A header counts by its trimmed name, as the section reader takes it.
    const auto number = SectionNumber(text::TrimSpaces(header));
    if (number && *number > next && std::find(later.begin(), later.end(), *number) == later.end())
      later.push_back(*number);
  }
  std::sort(later.begin(), later.end());
  for (unsigned long n : later) profile.neverStarted.push_back(std::to_string(n));
  return profile;
}

std::string ProgramOf(const std::string& commandLine) {
  if (!commandLine.empty() && commandLine[0] == '"') {
    const std::size_t close = commandLine.find('"', 1);
    return commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  return commandLine.substr(0, commandLine.find_first_of(" \t"));
}

std::string NewHeader(const std::string& text, const std::string& name) {
  int withBlanks = 0, without = 0;
  bool lastWithBlanks = true;  // no header: the engine's own form
  for (std::size_t from = 0, end = 0; from < text.size(); from = end + 1) {
    end = std::min(text.find_first_of("\r\n", from), text.size());
    if (const auto blanks = HeaderWithBlanks(std::string_view(text).substr(from, end - from))) {
      ++(*blanks ? withBlanks : without);
      lastWithBlanks = *blanks;
    }
  }
  const bool blanks = withBlanks == without ? lastWithBlanks : withBlanks > without;
  return blanks ? "[ " + name + " ]" : "[" + name + "]";
}

std::string SectionList(const std::vector<std::string>& sections) {
  std::string list;
  for (const std::string& s : sections) list += (list.empty() ? "[" : ", [") + s + "]";
  return list;
}

std::string CloseWaitRange() { return "the seconds from 0 to " + SecondsText(kLongestCloseWait) + ", such as 10"; }

std::string QuotedWord(const std::string& word) {
  return word.find_first_of(" \t") == std::string::npos ? word : "\"" + word + "\"";
}

}  // namespace orvo::cli
