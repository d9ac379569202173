#pragma once
// gProgressMode: program-wide switch, false at start and set by nothing in the loader. While
// it is true the index builder shows its progress in the status window and copy mode 4 of
// the updater copies.
namespace orvo {
inline bool gProgressMode = false;
}  // namespace orvo
