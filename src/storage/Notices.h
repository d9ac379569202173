#pragma once
// What a save or a reader leaves alone for a person to look at (a name in a journal's place
// that no journal of this program's could be, a journal set aside), said in one line each to
// whoever listens: orvo says it on stderr; nobody listens by default.
#include <functional>
#include <string>

namespace orvo::storage {

using NoticeSink = std::function<void(const std::string&)>;
// Installs sink; gives the one it replaces.
NoticeSink SetNoticeSink(NoticeSink sink);
void Notice(const std::string& line);

}  // namespace orvo::storage
