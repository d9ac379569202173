#include "platform/list_box_control.h"

#include <windows.h>

#include <cstring>

#include "vocabulary/Failure.h"

namespace orvo::platform {
namespace {

// The messages of one kind of control: a list box or the list of a combo box.
struct ListMessages {
  UINT getCount, getTextLength, getText, setSelection;
  LRESULT error;
};
constexpr ListMessages kListBox{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_SETCURSEL, LB_ERR};
constexpr ListMessages kComboBox{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_SETCURSEL, CB_ERR};

class NativeList : public ListControl {
 public:
  NativeList(HWND window, const ListMessages& messages) : window_(window), m_(messages) {}

  // The item count is asked on every read, so that the read past the last item fails
  // with an error instead of returning a text.
  std::string List(std::int32_t index) override {
    const LRESULT count = SendMessageA(window_, m_.getCount, 0, 0);
    if (index < 0 || count == m_.error || index >= count) throw OrvoError::InvalidArgument();
    const LRESULT length = SendMessageA(window_, m_.getTextLength, static_cast<WPARAM>(index), 0);
    if (length == m_.error) throw OrvoError::InvalidArgument();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(window_, m_.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied == m_.error) throw OrvoError::InvalidArgument();
    text.resize(static_cast<std::size_t>(copied));
    return text;
  }

  void ListIndex(std::int32_t index) override {
    if (AllowsSeveral()) return SelectOnly(index);
    // -1 clears the selection; both kinds then report their error value, which is no failure.
    const LRESULT result = SendMessageA(window_, m_.setSelection, static_cast<WPARAM>(index), 0);
    if (result == m_.error && index != -1) throw OrvoError::InvalidArgument();
  }

 private:
  // A list box of multiple or extended selection refuses LB_SETCURSEL.
  bool AllowsSeveral() const {
    return m_.setSelection == LB_SETCURSEL && (GetWindowLongA(window_, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
  }

  // There the item becomes the one selected item and takes the caret, as in a list box of
  // single selection; -1 clears every selection.
  void SelectOnly(std::int32_t index) {
    const LRESULT count = SendMessageA(window_, LB_GETCOUNT, 0, 0);
    if (index != -1 && (index < 0 || index >= count)) throw OrvoError::InvalidArgument();
    SendMessageA(window_, LB_SETSEL, FALSE, -1);
    if (index == -1) return;
    SendMessageA(window_, LB_SETSEL, TRUE, index);
    SendMessageA(window_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
  }

  HWND window_;
  ListMessages m_;
};

}  // namespace

std::unique_ptr<ListControl> ListBoxControl(void* window) {
  const HWND hwnd = static_cast<HWND>(window);
  char className[64] = {};
  if (!IsWindow(hwnd) || GetClassNameA(hwnd, className, sizeof className) == 0)
    throw OrvoError(OrvoError::Kind::InvalidArgument, "Not a list control");
  if (lstrcmpiA(className, "ListBox") == 0) return std::make_unique<NativeList>(hwnd, kListBox);
  if (lstrcmpiA(className, "ComboBox") == 0) return std::make_unique<NativeList>(hwnd, kComboBox);
  throw OrvoError(OrvoError::Kind::InvalidArgument, "Not a list control");
}

}  // namespace orvo::platform
