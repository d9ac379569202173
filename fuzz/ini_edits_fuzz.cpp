// A random sequence of edits, lookups, saves and reloads on a generated INI text, checking:
//  - a file loaded and saved without edits comes back byte for byte;
//  - a value set changes the text as the steps of SetIniValue do, done plainly (ReferenceSet);
//  - a value set (with adding) reads back, unless its key matches across two records first
//    (it then has no position of that entry, and nothing changes);
//  - an edit touches one line only, and only a line of that entry in that section: set
//    changes characters inside it (or inserts whole lines), delete removes it with the line
//    end before it;
//  - a save followed by a reload gives the same text;
//  - a rebuilt index equals the index built line by line (ReferenceIndex.h).
// The text mixes CR LF, LF and CR line ends, comments, TABs, dash lines and junk lines.
// Some names are all digits, empty or shaped like values, so that a lookup key can match
// across two records of the index; and now and then an index file made for another text
// stands beside the file, newer than it, so that the engine reads it instead of indexing.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ReferenceIndex.h"
#include "vocabulary/TextOps.h"
#include "ini/INIFile.h"
#include "platform/files.h"

using namespace orvo;

namespace {

std::string Pick(FuzzedDataProvider& in, std::string_view alphabet, std::size_t most) {
  std::string s;
  const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, most);
  for (std::size_t i = 0; i < n; ++i) s += alphabet[in.ConsumeIntegralInRange<std::size_t>(0, alphabet.size() - 1)];
  return s;
}
std::string Name(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: return Pick(in, "0123456789", 2) + "1";  // like a position
    case 1: return Pick(in, "xyzXZ09", 3);           // like a value
    case 2: return "";
    default: return "k" + Pick(in, "abAB12_", 3);
  }
}
std::string Value(FuzzedDataProvider& in) { return Pick(in, "xyzXZ09 =.", 6); }
std::string LineEnd(FuzzedDataProvider& in) {
  static const char* const kEnds[] = {"\r\n", "\n", "\r", "\r\n\r\n", "\n\t"};
  return kEnds[in.ConsumeIntegralInRange(0, 4)];
}

std::string Generate(FuzzedDataProvider& in) {
  std::string text;
  const int lines = in.ConsumeIntegralInRange(0, 40);
  for (int i = 0; i < lines; ++i) {
    switch (in.ConsumeIntegralInRange(0, 7)) {
      case 0: text += "[" + Pick(in, " ", 1) + Name(in) + Pick(in, " ", 1) + "]"; break;
      case 1: text += ";" + Pick(in, "aZ=[]\t;", 8); break;
      case 2: text += "-" + Name(in) + "=" + Value(in); break;
      case 3: text += Pick(in, " \t", 2) + "junk" + Pick(in, "[] aZ", 4); break;
      default:
        text += Pick(in, " ", 2) + Name(in) + Pick(in, " ", 2) + "=" + Value(in);
        if (in.ConsumeBool()) text += in.ConsumeBool() ? " ; note" : "\tafter tab";
    }
    if (i + 1 < lines || in.ConsumeBool()) text += LineEnd(in);
  }
  return text;
}

// The parts of before and after that differ, after their common start and common end.
struct Diff {
  std::string_view removed, inserted;
};
Diff Compare(std::string_view before, std::string_view after) {
  std::size_t p = 0;
  while (p < before.size() && p < after.size() && before[p] == after[p]) ++p;
  std::size_t q = 0;
  while (q < before.size() - p && q < after.size() - p && before[before.size() - 1 - q] == after[after.size() - 1 - q]) ++q;
  return {before.substr(p, before.size() - p - q), after.substr(p, after.size() - p - q)};
}
bool HasLineEnd(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }
bool OnlyLineEnds(std::string_view s) { return s.find_first_not_of("\r\n") == std::string_view::npos; }

