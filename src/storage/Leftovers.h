#pragma once
// What saves that did not finish left beside a file under the names of NewFileName.h: a new
// file of a process that has gone is removed, but for a complete one (at its ready stage) where
// the file's name is empty, which a replace of more than one step was killed in the middle of:
// that one takes the name, so that the new text is never lost. Another process's work in
// progress is left to it.
#include <string>

#include "platform/save_primitives.h"

namespace orvo::storage {

enum class Settle { RemoveAndFinish, FinishOnly };
// target: a host path, a link followed already. Never throws.
void SettleNewFiles(platform::SavePrimitives& system, const std::string& target, Settle how) noexcept;

}  // namespace orvo::storage
