// Loading and indexing arbitrary bytes: no crash, no box, and the lookups, the section
// reader and the override parameters all terminate on whatever the index builder made of it.
// (A lookup may show a box: a key that matches the index's very last lines has no value
// line after it, which the engine reports as an invalid argument.)
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
  FuzzedDataProvider in(data, size);
  for (int i = 0; i < 16 && in.remaining_bytes() > 0; ++i) {
    const std::string a = in.ConsumeRandomLengthString(10), b = in.ConsumeRandomLengthString(10);
    const std::string value = ini.GetIniValue(a, b);
    fuzz::Check(value.find_first_of("\r\n") == std::string::npos, "a value holds a line end", value);
    ini.GPLORSection(a);
  }
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
