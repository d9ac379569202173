// Loading and indexing arbitrary bytes: no crash, no box, and the lookups, the section
// reader and the override parameters all terminate on whatever the index builder made of it.
// Each lookup answers as a plain search of the index does (ReferenceLookup), with a box
// exactly where the key matches the index's very last lines and has no value line after it.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzSupport.h"
#include "ReferenceIndex.h"
#include "ini/INIFile.h"

using namespace orvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Silence();
  fuzz::ResetBoxes();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  INIFile ini;
  ini.SetIniString(bytes);
  ini.BuildIndex();
  fuzz::Check(ini.IniString() == bytes, "indexing changed the text");
  fuzz::Check(ini.IndexString() == fuzz::ReferenceIndex(bytes), "the index differs from the line-by-line index", bytes);
  fuzz::Check(fuzz::BoxesShown() == 0, "a box while indexing arbitrary text");

  // Names taken from the text itself: every word between separators, as section and entry.
  const auto same = [&](const std::string& a, const std::string& b) {
    const int boxes = fuzz::BoxesShown();
    const std::string value = ini.GetIniValue(a, b);
    const fuzz::ReferenceAnswer want = fuzz::ReferenceLookup(ini.IndexString(), a, b);
    fuzz::Check(value == want.value && (fuzz::BoxesShown() > boxes) == want.fails, "a lookup differs from a plain search",
                a + "/" + b + " = " + value + " in\n" + bytes);
    fuzz::Check(ini.HasIniRecord(a, b) == want.found, "HasIniRecord differs from a plain search", a + "/" + b);
  };
  FuzzedDataProvider in(data, size);
  for (int i = 0; i < 16 && in.remaining_bytes() > 0; ++i) {
    const std::string a = in.ConsumeRandomLengthString(10), b = in.ConsumeRandomLengthString(10);
    same(a, b);
    ini.GPLORSection(a);
  }
  // The records' own names, and a section with a value as names (which match across two
  // records), in both cases: past the first lookups these are answered from the line-pair
  // table, which must answer as the plain search does.
  int asked = 0;
  fuzz::ReferenceEntries(bytes, [&](std::string_view section, const ini::EntryParts& parts, std::size_t, std::int32_t) {
    if (++asked > 48) return;
    same(std::string(section), text::Lower(parts.name));
    same(std::string(parts.value), std::string(section));
  });
  std::string entry, value;
  if (!ini.dbGetSection("").empty()) {
    for (int walked = 0; walked <= static_cast<int>(size); ++walked) {
      ini.dbGNS(entry, value);
      if (entry.empty()) break;
      fuzz::Check(walked < static_cast<int>(size), "the section reader does not end");
    }
  }
  return 0;
}
