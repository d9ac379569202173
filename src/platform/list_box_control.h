#pragma once
// A native list box or combo box of the Windows user interface as a ListControl. The POSIX
// build has no native list controls: there the factory fails with OrvoError.
#include <memory>

#include "platform/list_control.h"

namespace orvo::platform {

// The window handle of a "ListBox" or "ComboBox" control (HWND on Windows). The control
// must outlive the adapter. Reads past the last item fail; a window that is neither kind
// fails at creation.
std::unique_ptr<ListControl> ListBoxControl(void* window);

}  // namespace orvo::platform
