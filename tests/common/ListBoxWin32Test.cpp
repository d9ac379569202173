// The list helpers against real Windows list controls, and the Win32 listing's attributes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"
#include "platform/list_box_control.h"
#include "support/TempDir.h"

namespace orvo {
namespace {

// The selected item as the control reports it, -1 for none; -2 for several at once.
LRESULT Selected(HWND window, bool comboBox, bool several) {
  if (!several) return SendMessageA(window, comboBox ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  int items[2] = {-1, -1};
  const LRESULT count = SendMessageA(window, LB_GETSELITEMS, 2, reinterpret_cast<LPARAM>(items));
  return count > 1 ? -2 : items[0];
}

TEST(Win32Controls, FindAndSelectItemsInListBoxesAndAComboBoxButNoOtherWindow) {
  struct Control { const char* className; DWORD style; UINT addString; };
  for (const Control& kind : {Control{"LISTBOX", WS_POPUP, LB_ADDSTRING}, Control{"LISTBOX", WS_POPUP | LBS_MULTIPLESEL, LB_ADDSTRING},
                              Control{"LISTBOX", WS_POPUP | LBS_EXTENDEDSEL, LB_ADDSTRING},
                              Control{"COMBOBOX", WS_POPUP | CBS_DROPDOWNLIST, CB_ADDSTRING}}) {
    SCOPED_TRACE(std::string(kind.className) + " " + std::to_string(kind.style));  // unsorted: items keep their order
    const bool comboBox = kind.addString == CB_ADDSTRING, several = (kind.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    HWND window = CreateWindowExA(0, kind.className, "", kind.style, 0, 0, 100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    auto list = platform::ListBoxControl(window);
    EXPECT_EQ(Common().GetByValue(*list, "Red"), -1);  // empty
    for (const char* item : {"Red", "Green", "Blue", "green"}) SendMessageA(window, kind.addString, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_THROW(list->List(4), OrvoError);
    EXPECT_EQ(Common().GetByValue(*list, "GREEN"), 1);
    EXPECT_EQ(Common().FindListItem(*list, "blue"), 2);
    if (several) SendMessageA(window, LB_SETSEL, TRUE, 0);  // selected before: no longer after
    Common().SetByValue(*list, "BLUE");
    EXPECT_EQ(Selected(window, comboBox, several), 2);
    if (several) { EXPECT_EQ(SendMessageA(window, LB_GETCARETINDEX, 0, 0), 2) << "the caret follows the selection"; }
    Common().SetByValue(*list, "Purple");
    EXPECT_EQ(Selected(window, comboBox, several), -1);
    DestroyWindow(window);
  }
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_THROW(platform::ListBoxControl(other), OrvoError);
  DestroyWindow(other);
}

TEST(Win32Listing, CopyFilesSkipsHiddenAndSystemFiles) {
  test::TempDir dir;
  for (const char* folder : {"from", "to"}) CreateDirectoryA(dir.Text(folder).c_str(), nullptr);
  const std::pair<std::string, DWORD> files[] = {{"plain.ini", FILE_ATTRIBUTE_NORMAL}, {"hidden.ini", FILE_ATTRIBUTE_HIDDEN},
                                                 {"system.ini", FILE_ATTRIBUTE_SYSTEM}, {"readonly.ini", FILE_ATTRIBUTE_READONLY}};
  for (const auto& [name, attributes] : files) {
    test::WriteBytes(dir / "from" / name, name);
    ASSERT_TRUE(SetFileAttributesA(dir.Text("from\\" + name).c_str(), attributes));
  }
  Common().CopyFiles(dir.Text("from") + "\\", dir.Text("to") + "\\");
  for (const auto& [name, attributes] : files) {
    EXPECT_EQ(Common().FileExists(dir.Text("to\\" + name)), !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) << name;
    for (const char* folder : {"from\\", "to\\"}) SetFileAttributesA(dir.Text(folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

}  // namespace
}  // namespace orvo
