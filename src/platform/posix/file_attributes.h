#pragma once
// POSIX only: what a new file must be given, besides its owner and mode, to be what the file
// it replaces was: the extended attributes (ACLs and security labels are attributes too) and
// the inode flags that chattr sets.
#include <string>

namespace orvo::platform::posix {

// Makes the extended attributes of the new file open as to those of the file at the host path
// from: every one of from's is set, and every one that the new file has and from has not (a
// folder's default ACL, which would change who may read it) is taken off. False when any
// cannot be.
bool TakeExtendedAttributes(const std::string& from, int to);
// Only the second half: what from has not is taken off the new file.
bool DropAttributesNotOn(const std::string& from, int to);
// Gives the new file the inode flags of from that an owner may set; false when they cannot be
// (a file with the immutable or append-only flag is no file to replace).
bool TakeInodeFlags(const std::string& from, int to);
// Whether this process sees every extended attribute a file can carry: one that may not use
// the trusted namespace sees none of it, and cannot tell whether a file carries one there.
bool SeesEveryAttribute(int fd);

}  // namespace orvo::platform::posix
