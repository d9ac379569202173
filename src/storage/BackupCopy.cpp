// The backup copy (CopyToNewFile of Save.h): complete, with the file's attributes and dates,
// before it takes its name, and readable by no one the file is not.
#include "platform/host_path.h"
#include "storage/Leftovers.h"
#include "storage/NewFile.h"
#include "storage/Refusals.h"
#include "storage/Save.h"

namespace orvo::storage {

void CopyToNewFile(const std::string& from, const std::string& to, platform::SavePrimitives& system) {
  const std::string source = system.ResolveLink(platform::ToHostPath(from));
  const auto in = system.OpenToRead(source);
  const platform::Node file = in->Facts();
  if (file.kind != platform::NodeKind::PlainFile) throw OrvoError(OrvoError::Kind::System, "Not a plain file");
  const std::string bytes = in->ReadAt(0, static_cast<std::size_t>(file.size));
  const std::string name = platform::ToHostPath(to);
  SettleNewFiles(system, name, Settle::RemoveAndFinish);
  const auto carry = [&](platform::OpenFile& copy) {
    copy.WriteAt(0, bytes);
    // Its dates are the file's, so they are given once the bytes are in.
    if (!system.CarryIdentity(source, copy, platform::Carry::Copy, false))
      throw OrvoError(OrvoError::Kind::System, "The copy would show the file to more people than the file does");
  };
  // No room for a new file's name beside it, on a system that names new files while they are
  // written: made where it stands.
  std::optional<NewFile> copy;
  if (RefusedAs({platform::Refusal::NameTooLong}, [&] { copy.emplace(system, name); }) != platform::Refusal::None)
    return MakeWhereItStands(system, name, carry);
  carry(copy->file());
  copy->Publish(false);
}

}  // namespace orvo::storage
