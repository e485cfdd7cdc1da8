#pragma once
// The files a replacement (see ReplacingFile) keeps beside its target while it works, and the
// clearing away of those whose writer has ended.
#include <cstdint>
#include <filesystem>
#include <string>

namespace ovb {

enum class TemporaryKind {
    Writing, // ".NAME.ovbtmp-PID-N": the new content, being written
    Copying, // ".NAME.ovbcopy-PID-INODE": the complete new content of the file with that inode
};

// The name for the target's temporary file of this process. A name that would pass the length
// a file name may have is shortened, and a hash of the whole name added.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target, TemporaryKind kind,
                                      std::uint64_t number);

// Whether a file name is a temporary file of ours whose writer has ended.
bool IsStaleTemporary(const std::string& name);
// Finishes the copies into place and removes the temporary files that ended writers left in one
// folder. A copy that cannot be finished keeps its file, so that the new content is not lost.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

// Makes the file `to` hold exactly the `size` bytes of the open file `from`, keeping its inode,
// and waits until they are on the disk. False with errno set when that failed.
bool OverwriteInPlace(int from, std::uint64_t size, const std::filesystem::path& to);
// Waits until the folder's entries (renames, removals) are on the disk.
void SyncFolder(const std::filesystem::path& folder);

} // namespace ovb
