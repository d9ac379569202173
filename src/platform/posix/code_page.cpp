#include "platform/code_page.h"

#include <climits>

namespace orvo::platform {

std::size_t LongestLoaderPath() { return PATH_MAX - 1; }

bool OwnFolderFitsCodePage() { return true; }

bool ArgumentFitsCodePage(const std::string&) { return true; }

std::string Utf8AsTheLoaderReadsIt(const std::string& utf8) { return utf8; }

}  // namespace orvo::platform
