// The list helpers against real Windows list controls.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/Failure.h"
#include "common/OrvoCommon.h"
#include "platform/list_box_control.h"

namespace orvo {
namespace {

struct Control {
  const char* className;
  UINT addString, getSelection;
};

TEST(NativeListControls, FindAndSelectItemsInAListBoxAndAComboBox) {
  for (const Control& kind : {Control{"LISTBOX", LB_ADDSTRING, LB_GETCURSEL}, Control{"COMBOBOX", CB_ADDSTRING, CB_GETCURSEL}}) {
    SCOPED_TRACE(kind.className);
    // Unsorted, so the items keep the order in which they are added.
    const DWORD style = kind.addString == LB_ADDSTRING ? WS_POPUP : WS_POPUP | CBS_DROPDOWNLIST;
    HWND window = CreateWindowExA(0, kind.className, "", style, 0, 0, 100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    auto list = platform::ListBoxControl(window);
    EXPECT_EQ(Common().GetByValue(*list, "Red"), -1);  // empty
    for (const char* item : {"Red", "Green", "Blue", "green"})
      SendMessageA(window, kind.addString, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(list->List(2), "Blue");
    EXPECT_THROW(list->List(4), OrvoError);
    EXPECT_EQ(Common().GetByValue(*list, "GREEN"), 1);
    EXPECT_EQ(Common().FindListItem(*list, "blue"), 2);
    EXPECT_EQ(Common().FindListItem(*list, "Purple"), -1);
    Common().SetByValue(*list, "BLUE");
    EXPECT_EQ(SendMessageA(window, kind.getSelection, 0, 0), 2);
    Common().SetByValue(*list, "Purple");
    EXPECT_EQ(SendMessageA(window, kind.getSelection, 0, 0), -1);
    DestroyWindow(window);
  }
}

TEST(NativeListControls, OtherWindowsAreNoListControls) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_THROW(platform::ListBoxControl(window), OrvoError);
  DestroyWindow(window);
}

}  // namespace
}  // namespace orvo
