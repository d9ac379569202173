#include "BenchFiles.h"

#include <random>

namespace orvo::bench {

Generated Synthetic(int entries, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> len(14, 36), pick(0, 9);
  Generated g;
  g.text.reserve(static_cast<std::size_t>(entries) * 44);
  std::string section;
  for (int i = 0; i < entries; ++i) {
    if (i % 100 == 0) {
      section = "Section" + std::to_string(i / 100);
      g.text += "\r\n[" + section + "]\r\n";
    }
    const std::string entry = "Entry" + std::to_string(i);
    std::string value(static_cast<std::size_t>(len(rng)), 'v');
    for (char& c : value) c = static_cast<char>('a' + pick(rng));
    g.text += entry + " = " + value;
    if (pick(rng) == 0) g.text += "  ; a comment";
    g.text += "\r\n";
    g.keys.emplace_back(section, entry);
  }
  return g;
}

Generated GameSettings(unsigned seed) {
  static const char* const kWords[] = {"Screen", "Texture", "Shadow", "Mirror", "Car",   "Track", "Sound", "Engine",
                                       "Force",  "Wheel",   "Pedal",  "Brake",  "Gear",  "Camera", "Replay", "Pit",
                                       "Fuel",   "Tyre",    "Damage", "Detail", "Light", "Smoke",  "Sky",    "Crowd"};
  static const char* const kSuffixes[] = {"Width", "Height", "Level", "Mode", "Scale", "Delay", "Gain", "Limit", "On"};
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> word(0, 23), suffix(0, 8), number(0, 99999), chance(0, 99), size(8, 60);
  Generated g;
  int entries = 0;
  for (int s = 0; entries < 1000; ++s) {
    const std::string section = std::string(kWords[s % 24]) + (s >= 24 ? std::to_string(s) : "");
    g.text += "; ---- " + section + " settings ----\r\n[" + section + "]\r\n";
    const int n = size(rng);
    for (int i = 0; i < n && entries < 1000; ++i, ++entries) {
      const std::string entry = std::string(kWords[word(rng)]) + kSuffixes[suffix(rng)] + std::to_string(i);
      if (chance(rng) < 8) g.text += "; " + entry + " is read at start only\r\n";
      g.text += entry + "=" + std::to_string(number(rng));
      if (chance(rng) < 5) g.text += " ; default";
      g.text += "\r\n";
      g.keys.emplace_back(section, entry);
    }
    g.text += "\r\n";
  }
  return g;
}

std::vector<std::pair<std::string, std::string>> Probes(const Generated& g, unsigned seed, int count) {
  std::vector<std::pair<std::string, std::string>> probes;
  std::mt19937 rng(seed);
  std::uniform_int_distribution<std::size_t> any(0, g.keys.size() - 1);
  for (int i = 0; i < count; ++i) {
    const auto& [section, entry] = g.keys[any(rng)];
    switch (i % 4) {
      case 0:
      case 2: probes.emplace_back(section, entry); break;
      case 1: probes.emplace_back(section, entry + "x"); break;
      default: probes.emplace_back("Nowhere", entry); break;
    }
  }
  return probes;
}

}  // namespace orvo::bench
