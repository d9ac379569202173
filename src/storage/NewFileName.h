#pragma once
// The names a save gives the new files it makes beside a file, where the system cannot make
// them without a name: "<file>.orvo-new-<process>-<attempt>" while the new text is written,
// and "<file>.orvo-ready-<process>-<attempt>" once it is complete, on a system whose replace
// is not one step. Only names this program makes are ever removed: a file of the user's that
// merely looks like one ("p.ini.orvo-new-99998-my notes.txt") is theirs.
#include <cstdint>
#include <optional>
#include <string>

namespace orvo::storage {

enum class NewFileStage { Writing, Ready };

std::string NewFileName(const std::string& file, std::uint64_t process, unsigned attempt,
                        NewFileStage stage = NewFileStage::Writing);

// Who made ownName, and at which stage, as a new file of the file whose own name is
// fileOwnName; nullopt when ownName is not exactly such a name, each number written as
// NewFileName writes it.
struct NewFileMaker {
  std::uint64_t process;
  NewFileStage stage;
};
std::optional<NewFileMaker> MakerOfNewFile(const std::string& ownName, const std::string& fileOwnName);

// The prefix shared by the new files of a file at every stage.
std::string NewFilePrefix(const std::string& fileOwnName);

}  // namespace orvo::storage
