#include "storage/Leftovers.h"

#include "storage/NewFileName.h"

namespace orvo::storage {

void SettleNewFiles(platform::SavePrimitives& system, const std::string& target, Settle how) noexcept {
  failure::Quietly([&] {
    const std::string folder = system.FolderPartOf(target);
    const std::string own = target.substr(folder.size());
    for (const std::string& name : system.NamesBeginningWith(folder, NewFilePrefix(own))) {
      const auto maker = MakerOfNewFile(name, own);
      if (!maker || !system.ProcessIsGone(maker->process)) continue;
      const bool finish = maker->stage == NewFileStage::Ready && !system.Look(target);
      if (finish) failure::Quietly([&] { system.Rename(folder + name, target, false); });
      else if (how == Settle::RemoveAndFinish) failure::Quietly([&] { system.RemoveName(folder + name); });
    }
  });
}

}  // namespace orvo::storage