// after is before without one of the lines that begin at an offset of lines, and one line end
// (the one before the line, or the one after it for the first line). Where the removed text
// begins cannot be read off a comparison of the two texts (a line end and a neighbour's first
// letter may match), so every such line is tried.
bool IsOneLineRemoved(std::string_view before, std::string_view after, const std::vector<std::size_t>& lines) {
  const auto without = [&](std::size_t from, std::size_t to) {
    return before.size() - (to - from) == after.size() && before.substr(0, from) == after.substr(0, from) &&
           before.substr(to) == after.substr(from);
  };
  for (std::size_t begin = 0; begin <= before.size();) {
    std::size_t end = before.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = before.size();
    const bool ofTheEntry = std::any_of(lines.begin(), lines.end(), [&](std::size_t at) { return at >= begin && at < end; });
    for (std::size_t ends = 0; ofTheEntry && ends <= 2; ++ends) {
      if (begin >= ends && OnlyLineEnds(before.substr(begin - ends, ends)) && without(begin - ends, end)) return true;
      if (end + ends <= before.size() && OnlyLineEnds(before.substr(end, ends)) && without(begin, end + ends)) return true;
    }
    if (end == before.size()) break;
    begin = end + 1;
  }
  return false;
}

std::string FileText(const std::string& name) { return platform::ReadFileBytes(name); }

