#include "storage/Notices.h"

#include <utility>

namespace orvo::storage {
namespace {
NoticeSink& Sink() {
  static NoticeSink sink;
  return sink;
}
}  // namespace

NoticeSink SetNoticeSink(NoticeSink sink) { return std::exchange(Sink(), std::move(sink)); }

void Notice(const std::string& line) {
  if (Sink()) Sink()(line);
}

}  // namespace orvo::storage
