#include "platform/list_box_control.h"

#include "vocabulary/Failure.h"

namespace orvo::platform {

std::unique_ptr<ListControl> ListBoxControl(void* /*window*/) {
  throw OrvoError(OrvoError::Kind::System, "No native list controls on this platform");
}

}  // namespace orvo::platform