// SetIniValue's steps, plainly, on the text and the index it goes by (own: the index is the
// text's own): the text it leaves, or nullopt where it adds the entry (checked apart). The guard
// in plain words: the text changes only at the value of a line of that entry in that section and,
// by an index that is not the text's own, only at the first such line; elsewhere such an index is
// rebuilt and searched again, and the text's own changes nothing.
std::optional<std::string> ReferenceSet(std::string text, std::string index, bool own, const std::string& section,
                                        const std::string& entry, const std::string& rawValue) {
  const std::string value = text::TrimSpaces(rawValue);
  if (section.empty() || entry.empty()) return text;
  const std::string key = ini::LookupKey(section, entry);
  for (int pass = 0;; ++pass) {
    const fuzz::ReferenceAnswer answer = fuzz::ReferenceLookup(index, section, entry);
    if (answer.value == value) return text;  // a failed lookup answers "" too
    if (!answer.found) return std::nullopt;
    const std::size_t valueEnd = index.find("\r\n", index.find(key) + key.size());
    const std::size_t lineEnd = valueEnd == std::string::npos ? valueEnd : index.find("\r\n", valueEnd + 2);
    if (lineEnd == std::string::npos) return text;  // no position line to read: a failure
    std::int64_t pos = 0;
    for (std::size_t at = valueEnd + 2; at < lineEnd && index[at] >= '0' && index[at] <= '9'; ++at)
      if ((pos = pos * 10 + (index[at] - '0')) > INT32_MAX) return text;  // an overflow
    if (pos <= 0) return text;
    std::vector<std::int32_t> lines;  // the value positions of the entry's lines in the section
    fuzz::ReferenceEntries(text, [&](std::string_view upperSection, const ini::EntryParts& parts, std::size_t, std::int32_t at) {
      if (text::EqualIgnoringCase(upperSection, section) && text::EqualIgnoringCase(parts.name, entry)) lines.push_back(at);
    });
    const bool agrees = own ? std::count(lines.begin(), lines.end(), pos) > 0 : !lines.empty() && lines.front() == pos;
    if (!agrees) {
      if (own || pass > 0) return text;
      index = fuzz::ReferenceIndex(text);
      own = true;
      continue;
    }
    const std::size_t at = static_cast<std::size_t>(pos - 1);
    const std::size_t end = std::min(text.find_first_of("\r\n;\t", at), text.size());
    std::string written = value;
    if (written.size() < end - at) written.resize(end - at, ' ');
    return text.replace(at, end - at, written);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Silence();
  fuzz::ResetBoxes();
  FuzzedDataProvider in(data, size);
  const std::string original = Generate(in);
  const std::string file = fuzz::ScratchFolder() + "/edits.ini", indexFile = fuzz::ScratchFolder() + "/edits.gix";
  platform::WriteFileBytes(file, original);
  std::remove(indexFile.c_str());
  if (in.ConsumeBool()) {
    // Made for another text, or for this one before lines were added at its start (as a backup
    // put back finds the index file of its edited successor); trusted by its date alone.
    const std::string other = in.ConsumeBool() ? Generate(in) : Pick(in, "k=x\r\n[]", 6) + original;
    platform::WriteFileBytes(indexFile, fuzz::ReferenceIndex(other) + "\r\n");
    std::filesystem::last_write_time(indexFile, std::filesystem::last_write_time(file) + std::chrono::seconds(5));
  }

  INIFile ini;
  ini.SetFilename(file);
  fuzz::Check(ini.IniString() == original, "load changed the text", original);
  ini.SetChanged(true);
  ini.Save(false);
  fuzz::Check(FileText(file) == original, "load and save without edits changed the file", original);

  for (int step = 0; step < 24 && in.remaining_bytes() > 0; ++step) {
    const std::string before = ini.IniString();
    const std::string section = Name(in), entry = Name(in);
    switch (in.ConsumeIntegralInRange(0, 6)) {
      case 0:
      case 1: {
        const std::string value = Value(in);
        ini.GetIniValue(section, entry);  // the index brought up to date, as the edit's first step does
        const bool own = ini.IndexString() == fuzz::ReferenceIndex(before);
        const auto want = ReferenceSet(before, ini.IndexString(), own, section, entry, value);
        ini.SetIniValue(section, entry, value, true);
        const std::string what = section + "/" + entry + "=" + value + " in\n" + before;
        fuzz::Check(!want || ini.IniString() == *want, "a set differs from its steps", what);
        // An index read from a file, patched in place, answers from its own record, which may not
        // have held the text's value: the text's own index must read the value back.
        fuzz::Check(ini.GetIniValue(section, entry) == text::TrimSpaces(value) || section.empty() || entry.empty() ||
                        !fuzz::FirstMatchIsRecord(ini.IndexString(), section, entry) || !own,
                    "a value set does not read back", what);
        const Diff d = Compare(before, ini.IniString());
        // In place: inside one line, one of that entry. Added: whole lines inserted, or a new
        // section appended after the text's trailing line ends were replaced.
        fuzz::Check(!HasLineEnd(d.removed) || OnlyLineEnds(d.removed), "a set changed more than its line", what);
        if (!HasLineEnd(d.removed) && !HasLineEnd(d.inserted) && !(d.removed.empty() && d.inserted.empty())) {
          const auto changed = static_cast<std::size_t>(d.removed.data() - before.data());
          const auto lines = fuzz::ReferenceEntryLines(before, section, entry);
          fuzz::Check(std::any_of(lines.begin(), lines.end(),
                                  [&](std::size_t at) { return at <= changed && !HasLineEnd(std::string_view(before).substr(at, changed - at)); }),
                      "a set changed a line that is not the entry's", what);
        }
        break;
      }
      case 2: {
        // An entry that the text's own index finds as a record of its own is removed; an index
        // read from a file answers as it stands (it may lack the entry).
        ini.GetIniValue(section, entry);
        const bool present = ini.IndexString() == fuzz::ReferenceIndex(before) && fuzz::FirstMatchIsRecord(ini.IndexString(), section, entry);
        ini.DeleteIniEntry(section, entry);
        const Diff d = Compare(before, ini.IniString());
        fuzz::Check(d.inserted.empty(), "a delete inserted text", before);
        fuzz::Check(d.removed.empty() || IsOneLineRemoved(before, ini.IniString(), fuzz::ReferenceEntryLines(before, section, entry)),
                    "a delete removed more than one line of the entry", section + "/" + entry + " in\n" + before);
        fuzz::Check(!present || !d.removed.empty(), "a delete of a present entry did nothing",
                    section + "/" + entry + " in\n" + before);
        break;
      }
      case 3: ini.DeleteSection(section); break;
      case 4: {
        ini.Save(in.ConsumeBool());
        INIFile again;
        again.SetFilename(file);
        if (!ini.Changed())
          fuzz::Check(again.IniString() == ini.IniString(), "save and reload differ", ini.IniString());
        break;
      }
      case 5: {
        std::string e, v;
        if (!ini.dbGetSection(section).empty())
          for (int n = 0; n < 200; ++n) {
            ini.dbGNS(e, v);
            if (e.empty()) break;
          }
        break;
      }
      case 6:
        ini.BuildIndex();
        fuzz::Check(ini.IndexString() == fuzz::ReferenceIndex(ini.IniString()),
                    "the index differs from the line-by-line index", ini.IniString());
        ini.GPLORSection(section);
        break;
    }
  }
  std::remove((file + ".PreOrvo").c_str());
  std::remove(indexFile.c_str());
  return 0;
}
