#pragma once
// The mount table as the kernel gives it (/proc/self/mountinfo): which folder is the root of which
// volume, of which file-system type, from which source. On a system without drive letters the
// card's mount point stands in for its root folder.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ovb {

struct MountEntry {
    unsigned major = 0, minor = 0;
    std::string mountPoint;
    std::string fsType; // "vfat", "fuse.fusefat", "ext4", ...
    std::string source; // "/dev/sdb1", an image file, or a driver's own word ("fusefat")
};

// Parses mountinfo text; lines that do not parse are left out. Octal escapes (\040) are undone.
std::vector<MountEntry> ParseMountInfo(std::string_view text);
// The mounts of this process; empty when the table cannot be read.
std::vector<MountEntry> ReadMounts();

// The mount whose mount point is exactly this folder (the last one mounted there), or null.
const MountEntry* MountAt(const std::vector<MountEntry>& mounts, const std::filesystem::path& dir);

// The mount points a user may pick as a card, removable media first (under /media, /run/media,
// /mnt), then user-space (FUSE) mounts, then the other mounts of real devices; no pseudo file
// systems, each mount point once.
std::vector<std::string> CardCandidates(const std::vector<MountEntry>& mounts);

// The device or image file behind a FUSE mount, found through the driver process that serves the
// mount's connection; empty when no single such file can be found (another user's driver, or a
// kernel that does not name connections).
std::filesystem::path FuseMountSource(const MountEntry& mount);

} // namespace ovb
