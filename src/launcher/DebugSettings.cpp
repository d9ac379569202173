#include "launcher/DebugSettings.h"

namespace orvo {

INIFile& DebugSettings() {
  static INIFile document;
  return document;
}

}  // namespace orvo
