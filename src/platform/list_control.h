#pragma once
// A list control of the user interface (a list box or a drop-down box) as the list helpers
// of OrvoCommon see it: the item text by index ("List") and the selection ("ListIndex").
// Item indices are counted from 0.
#include <cstdint>
#include <string>

namespace orvo {

class ListControl {
 public:
  virtual ~ListControl() = default;
  // The text of item index. Throws OrvoError when there is no such item (an index below 0
  // or past the last item): that failure is what ends a search without a match.
  virtual std::string List(std::int32_t index) = 0;
  // Selects item index; -1 clears the selection.
  virtual void ListIndex(std::int32_t index) = 0;
};

}  // namespace orvo
