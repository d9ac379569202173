// Finding and selecting list items by their text, against a list in memory.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "common/Failure.h"
#include "common/ListControl.h"
#include "common/OrvoCommon.h"

namespace orvo {
namespace {

// A list control in memory that counts its reads, so a test sees where the search ended.
class FakeList : public ListControl {
 public:
  explicit FakeList(std::vector<std::string> items) : items_(std::move(items)) {}
  std::string List(std::int32_t index) override {
    ++reads;
    if (index < 0 || index >= static_cast<std::int32_t>(items_.size())) throw OrvoError::InvalidArgument();
    return items_[static_cast<std::size_t>(index)];
  }
  void ListIndex(std::int32_t index) override {
    if (refuseSelection || (refuseItems && index >= 0)) throw OrvoError(OrvoError::Kind::System, "no selection");
    selected = index;
  }
  std::int32_t selected = 7;  // a selection made before the call
  int reads = 0;
  bool refuseSelection = false;  // every write fails
  bool refuseItems = false;      // only writes of an item index fail

 private:
  std::vector<std::string> items_;
};

struct ListCase {
  const char* name;
  std::vector<std::string> items;
  std::string value;
  std::int32_t index;
};

const std::vector<std::string> kColours = {"Red", "Green", "Blue"};

class ListSearchTest : public testing::TestWithParam<ListCase> {};

TEST_P(ListSearchTest, GetByValueAndFindListItemGiveTheFirstMatch) {
  FakeList list(GetParam().items);
  EXPECT_EQ(Common().GetByValue(list, GetParam().value), GetParam().index);
  // The search reads item by item and stops at the match, or after one read past the end.
  const int expectedReads = GetParam().index >= 0 ? GetParam().index + 1 : static_cast<int>(GetParam().items.size()) + 1;
  EXPECT_EQ(list.reads, expectedReads);
  EXPECT_EQ(Common().FindListItem(list, GetParam().value), GetParam().index);
}

TEST_P(ListSearchTest, SetByValueSelectsTheMatchOrClearsTheSelection) {
  FakeList list(GetParam().items);
  Common().SetByValue(list, GetParam().value);
  EXPECT_EQ(list.selected, GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ListSearchTest,
    testing::Values(ListCase{"LowerCase", kColours, "green", 1}, ListCase{"UpperCase", kColours, "GREEN", 1},
                    ListCase{"SameCase", kColours, "Green", 1}, ListCase{"LastItem", kColours, "BLUE", 2},
                    ListCase{"Prefix", kColours, "Gree", -1}, ListCase{"LeadingSpace", kColours, " Green", -1},
                    ListCase{"NoSuchItem", kColours, "Purple", -1},
                    ListCase{"FirstMatchIgnoringCase", {"a", "A", "b"}, "A", 0},
                    ListCase{"EmptyList", {}, "Red", -1}, ListCase{"EmptyValueInEmptyList", {}, "", -1},
                    ListCase{"EmptyValueMatchesAnEmptyItem", {"x", "", "y"}, "", 1},
                    ListCase{"EmptyValueWithoutEmptyItem", {"x"}, "", -1},
                    ListCase{"OnlyLettersAToZAreUpperCased", {"\xE9t\xE9", "\xC9T\xC9"}, "\xC9t\xC9", 1}),
    [](const testing::TestParamInfo<ListCase>& info) { return std::string(info.param.name); });

TEST(SetByValue, AFailingSelectionIsClearedQuietly) {
  FakeList list(kColours);
  list.refuseItems = true;
  EXPECT_NO_THROW(Common().SetByValue(list, "Red"));
  EXPECT_EQ(list.selected, -1);
}

TEST(SetByValue, AFailingClearGoesToTheCaller) {
  for (const char* value : {"Red", "Purple"}) {
    FakeList list(kColours);
    list.refuseSelection = true;
    EXPECT_THROW(Common().SetByValue(list, value), OrvoError) << value;
    EXPECT_EQ(list.selected, 7) << value;
  }
}

}  // namespace
}  // namespace orvo
