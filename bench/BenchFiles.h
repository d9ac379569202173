#pragma once
// The INI texts every benchmark uses, generated with fixed seeds so that every run and every
// library reads the same bytes.
#include <string>
#include <utility>
#include <vector>

namespace orvo::bench {

struct Generated {
  std::string text;
  std::vector<std::pair<std::string, std::string>> keys;  // section, entry of every entry line
};

// About 42 bytes per entry line, a section every 100 entries, some inline comments, CR LF
// line ends: 200,000 entries in 2,000 sections make some 8 MiB.
Generated Synthetic(int entries, unsigned seed);

// Shaped like a game's settings file: some 1,000 entries in about 30 sections of differing
// size, named like settings, with comment lines, blank lines and a few inline comments;
// about 30 KB.
Generated GameSettings(unsigned seed);

// Lookup probes: every other one a hit spread over the file; the misses are names that are
// absent or sit in another section.
std::vector<std::pair<std::string, std::string>> Probes(const Generated& g, unsigned seed, int count = 256);

}  // namespace orvo::bench
