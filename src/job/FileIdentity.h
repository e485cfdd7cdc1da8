#pragma once
// What makes a file the same file whatever name leads to it, and what a rewritten file must keep:
// the file a symbolic link names, its device and inode, its owner, group, mode and extended
// attributes.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>

namespace ovb {

// The file at the end of a chain of symbolic links, also when that file does not exist yet; any
// other path as it is. Rewriting this file, not the link, keeps the link a link.
std::filesystem::path RealFile(const std::filesystem::path& path);

// The folder that holds a file: "." for a bare file name, where parent_path() is empty.
std::filesystem::path FolderOf(const std::filesystem::path& file);

struct FileId {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileId&) const = default;
};

// A file that exists, as a rewrite must leave it apart from its content.
struct ExistingFile {
    FileId id;
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0; // permission bits with set-id and sticky bits
    nlink_t links = 1;
    bool regular = false;
};

// Links followed; nothing for a file that does not exist or cannot be looked at.
std::optional<ExistingFile> LookAt(const std::filesystem::path& path);

// The same text for every name of one file (hard links, symbolic links, "./a" and "a"); for a
// file that does not exist, its normalised path.
std::string FileKey(const std::filesystem::path& path);

// Gives the open file `to` the owner, group, mode and extended attributes of `from`, which is
// `old`. False when any of them cannot be given (the caller then must not put `to` in its
// place); some may have been given already.
bool TakeIdentity(const std::filesystem::path& from, const ExistingFile& old, int to);

} // namespace ovb
