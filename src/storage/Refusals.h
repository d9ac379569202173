#pragma once
// Reading a refusal of the system: the few ways a save answers in its own way (a folder that
// takes no new file, a name that is taken, a replace the system will not make) come back as a
// Refusal; any other failure goes on to the caller.
#include <initializer_list>
#include <utility>

#include "platform/save_primitives.h"

namespace orvo::storage {

using platform::Refusal;

// Runs step; Refusal::None when it went through, the refusal where the system refused it in
// one of the ways of answered. Any other failure is thrown on.
template <class Step>
Refusal RefusedAs(std::initializer_list<Refusal> answered, Step&& step) {
  try {
    std::forward<Step>(step)();
    return Refusal::None;
  } catch (const platform::SaveRefusal& refused) {
    for (const Refusal r : answered)
      if (r == refused.refusal()) return r;
    throw;
  }
}

// The refusals after which a save is written in place instead: the file stands as it was.
inline constexpr std::initializer_list<Refusal> kLeftAsItStands = {Refusal::NoNewFileHere, Refusal::NameTooLong,
                                                                   Refusal::NotAsItStands};

}  // namespace orvo::storage
