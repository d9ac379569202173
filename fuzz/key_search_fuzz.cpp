// The accelerated search of the lookups answers exactly what a plain search for the first
// occurrence answers: on arbitrary texts with arbitrary probe offsets, and on index texts
// built from fuzzed records with keys that hit, miss or straddle two records, also after value
// lines are rewritten at their length as edits do; and so does the search for a line's end.
// The index builder's wide masks of a window are the ones its plain loop makes.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ini/IndexRecord.h"
#include "ini/KeySearch.h"
#include "ini/KeyTable.h"
#include "ini/LineClasses.h"

using namespace orvo;

namespace {

void Same(std::string_view hay, std::string_view needle, std::size_t got);

// The line-pair table, where it answers for two names, answers as the plain search for their
// key does (a name that holds a line end straddles more lines than a pair).
void SameFromTable(const ini::KeyTable& table, std::string_view hay, const std::string& section, const std::string& entry) {
  if (const auto got = table.Find(hay, entry, section))
    Same(hay, ini::LookupKey(section, entry), *got == ini::KeyTable::kNotFound ? std::string_view::npos : *got);
}

void Same(std::string_view hay, std::string_view needle, std::size_t got) {
  const std::size_t want = hay.find(needle);
  if (got != want)
    fuzz::Fail("accelerated search differs from the plain search",
               "needle=" + std::string(needle) + " got=" + std::to_string(got) + " want=" + std::to_string(want));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const int mode = in.ConsumeIntegralInRange(0, 1);
  if (mode == 0) {
    // Raw: any text, any needle, any two probe offsets.
    const std::size_t a = in.ConsumeIntegralInRange<std::size_t>(0, 40);
    const std::size_t b = in.ConsumeIntegralInRange<std::size_t>(0, 40);
    const std::string needle = in.ConsumeRandomLengthString(48);
    const std::string hay = in.ConsumeRemainingBytesAsString();
    Same(hay, needle, ini::FindFirst(hay, needle, a, b));
    Same(hay, needle, ini::FindLookupKey(hay, needle));
    // A value line ends where the plain search finds the next CR LF.
    for (const std::size_t from : {std::min(a, hay.size()), std::min(b, hay.size())})
      if (ini::FindCrLf(hay, from) != hay.find("\r\n", from)) fuzz::Fail("the line-end search differs", hay);
    ini::KeyTable table;
    if (table.Build(hay)) SameFromTable(table, hay, needle.substr(0, needle.size() / 2), needle.substr(needle.size() / 2));
    // The index builder's masks, wide and plain, from every start with a whole window left.
    for (std::size_t from = 0; from + ini::kClassWindow <= hay.size(); ++from) {
      const ini::LineClasses wide = ini::ClassifyWide(hay.data() + from);
      const ini::LineClasses plain = ini::ClassifyPlain(hay.data() + from, ini::kClassWindow);
      if (wide.lineEnd != plain.lineEnd || wide.cut != plain.cut || wide.equals != plain.equals)
        fuzz::Fail("the wide masks differ from the plain ones", hay.substr(from, ini::kClassWindow));
    }
    return 0;
  }
  // Index-shaped: records of short fuzzed names, sections and values.
  std::string index;
  std::vector<std::pair<std::string, std::string>> keys;
  std::vector<std::pair<std::size_t, std::size_t>> valueLines;  // where each value line starts, its length
  // Lines of an index the engine builds hold no CR or LF; now and then they do, as in an
  // index file edited by hand, where the table must decline.
  const bool lineEndsInside = in.ConsumeIntegralInRange(0, 7) == 0;
  const auto clean = [&](std::string s) {
    if (!lineEndsInside)
      for (char& c : s)
        if (c == '\r' || c == '\n') c = 'A';
    return s;
  };
  const int records = in.ConsumeIntegralInRange(0, 300);
  for (int r = 0; r < records && in.remaining_bytes() > 0; ++r) {
    const std::string name = clean(in.ConsumeRandomLengthString(12));
    std::string section = clean(in.ConsumeRandomLengthString(12));
    for (char& c : section) c = text::UpperAscii(c);
    const std::string value = clean(in.ConsumeRandomLengthString(20));
    valueLines.emplace_back(index.size() + name.size() + section.size() + 6, value.size());
    ini::AppendRecord(index, name, section, value, in.ConsumeIntegral<std::int32_t>() & 0x7FFFFFFF);
    keys.emplace_back(section, name);
    // A key across the record: its name holds the record's line end and section.
    keys.emplace_back(value, name + "\r\n" + section);
  }
  ini::KeyTable table;
  if (!table.Build(index) && !lineEndsInside) fuzz::Fail("no table over an index without line ends in its lines", index);
  for (const auto& [section, name] : keys) {
    const std::string key = ini::LookupKey(section, name);
    SameFromTable(table, index, section, name);
    Same(index, key, ini::FindLookupKey(index, key));
    // Misses that share all but one character with a real key.
    std::string near = key, nearName = name;
    near[near.size() / 2] ^= 1;
    Same(index, near, ini::FindLookupKey(index, near));
    if (!nearName.empty()) nearName[nearName.size() / 2] ^= 1;
    SameFromTable(table, index, section, nearName);
    Same(index, key.substr(1), ini::FindLookupKey(index, key.substr(1)));
  }
  // Values rewritten at their length, as an edit does: the table follows the index, or
  // declines and is made again. Keys that pair the new line with the lines around it.
  for (int edits = in.ConsumeIntegralInRange(0, 6); edits > 0 && !valueLines.empty(); --edits) {
    const auto [at, length] = valueLines[in.ConsumeIntegralInRange<std::size_t>(0, valueLines.size() - 1)];
    std::string line = clean(in.ConsumeBytesAsString(length));
    line.resize(length, 'V');
    if (in.ConsumeBool())
      for (char& c : line) c = text::UpperAscii(c);
    if (!table.RewriteLine(index, at, line)) {
      index.replace(at, length, line);
      table.Forget();
      table.Build(index);
    }
    const auto lineBefore = [&](std::size_t end) {  // the line whose CR LF ends at end
      const std::size_t from = end >= 3 ? index.rfind('\n', end - 3) + 1 : 0;
      return index.substr(from, end - 2 - from);
    };
    const std::string section = lineBefore(at);
    const std::size_t next = index.find('\r', at + length + 2);
    const std::string position = next == std::string::npos ? "" : index.substr(at + length + 2, next - at - length - 2);
    for (const auto& [s, name] : {std::pair(line, section), std::pair(position, line), std::pair(section, lineBefore(at - 2 - section.size()))})
      SameFromTable(table, index, s, name);
    for (const auto& [s, name] : keys) SameFromTable(table, index, s, name);
  }
  // Keys made of whatever is left, so that they can straddle records.
  while (in.remaining_bytes() > 0) {
    const std::string section = in.ConsumeRandomLengthString(8), name = in.ConsumeRandomLengthString(8);
    const std::string key = ini::LookupKey(section, name);
    Same(index, key, ini::FindLookupKey(index, key));
    SameFromTable(table, index, section, name);
  }
  return 0;
}
