// OrvoCommon: finding and selecting list items by their text.
//
// Items are compared with the value after both are upper-cased, whole texts, nothing
// trimmed. Upper-casing changes only the letters a to z: the same rule as every other
// case-blind comparison of the program, and independent of the user's locale.
#include "vocabulary/Failure.h"
#include "platform/list_control.h"
#include "common/OrvoCommon.h"
#include "vocabulary/TextOps.h"

namespace orvo {
namespace {

// The index of the first item equal to value ignoring case. There is no bound of its own:
// the search ends at a match or at the failing read past the last item, which propagates.
std::int32_t SearchItems(ListControl& control, const std::string& value) {
  for (std::int32_t i = 0;; ++i)
    if (text::EqualIgnoringCase(control.List(i), value)) return i;
}

}  // namespace

std::int32_t OrvoCommon::GetByValue(ListControl& pDropdown, const std::string& pValue) const {
  return failure::QuietDefault<std::int32_t>(-1, [&] { return SearchItems(pDropdown, pValue); });
}

std::int32_t OrvoCommon::FindListItem(ListControl& pDropdown, const std::string& pValue) const {
  return failure::QuietDefault<std::int32_t>(-1, [&] { return SearchItems(pDropdown, pValue); });
}

void OrvoCommon::SetByValue(ListControl& pDropdown, const std::string& pValue) const {
  // A failure of the clearing write itself goes on to the caller.
  failure::Guarded([&] { pDropdown.ListIndex(SearchItems(pDropdown, pValue)); },
                   [&](const Failure&) { pDropdown.ListIndex(-1); });
}

}  // namespace orvo
