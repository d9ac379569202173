#include "common/Listing.h"

#include "vocabulary/TextOps.h"
#include "platform/directory_listing.h"

namespace orvo {

std::vector<std::string> ListNames(const std::string& pattern, ListedKind kind) {
  const bool subdirectories = kind == ListedKind::Subdirectories;
  platform::StartListing(pattern, subdirectories);
  std::vector<std::string> names;
  while (auto listed = platform::NextListed()) {
    if (listed->isDirectory != subdirectories) continue;
    if (text::TrimSpacesView(listed->name).starts_with('.')) continue;
    names.push_back(std::move(listed->name));
  }
  return names;
}

}  // namespace orvo
