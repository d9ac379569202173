// Finding and selecting list items by their text, against a list in memory.
#include <gtest/gtest.h>

#include "vocabulary/Failure.h"
#include "platform/list_control.h"
#include "common/OrvoCommon.h"

namespace orvo {
namespace {

// A list control in memory that counts its reads and can refuse selections.
struct FakeList : ListControl {
  explicit FakeList(std::vector<std::string> items) : items(std::move(items)) {}
  std::string List(std::int32_t index) override {
    ++reads;
    if (index < 0 || index >= static_cast<std::int32_t>(items.size())) throw OrvoError::InvalidArgument();
    return items[static_cast<std::size_t>(index)];
  }
  void ListIndex(std::int32_t index) override {
    if (refuseAll || (refuseItems && index >= 0)) throw OrvoError(OrvoError::Kind::System, "no selection");
    selected = index;
  }
  std::vector<std::string> items;
  std::int32_t selected = 7;  // a selection made before the call
  int reads = 0;
  bool refuseAll = false, refuseItems = false;
};

TEST(ListHelpers, FirstItemEqualIgnoringCaseOrMinusOne) {
  const std::vector<std::string> colours = {"Red", "Green", "Blue"};
  struct Case { std::vector<std::string> items; std::string value; std::int32_t index; };
  const Case cases[] = {{colours, "GREEN", 1}, {colours, "blue", 2}, {colours, "Gree", -1}, {colours, " Green", -1},
                        {{"a", "A", "b"}, "A", 0}, {{}, "", -1}, {{"x", "", "y"}, "", 1},
                        {{"\xE9t", "\xC9T"}, "\xC9t", 1}};  // only a-z change case
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    FakeList list(c.items);
    EXPECT_EQ(Common().GetByValue(list, c.value), c.index);
    // Item by item up to the match, or one read past the end.
    EXPECT_EQ(list.reads, c.index >= 0 ? c.index + 1 : static_cast<int>(c.items.size()) + 1);
    EXPECT_EQ(Common().FindListItem(list, c.value), c.index);
    Common().SetByValue(list, c.value);
    EXPECT_EQ(list.selected, c.index);
  }
}

TEST(ListHelpers, SetByValueClearsAFailedSelectionAndPassesOnAFailedClear) {
  FakeList list({"Red"});
  list.refuseItems = true;
  EXPECT_NO_THROW(Common().SetByValue(list, "Red"));
  EXPECT_EQ(list.selected, -1);
  list.refuseAll = true;
  list.selected = 7;
  EXPECT_THROW(Common().SetByValue(list, "Purple"), OrvoError);
  EXPECT_EQ(list.selected, 7);
}

}  // namespace
}  // namespace orvo
